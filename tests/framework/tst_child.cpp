#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>

#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/FocusColors.h"
#include "framework/QDChild.h"
#include "framework/QDEdit.h"
#include "tests/support/TestDatabase.h"

namespace {

struct TForm {
    QMdiArea area;
    QWidget* form = new QWidget;
    TQDChild* child = nullptr;
    TQDEdit* first = new TQDEdit(form);
    QPlainTextEdit* memo = new QPlainTextEdit(form);
    TQDEdit* second = new TQDEdit(form);
    QTableWidget* grid = new QTableWidget(3, 2, form);
    TQDEdit* third = new TQDEdit(form);

    TForm() {
        area.resize(1000, 700);
        auto* layout = new QVBoxLayout(form);
        for (QWidget* w : std::initializer_list<QWidget*>{first, memo, second, grid, third}) layout->addWidget(w);
        child = new TQDChild(form);
        area.addSubWindow(form);
    }
};

}  // namespace

class TestChild : public QObject {
    Q_OBJECT

private slots:
    void onlyOnePerForm() {
        QWidget form;
        new TQDChild(&form);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, new TQDChild(&form));
    }

    void enterUpAndDownMoveTheFocus() {
        TForm f;
        f.area.show();
        f.child->ShowChild();
        QVERIFY(QTest::qWaitForWindowExposed(&f.area));
        f.first->setFocus();
        QTest::keyClick(f.first, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.memo);
        // A plain memo passes Enter on; a data-aware one keeps it as a new line.
        QTest::keyClick(f.memo, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.second);
        f.memo->setProperty("QDDataAware", true);
        f.memo->setFocus();
        QTest::keyClick(f.memo, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.memo);
        QCOMPARE(f.memo->toPlainText(), QStringLiteral("\n"));
        // Down and Up move between controls, not inside grids.
        f.second->setFocus();
        QTest::keyClick(f.second, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f.grid);
        f.grid->setCurrentCell(0, 0);
        QTest::keyClick(f.grid, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), f.grid);
        QCOMPARE(f.grid->currentRow(), 1);
        QTest::keyClick(f.grid, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.third);
        QTest::keyClick(f.third, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f.grid);
        f.child->Options = 1;
        f.third->setFocus();
        QTest::keyClick(f.third, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f.third);
    }

    void closeRefusedWhileARowIsEdited() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TForm f;
        auto* editing = new TQDQuery(f.form);
        editing->SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(editing->Open());
        QVERIFY(editing->Insert());
        QSignalSpy closed(f.child, &TQDChild::Closed);
        f.area.show();
        f.child->ShowChild();
        TRecordingPresenter messages;
        QVERIFY(!f.form->close());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须先保存或取消新增的数据或修改后的数据")});
        QCOMPARE(closed.count(), 0);
        // A dataset with another Tag is not the form's business.
        editing->setProperty("Tag", 1);
        QVERIFY(f.form->close());
        QCOMPARE(closed.count(), 1);
    }

    void showMinimiseRestoreNotifyInOrder() {
        TForm f;
        int firstShows = 0;
        f.child->OnFirstShow = [&] { ++firstShows; };
        QStringList events;
        connect(f.child, &TQDChild::Shown, this, [&](QWidget*) { events.append(QStringLiteral("show")); });
        connect(f.child, &TQDChild::Hidden, this, [&](QWidget*) { events.append(QStringLiteral("hide")); });
        f.area.show();
        QCOMPARE(f.child->ShowChild(), f.form);
        auto* frame = qobject_cast<QMdiSubWindow*>(f.form->parentWidget());
        frame->showMinimized();
        frame->showNormal();
        QCOMPARE(events, (QStringList{QStringLiteral("show"), QStringLiteral("hide"), QStringLiteral("show")}));
        QCOMPARE(firstShows, 1);
    }

    void positionFollowsTheMainWindow_data() {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("form");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("ordinary") << QSize(1000, 700) << QSize(400, 300) << QPoint(299, 90);
        QTest::newRow("low window") << QSize(1000, 300) << QSize(400, 200) << QPoint(299, 55);
        QTest::newRow("taller than the area") << QSize(1000, 300) << QSize(400, 500) << QPoint(299, -95);
        QTest::newRow("narrow area") << QSize(200, 700) << QSize(400, 300) << QPoint(2, 90);
    }

    void positionFollowsTheMainWindow() {
        QFETCH(QSize, area);
        QFETCH(QSize, form);
        QFETCH(QPoint, place);
        QMdiArea mdi;
        mdi.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        mdi.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        mdi.setFrameShape(QFrame::NoFrame);
        mdi.resize(area);
        mdi.show();
        auto* widget = new QWidget;
        widget->setFixedSize(form);
        auto* child = new TQDChild(widget);
        QMdiSubWindow* frame = mdi.addSubWindow(widget);
        frame->setFixedSize(form);
        child->ShowChild();
        QCOMPARE(frame->pos(), place);
    }

    void rightsAreReadAndWritten() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QWidget form;
        TQDChild child(&form);
        QCOMPARE(TQDChild::ReadRight(QStringLiteral("U1"), 1, 2, BrowseRight), QStringLiteral("否"));
        QVERIFY(child.WriteRight(QStringLiteral("U1"), 1, 2, BrowseRight, QStringLiteral("是")));
        QVERIFY(child.WriteRight(QStringLiteral("U1"), 1, 2, PrintRight, QStringLiteral("是")));
        QCOMPARE(TQDChild::ReadRight(QStringLiteral("U1"), 1, 2, BrowseRight), QStringLiteral("是"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_RIGHT_TABLE")), 1.0);
        const TRights rights = TQDChild::CheckRights(QStringLiteral("档案管理"), QStringLiteral("档案资料录入编辑管理"), QStringLiteral("U1"));
        QCOMPARE(rights, (TRights{false, false, false, true, true, false, false}));
        // An unknown function runs with everything refused.
        QCOMPARE(TQDChild::CheckRights(QStringLiteral("档案管理"), QStringLiteral("无"), QStringLiteral("U1")), TRights{});
        child.DataBaseName.clear();
        TRecordingPresenter messages;
        QVERIFY(!child.WriteRight(QStringLiteral("U1"), 1, 2, AddRight, QStringLiteral("是")));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("DataBaseName必须有一个值")});
    }

    void themeColoursByTag() {
        QWidget form;
        auto* plain = new TQDEdit(&form);
        auto* display = new TQDEdit(&form);
        display->setProperty("Tag", 3);
        auto* own = new TQDEdit(&form);
        own->setProperty("Tag", 100);
        TQDChild child(&form);
        child.ApplyTheme();
        QCOMPARE(plain->Colors()->Normal(), child.Color);
        QCOMPARE(plain->Colors()->Focused(), child.Color);
        QCOMPARE(display->Colors()->Normal(), child.LabelColor);
        QCOMPARE(own->Colors()->Normal(), child.EditColor);
        QCOMPARE(own->Colors()->Focused(), child.ColorOnFocus);
        QCOMPARE(plain->font().pointSize(), 9);
        child.Language = QStringLiteral("BIG5");
        child.ApplyTheme();
        QCOMPARE(plain->font().pointSize(), 10);
    }
};

QTEST_MAIN(TestChild)
#include "tst_child.moc"

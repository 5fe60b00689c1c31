#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "data/Clock.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDDBEdit.h"
#include "records/SelectEditForm.h"
#include "tests/support/TestDatabase.h"

class TestPickList : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QDGlobal::CurrentUserName = QStringLiteral("管理员");
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 0)));
        m_db = std::make_unique<TTestDatabase>();
        for (const char* value : {"机密", "绝密", "秘密", "公开"}) {
            Execute(QStringLiteral("INSERT INTO QD_TEXT_FIELD1_TABLE (TEXT_FIELD1) VALUES (?)"), {QString::fromUtf8(value)});
        }
    }
    void cleanup() {
        m_db.reset();
        TClock::Reset();
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
    }

    void searchAddChoose() {
        TSelectEditForm form(QStringLiteral("TEXT_FIELD1"), QStringLiteral("保密等级"), QStringLiteral("QD_TEXT_FIELD1_TABLE"));
        QCOMPARE(form.windowTitle(), QStringLiteral("保密等级数据选择编辑窗口"));
        QCOMPARE(form.Query()->RecordCount(), 4);
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& list = static_cast<TSelectEditForm&>(dialog);
            QCOMPARE(list.InputLabel()->text(), QStringLiteral("按回车键进行查找"));
            // Typing 密 and Enter lists every value containing it.
            list.InputLine()->setFocus();
            list.InputLine()->setText(QStringLiteral("密"));
            QTest::keyClick(list.InputLine(), Qt::Key_Return);
            QCOMPARE(list.Query()->RecordCount(), 3);
            QCOMPARE(QApplication::focusWidget(), list.InputLine());
            list.findChild<QPushButton*>(QStringLiteral("AllButton"))->click();
            QCOMPARE(list.Query()->RecordCount(), 4);
            // A value that exists already is refused.
            QTest::keyClick(&list, Qt::Key_F5);
            QCOMPARE(list.InputLabel()->text(), QStringLiteral("保密等级"));
            list.InputLine()->setText(QStringLiteral("机密"));
            QTest::keyClick(&list, Qt::Key_F8);
            QCOMPARE(messages.LastText(), QStringLiteral("保密等级重复"));
            // Every way of closing says the same.
            QTest::keyClick(&list, Qt::Key_F12);
            QCOMPARE(messages.LastText(), QStringLiteral("必须保存或取消新增、修改的数据"));
            messages.Clear();
            QTest::keyClick(&list, Qt::Key_Escape);
            QVERIFY(!list.close());
            QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("必须保存或取消新增、修改的数据"),
                                                    QStringLiteral("必须保存或取消新增、修改的数据")}));
            QVERIFY(list.isVisible());
            list.InputLine()->setText(QStringLiteral("内部"));
            QTest::keyClick(&list, Qt::Key_F8);
            QCOMPARE(list.Query()->State(), TDataSetState::Browse);
            QTest::keyClick(&list, Qt::Key_F3);
        });
        QCOMPARE(TModalSeam::Exec(form), int(QDialog::Accepted));
        QCOMPARE(form.ChosenValue(), QStringLiteral("内部"));
        QCOMPARE(ValueText(QStringLiteral("SELECT CREATE_NAME || CREATE_DATE FROM QD_TEXT_FIELD1_TABLE WHERE TEXT_FIELD1 = '内部'")),
                 QStringLiteral("管理员2015-03-25"));
    }

    void confirmingAnEmptyListIsRefused() {
        Execute(QStringLiteral("DELETE FROM QD_TEXT_FIELD1_TABLE"));
        TSelectEditForm form(QStringLiteral("TEXT_FIELD1"), QStringLiteral("保密等级"), QStringLiteral("QD_TEXT_FIELD1_TABLE"));
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_F3);
            QVERIFY(dialog.isVisible());
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须选择一个记录")});
            QTest::keyClick(&dialog, Qt::Key_F12);
        });
        QCOMPARE(TModalSeam::Exec(form), int(QDialog::Rejected));
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestPickList)
#include "tst_picklist.moc"

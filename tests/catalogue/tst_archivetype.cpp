#include <QApplication>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QtTest>

#include "catalogue/ArchiveTypeForm.h"
#include "catalogue/SelectArchivesTypeForm.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDDBEdit.h"
#include "framework/QDTreeView.h"
#include "tests/support/TestDatabase.h"

namespace {

// Adds a type under the node of the key through the window, as a user would.
QString AddType(TArchiveTypeForm& form, const QString& parent, const QString& name) {
    form.SelectKey(parent);
    form.Add();
    if (form.Query()->State() != TDataSetState::Insert) {
        return QStringLiteral("<refused>");
    }
    form.Query()->SetValue(QStringLiteral("ARCHIVE_TYPE_NAME"), name);
    const QString id = form.Query()->Text(QStringLiteral("ARCHIVE_TYPE_ID"));
    form.SaveRow();
    return form.Query()->IsEditing() ? QStringLiteral("<not saved>") : id;
}

QString Order(const QString& id) {
    return ValueText(QStringLiteral("SELECT ORDER_ID FROM QD_ARCHIVE_TYPE_TABLE WHERE ARCHIVE_TYPE_ID = ?"), {id});
}

}  // namespace

class TestArchiveType : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QDGlobal::CurrentUserName = QStringLiteral("管理员");
        QDGlobal::StartDateText = QStringLiteral("2015-03-25");
        m_db = std::make_unique<TTestDatabase>();
    }
    void cleanup() {
        m_db.reset();
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
    }

    void typesAreNumberedFromTheirParent() {
        TArchiveTypeForm form;
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("档案类别录入编辑窗口"));
        QCOMPARE(form.Tree()->Root()->text(0), QStringLiteral("档案类别"));
        QCOMPARE(AddType(form, QStringLiteral("G001"), QStringLiteral("文书档案")), QStringLiteral("001"));
        QCOMPARE(AddType(form, QStringLiteral("G001"), QStringLiteral("科技档案")), QStringLiteral("002"));
        QCOMPARE(Order(QStringLiteral("001")), QStringLiteral("1"));
        QCOMPARE(Order(QStringLiteral("002")), QStringLiteral("2"));
        QCOMPARE(AddType(form, QStringLiteral("002"), QStringLiteral("设备")), QStringLiteral("002001"));
        QCOMPARE(Order(QStringLiteral("002001")), QStringLiteral("1"));
        QCOMPARE(ValueText(QStringLiteral("SELECT PRIOR_ID || '|' || CREATE_NAME FROM QD_ARCHIVE_TYPE_TABLE WHERE ARCHIVE_TYPE_ID = '002001'")),
                 QStringLiteral("002|管理员"));
        // The tree shows each new type once.
        QTreeWidgetItem* science = form.Tree()->FindKey(QStringLiteral("002"));
        QVERIFY(science);
        QCOMPARE(science->text(0), QStringLiteral("科技档案"));
        QCOMPARE(science->childCount(), 1);
        QCOMPARE(form.Tree()->FindKey(QStringLiteral("002001"))->text(0), QStringLiteral("设备"));

        // A fresh window reads the branches as they are opened.
        TArchiveTypeForm again;
        QVERIFY(again.SelectKey(QStringLiteral("002001")));
        QCOMPARE(TQDTreeView::TextOf(again.Tree()->CurrentNode()), QStringLiteral("设备"));
        QCOMPARE(again.Tree()->FindKey(QStringLiteral("002"))->childCount(), 1);
        again.show();
        QCOMPARE(again.NameEdit()->text(), QStringLiteral("设备"));
    }

    void fourLevelsAtMost() {
        TArchiveTypeForm form;
        form.show();
        QString parent = QStringLiteral("G001");
        for (int level = 1; level <= 4; ++level) {
            parent = AddType(form, parent, QStringLiteral("第%1级").arg(level));
        }
        QCOMPARE(parent, QStringLiteral("001001001001"));
        TRecordingPresenter messages;
        QCOMPARE(AddType(form, parent, QStringLiteral("第5级")), QStringLiteral("<refused>"));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("挡案类别只能有四级")});
    }

    void siblingsDoNotShareAnOrder() {
        TArchiveTypeForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        AddType(form, QStringLiteral("G001"), QStringLiteral("甲"));
        AddType(form, QStringLiteral("001"), QStringLiteral("甲下"));
        form.SelectKey(QStringLiteral("G001"));
        form.Add();
        form.Query()->SetValue(QStringLiteral("ARCHIVE_TYPE_NAME"), QStringLiteral("乙"));
        form.Query()->SetValue(QStringLiteral("ORDER_ID"), QStringLiteral("1"));
        TRecordingPresenter messages;
        form.SaveRow();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("序号重复")});
        QCOMPARE(QApplication::focusWidget(), form.OrderEdit());
        QCOMPARE(form.Query()->State(), TDataSetState::Insert);
        form.CancelRow();
        // The same order under another parent is fine.
        QCOMPARE(Order(QStringLiteral("001001")), QStringLiteral("1"));
        messages.Clear();
        form.SelectKey(QStringLiteral("G001"));
        form.Add();
        form.Query()->SetValue(QStringLiteral("ORDER_ID"), QString());
        form.SaveRow();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("序号必须有一个值")});
        form.CancelRow();
    }

    void deletionRules() {
        TArchiveTypeForm form;
        form.show();
        AddType(form, QStringLiteral("G001"), QStringLiteral("有档案"));
        AddType(form, QStringLiteral("G001"), QStringLiteral("只有待入库"));
        AddType(form, QStringLiteral("G001"), QStringLiteral("有下级"));
        AddType(form, QStringLiteral("003"), QStringLiteral("下级"));
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID) VALUES ('A1', '001')")));
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_TARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID) VALUES ('B1', '002')")));
        TRecordingPresenter messages;
        form.SelectKey(QStringLiteral("G001"));
        form.DeleteRow();
        form.SelectKey(QStringLiteral("003"));
        form.DeleteRow();
        form.SelectKey(QStringLiteral("001"));
        form.DeleteRow();
        QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("根节点不能删除"), QStringLiteral("请先删除该挡案类别的下级档案类别"),
                                                QStringLiteral("档案数据库中有对该档案类别的档案记录，该档案类别不能删除")}));
        messages.Clear();
        messages.QueueAnswer(true);
        form.SelectKey(QStringLiteral("002"));
        form.DeleteRow();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("请确认是否删除 ?")});
        QVERIFY(!form.Tree()->FindKey(QStringLiteral("002")));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_TYPE_TABLE")), 3.0);
        // The highest number given again after its owner went.
        QCOMPARE(AddType(form, QStringLiteral("G001"), QStringLiteral("新的")), QStringLiteral("004"));
    }

    void theChooserNeedsAType() {
        {
            TArchiveTypeForm form;
            form.show();
            AddType(form, QStringLiteral("G001"), QStringLiteral("文书档案"));
        }
        TSelectArchivesTypeForm chooser;
        QCOMPARE(chooser.windowTitle(), QStringLiteral("档案类别选择窗口"));
        QCOMPARE(chooser.size(), QSize(504, 441));
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TSelectArchivesTypeForm&>(dialog);
            QCOMPARE(form.SelectedTypeId(), QStringLiteral("G001"));
            form.OkButton()->click();
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须选择一个档案类别节点")});
            form.Tree()->Root()->setExpanded(true);
            form.Tree()->setCurrentItem(form.Tree()->FindKey(QStringLiteral("001")));
            form.OkButton()->click();
        });
        QCOMPARE(TModalSeam::Exec(chooser), int(QDialog::Accepted));
        QCOMPARE(chooser.SelectedTypeId(), QStringLiteral("001"));
        QCOMPARE(chooser.SelectedTypeName(), QStringLiteral("文书档案"));
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestArchiveType)
#include "tst_archivetype.moc"

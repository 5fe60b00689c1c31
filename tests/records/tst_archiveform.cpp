#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QtTest>

#include "catalogue/SelectArchivesTypeForm.h"
#include "data/Clock.h"
#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDFindForm.h"
#include "framework/QDNDBGrid.h"
#include "framework/QDTreeView.h"
#include "framework/SelectOptionForm.h"
#include "records/ArchiveForm.h"
#include "records/EditArchivesForm.h"
#include "records/VolumeCascade.h"
#include "tests/support/TestDatabase.h"

namespace {
QTreeWidgetItem* Node(TQDTreeView& tree, const QString& key) {
    QTreeWidgetItem* node = tree.Root();
    for (int length = 3; node && length <= key.size(); length += 3) {
        tree.LoadChildren(node);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < node->childCount(); ++i)
            if (TQDTreeView::KeyOf(node->child(i)) == key.left(length))
                next = node->child(i);
        node = next;
    }
    return node;
}

void ChooseAll() {
    TModalSeam::QueueHandler([](QDialog& dialog) { static_cast<TQDFindForm&>(dialog).AllButton()->click(); });
}
void AcceptSort() {
    TModalSeam::QueueHandler([](QDialog& dialog) {
        QCOMPARE(static_cast<TSelectOptionForm&>(dialog).Group()->title(), QStringLiteral("排序方式选择"));
        dialog.accept();
    });
}
void ChooseType(const QString& key) {
    TModalSeam::QueueHandler([key](QDialog& dialog) {
        auto& chooser = static_cast<TSelectArchivesTypeForm&>(dialog);
        chooser.Tree()->setCurrentItem(Node(*chooser.Tree(), key));
        chooser.OkButton()->click();
    });
}
}  // namespace

class TestArchiveForm : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 0)));
        QDGlobal::StartDateText = QStringLiteral("2015-03-25");
        QDGlobal::CurrentUserName = QStringLiteral("管理员");
        m_db = std::make_unique<TTestDatabase>();
        QDGlobal::ProgramFolder = m_db->Root() + QStringLiteral("/QDArchives");
    }
    void cleanup() {
        m_db.reset();
        TClock::Reset();
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
        TModalSeam::Clear();
    }

    void withoutTypesNothingIsListed() {
        TRecordingPresenter messages;
        AcceptSort();  // the definitions are seeded on opening, so there is an order to choose
        TArchiveForm form;
        form.show();
        QCOMPARE(form.ConditionLabel()->text(), QStringLiteral("查找条件：不显示资料"));
        QVERIFY(form.Query()->IsEmpty());
        form.Add();
        QCOMPARE(messages.Texts(),
                 QStringList{
                     QStringLiteral("必须先关闭这个窗口，然后打开“档案类别录入编辑”窗口输入档案类别资料")});
    }

    void cancellingTheOpeningSearchListsNothing() {
        AddTypesAndVolumes();
        TModalSeam::QueueHandler([](QDialog& dialog) { dialog.reject(); });
        AcceptSort();
        TArchiveForm form;
        form.show();
        QCOMPARE(form.ConditionLabel()->text(), QStringLiteral("查找条件：不显示资料"));
        QVERIFY(form.Query()->IsEmpty());
    }

    // The typical request: open, choose a type, add a numbered volume, edit
    // it, delete it with what it carries.
    void aVolumeFromEntryToDeletion() {
        AddTypesAndVolumes();
        SetParameter(QStringLiteral("档案编号"), QStringLiteral("是"));
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        QCOMPARE(form.Query()->RecordCount(), 2);  // the root lists every type
        QVERIFY(form.Grid()->IsColumnShown(QStringLiteral("ARCHIVE_ID")));
        QVERIFY(!form.Grid()->IsColumnShown(QStringLiteral("ARCHIVE_RECORD_ID")));
        form.Tree()->setCurrentItem(Node(*form.Tree(), QStringLiteral("001001")));
        QCOMPARE(form.CurrentTypeId(), QStringLiteral("001001"));
        QCOMPARE(form.Query()->RecordCount(), 1);

        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& editor = static_cast<TEditArchivesForm&>(dialog);
            QCOMPARE(editor.Title()->text(), QStringLiteral("文书类 合同"));
            editor.DataSet()->SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("采购合同"));
            editor.SaveRow();
            QCOMPARE(editor.DataSet()->State(), TDataSetState::Browse);
            static_cast<QDialog&>(editor).reject();
        });
        form.Add();
        QCOMPARE(form.Query()->RecordCount(), 2);
        QCOMPARE(ValueText(QStringLiteral(
                     "SELECT ARCHIVE_ID FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_NAME = '采购合同'")),
                 QStringLiteral("2015000001"));
        QCOMPARE(form.Query()->Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("2015000001"));

        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& editor = static_cast<TEditArchivesForm&>(dialog);
            QCOMPARE(editor.DataSet()->State(), TDataSetState::Edit);
            editor.DataSet()->SetValue(QStringLiteral("TEXT_NOTE"), QStringLiteral("已归档"));
            editor.SaveRow();
            static_cast<QDialog&>(editor).reject();
        });
        form.EditRow();
        const QString id = form.Query()->Text(QStringLiteral("ARCHIVE_RECORD_ID"));
        QCOMPARE(ValueText(QStringLiteral("SELECT TEXT_NOTE || '/' || EDIT_NAME FROM QD_ARCHIVE_MASTER_TABLE "
                                          "WHERE ARCHIVE_RECORD_ID = ?"),
                           {id}),
                 QStringLiteral("已归档/管理员"));

        Execute(QStringLiteral("INSERT INTO QD_MARCHIVE_MASTER_FILE_TABLE (FILE_RECORD_ID, "
                               "ARCHIVE_RECORD_ID, FILE_TITLE_NAME) VALUES "
                               "('F1', ?, '合同.pdf')"),
                {id});
        const QString stored = TVolumeCascade::StoredFile(QDGlobal::ProgramFolder, QStringLiteral("F1"));
        QDir().mkpath(QFileInfo(stored).path());
        QFile file(stored);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        TRecordingPresenter messages;
        messages.QueueAnswer(false);  // not yet: everything stays
        form.DeleteRow();
        QVERIFY(QFile::exists(stored));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_MARCHIVE_MASTER_FILE_TABLE")), 1.0);
        messages.QueueAnswer(true);
        form.DeleteRow();
        QVERIFY(!QFile::exists(stored));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_MARCHIVE_MASTER_FILE_TABLE")), 0.0);
        QCOMPARE(ValueNumber(QStringLiteral(
                                 "SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID = ?"),
                             {id}),
                 0.0);
        QCOMPARE(form.Query()->RecordCount(), 1);
    }

    void aBatchMoveEmptiesTheBranch() {
        AddTypesAndVolumes();
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        form.Tree()->setCurrentItem(Node(*form.Tree(), QStringLiteral("001")));
        QCOMPARE(form.Query()->RecordCount(), 1);
        TModalSeam::QueueHandler([](QDialog& dialog) {
            static_cast<TSelectOptionForm&>(dialog).SetSelected(1);
            dialog.accept();
        });
        ChooseType(QStringLiteral("002"));
        form.Batch();
        QVERIFY(form.Query()->IsEmpty());
        QCOMPARE(
            ValueText(QStringLiteral("SELECT group_concat(ARCHIVE_TYPE_ID) FROM QD_ARCHIVE_MASTER_TABLE")),
            QStringLiteral("002,002001"));
    }

private:
    void AddTypesAndVolumes() {
        Execute(QStringLiteral(
            "INSERT INTO QD_ARCHIVE_TYPE_TABLE (ARCHIVE_TYPE_ID, ARCHIVE_TYPE_NAME, PRIOR_ID, ORDER_ID) "
            "VALUES "
            "('001', '文书类', 'G001', 1), ('001001', '合同', '001', 1), ('002', '科技类', 'G001', 2), "
            "('002001', '图纸', '002', 1)"));
        Execute(
            QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, "
                           "ARCHIVE_NAME, ARCHIVE_TYPE_ID) VALUES "
                           "('V1', 'K-1', '旧合同', '001001'), ('V2', 'T-1', '总图', '002001')"));
    }

    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestArchiveForm)
#include "tst_archiveform.moc"

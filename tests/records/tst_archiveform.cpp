#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QtTest>

#include "catalogue/FieldDefinitions.h"
#include "catalogue/SelectArchiveFieldForm.h"
#include "catalogue/SelectArchivesTypeForm.h"
#include "catalogue/SetArchiveFieldForm.h"
#include "catalogue/SetArchivesDatePromptForm.h"
#include "data/ProgramNames.h"
#include "data/Rights.h"
#include "framework/QDEdit.h"
#include "data/Clock.h"
#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/LookupValueForm.h"
#include "framework/ModalSeam.h"
#include "framework/QDFindForm.h"
#include "framework/QDNDBGrid.h"
#include "framework/QDTreeView.h"
#include "framework/SelectOptionForm.h"
#include "records/ArchiveForm.h"
#include "records/EditArchivesForm.h"
#include "records/VolumeCascade.h"
#include "tests/support/TestDatabase.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>

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
void ChooseOption(int option) {
    TModalSeam::QueueHandler([option](QDialog& dialog) {
        QCOMPARE(static_cast<TSelectOptionForm&>(dialog).Group()->title(), QStringLiteral("操作选择"));
        static_cast<TSelectOptionForm&>(dialog).SetSelected(option);
        dialog.accept();
    });
}
// The grid's shown columns, left to right.
QStringList ShownColumns(TArchiveForm& form) {
    QStringList shown;
    QHeaderView* header = form.Grid()->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!form.Grid()->isColumnHidden(column))
            shown.append(form.Query()->Field(column).name);
    }
    return shown;
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
        QDGlobal::CurrentUserIsAdministrator = false;
        QDGlobal::CurrentUserId.clear();
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

    // However the editor is opened, its record buttons and the copy follow
    // the register's add right, also after a save.
    void theEditorHasTheRegistersRights_data() {
        QTest::addColumn<QString>("opening");
        QTest::addColumn<bool>("addRight");
        for (const bool right : {true, false}) {
            const char* suffix = right ? " with the add right" : " without it";
            QTest::newRow(qPrintable(QStringLiteral("F5 then save") + QLatin1String(suffix))) << "add" << right;
            QTest::newRow(qPrintable(QStringLiteral("F6") + QLatin1String(suffix))) << "edit" << right;
            QTest::newRow(qPrintable(QStringLiteral("double-click") + QLatin1String(suffix))) << "double-click" << right;
        }
    }
    void theEditorHasTheRegistersRights() {
        QFETCH(QString, opening);
        QFETCH(bool, addRight);
        AddTypesAndVolumes();
        QDGlobal::CurrentUserId = QStringLiteral("U1");
        const QString yes = QStringLiteral("是"), no = QStringLiteral("否");
        for (const int right : {int(AddRight), int(BrowseRight), int(PrintRight)})
            QVERIFY(TRightsStore::WriteRight(QStringLiteral("U1"), 1, 2, right, right == AddRight && !addRight ? no : yes));
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        form.Tree()->setCurrentItem(Node(*form.Tree(), QStringLiteral("001001")));
        QCOMPARE(form.Rights[AddRight], addRight);
        bool seen = false;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto* editor = qobject_cast<TEditArchivesForm*>(&dialog);
            QVERIFY(editor);
            const auto check = [&](const char* when) {
                for (const char* name : {"button_add", "button_edit", "button_delete"})
                    QVERIFY2(editor->Button(QLatin1String(name))->isEnabled() == addRight,
                             qPrintable(QLatin1String(name) + QLatin1Char(' ') + QLatin1String(when)));
                QVERIFY2(editor->CopyButton()->isEnabled() == addRight, when);
                QVERIFY(editor->Button(QStringLiteral("button_First"))->isEnabled());
            };
            if (editor->DataSet()->IsEditing()) {
                editor->DataSet()->SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N-9"));
                editor->DataSet()->SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("新卷"));
                QTest::keyClick(editor, Qt::Key_F8);
                QCOMPARE(editor->DataSet()->State(), TDataSetState::Browse);
            }
            check("after opening");
            if (addRight) {
                QTest::keyClick(editor, Qt::Key_F6);
                QCOMPARE(editor->DataSet()->State(), TDataSetState::Edit);
                QTest::keyClick(editor, Qt::Key_F9);
                check("after cancelling");
            }
            seen = true;
            dialog.reject();
        });
        if (opening == QLatin1String("add")) {
            if (!addRight) {
                TModalSeam::Clear();
                QVERIFY(!form.ToolButton(QStringLiteral("button_add"))->isEnabled());
                return;
            }
            form.Add();
        } else if (opening == QLatin1String("edit")) {
            if (!addRight) {
                TModalSeam::Clear();
                QVERIFY(!form.ToolButton(QStringLiteral("button_edit"))->isEnabled());
                return;
            }
            form.EditRow();
        } else {
            const QModelIndex cell = form.Grid()->model()->index(0, form.Query()->FieldIndex(QStringLiteral("ARCHIVE_NAME")));
            form.Grid()->scrollTo(cell);
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            const QPoint at = form.Grid()->visualRect(cell).center();
            QTest::mouseClick(form.Grid()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(form.Grid()->viewport(), Qt::LeftButton, {}, at);
        }
        QVERIFY(seen);
    }

    // A header click orders the list by its column, a second one reverses
    // it, and the caption line says so.
    void aHeaderClickOrdersTheList() {
        AddTypesAndVolumes();
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        QCOMPARE(form.Query()->RecordCount(), 2);
        const int name = form.Query()->FieldIndex(QStringLiteral("ARCHIVE_NAME"));
        QHeaderView* header = form.Grid()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(name) + header->sectionSize(name) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(form.Query()->Text(QStringLiteral("ARCHIVE_NAME")), QStringLiteral("总图"));
        QVERIFY(form.ConditionLabel()->text().endsWith(QStringLiteral("排序：档案名称（从小到大）")));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(form.Query()->RecNo(), 0);
        QCOMPARE(form.Query()->Text(QStringLiteral("ARCHIVE_NAME")), QStringLiteral("旧合同"));
        QVERIFY(form.ConditionLabel()->text().endsWith(QStringLiteral("排序：档案名称（从大到小）")));
    }

    void aFailingListKeepsTheListAsItWas() {
        AddTypesAndVolumes();
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        QCOMPARE(form.Query()->RecordCount(), 2);
        const QString caption = form.ConditionLabel()->text();
        TRecordingPresenter messages;
        form.SetPreset(QStringLiteral("NO_SUCH_COLUMN = 1"), QStringLiteral("查找条件：坏"));
        form.BuildList(true);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("数据库操作过程发生错误")});
        QVERIFY(form.Query()->Active());
        QCOMPARE(form.Query()->RecordCount(), 2);
        QCOMPARE(form.ConditionLabel()->text(), caption);
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

    // The type name heads the list and follows the type table; the other
    // columns stand in the order of their definitions.
    void theListShowsEachVolumesTypeName() {
        AddTypesAndVolumes();
        TFieldDefinitions().SeedIfEmpty();
        Execute(QStringLiteral("UPDATE SYS_ARCHIVE_FIELD_TABLE SET FIELD_ORDER = 30 WHERE FIELD_NAME = 'ARCHIVE_ID'"));
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        QCOMPARE(ShownColumns(form),
                 (QStringList{"ARCHIVE_TYPE_NAME", "ARCHIVE_NAME", "DATE_FIELD1", "TEXT_FIELD1", "TEXT_FIELD2",
                              "TEXT_NOTE", "ARCHIVE_ID", "CREATE_NAME", "CREATE_DATE", "EDIT_NAME", "EDIT_DATE"}));
        const int typeColumn = form.Query()->FieldIndex(QStringLiteral("ARCHIVE_TYPE_NAME"));
        QCOMPARE(form.Grid()->model()->headerData(typeColumn, Qt::Horizontal).toString(), QStringLiteral("档案类别"));
        QVERIFY(form.Query()->Locate(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("V1")));
        QCOMPARE(form.Grid()->model()->index(form.Query()->RecNo(), typeColumn).data().toString(),
                 QStringLiteral("合同"));

        Execute(QStringLiteral("UPDATE QD_ARCHIVE_TYPE_TABLE SET ARCHIVE_TYPE_NAME = '买卖合同' WHERE ARCHIVE_TYPE_ID = '001001'"));
        form.BuildList(true);
        QVERIFY(form.Query()->Locate(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("V1")));
        QCOMPARE(form.Query()->Text(QStringLiteral("ARCHIVE_TYPE_NAME")), QStringLiteral("买卖合同"));

        // A moved volume shows its new type at once, and after re-listing.
        ChooseType(QStringLiteral("002"));
        form.Move();
        QCOMPARE(form.Query()->Text(QStringLiteral("ARCHIVE_TYPE_NAME")), QStringLiteral("科技类"));
        QCOMPARE(ValueText(QStringLiteral("SELECT ARCHIVE_TYPE_ID FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID = 'V1'")),
                 QStringLiteral("002"));
        ChooseOption(1);
        ChooseType(QStringLiteral("002001"));
        form.Batch();
        QCOMPARE(form.Query()->RecordCount(), 2);
        for (int row = 0; row < 2; ++row)
            QCOMPARE(form.Query()->RowText(row, typeColumn), QStringLiteral("图纸"));
    }

    void settingsAreForAdministratorsWithANode_data() {
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<bool>("node");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("not an administrator") << false << true << "只有系统管理员才能设置";
        QTest::newRow("no node") << true << false << "必须选择一个档案类别节点";
    }
    void settingsAreForAdministratorsWithANode() {
        QFETCH(bool, administrator);
        QFETCH(bool, node);
        QFETCH(QString, refusal);
        AddTypesAndVolumes();
        QDGlobal::CurrentUserIsAdministrator = administrator;
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        QCOMPARE(form.ToolButton(QStringLiteral("button_settings"))->isVisible(), administrator);
        if (!node)
            form.Tree()->setCurrentItem(nullptr);
        TRecordingPresenter messages;
        ChooseOption(1);
        form.Settings();
        QCOMPARE(messages.Texts(), QStringList{refusal});
    }

    // A column defined in the settings shows at once, for every user.
    void aNewDefinitionReachesTheList() {
        AddTypesAndVolumes();
        QDGlobal::CurrentUserIsAdministrator = true;
        Execute(QStringLiteral("INSERT INTO SYS_ARCHIVE_DBGRID_TABLE (USE_ID, FORM_NAME, DBGRID_NAME, FIELD_NAME, "
                               "FIELD_WIDTH) VALUES ('U9', 'ArchiveForm', 'QDDBGrid1', 'ARCHIVE_ID', 120)"));
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        QVERIFY(!form.Grid()->IsColumnShown(QStringLiteral("DATE_FIELD2")));
        ChooseOption(1);
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& settings = static_cast<TSetArchiveFieldForm&>(dialog);
            TModalSeam::QueueHandler([](QDialog& slot) {
                auto& field = static_cast<TSelectArchiveFieldForm&>(slot);
                field.NameEdit()->setText(QStringLiteral("归档日期"));
                field.FieldBox()->setCurrentIndex(field.FieldBox()->findText(QStringLiteral("2日期字段")));
                field.OkButton()->click();
            });
            settings.SlotButton(9)->click();
            settings.reject();
        });
        form.Settings();
        QVERIFY(form.Grid()->IsColumnShown(QStringLiteral("DATE_FIELD2")));
        const int column = form.Query()->FieldIndex(QStringLiteral("DATE_FIELD2"));
        QCOMPARE(form.Grid()->model()->headerData(column, Qt::Horizontal).toString(), QStringLiteral("归档日期"));
        QCOMPARE(form.Query()->RecordCount(), 2);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ARCHIVE_DBGRID_TABLE")), 0.0);
    }

    void theReminderChoiceStoresTheDateColumn() {
        AddTypesAndVolumes();
        QDGlobal::CurrentUserIsAdministrator = true;
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        ChooseOption(2);
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& prompt = static_cast<TSetArchivesDatePromptForm&>(dialog);
            prompt.FieldBox()->setCurrentIndex(prompt.FieldBox()->findText(QStringLiteral("档案日期")));
            prompt.DaysEdit()->setText(QStringLiteral("30"));
            prompt.OkButton()->click();
        });
        form.Settings();
        QCOMPARE(ParameterValue(QStringLiteral("提醒字段")), QStringLiteral("DATE_FIELD1"));
        QCOMPARE(ParameterValue(QStringLiteral("提醒天数")), QStringLiteral("30"));
    }

    void searchValuesComeFromTheValueTable() {
        AddTypesAndVolumes();
        Execute(QStringLiteral("INSERT INTO QD_TEXT_FIELD1_TABLE (TEXT_FIELD1) VALUES ('秘密'), ('机密'), ('公开')"));
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& find = static_cast<TQDFindForm&>(dialog);
            QVERIFY(find.ChooseField(QStringLiteral("保密等级")));
            QVERIFY(find.PopupWindow);
            QString shown = QStringLiteral("密"), value;
            TModalSeam::QueueHandler([](QDialog& values) {
                auto& list = static_cast<TLookupValueForm&>(values);
                QCOMPARE(list.Grid()->rowCount(), 2);  // 公开 does not contain the text
                list.Grid()->setCurrentCell(1, 0);
                list.OkButton()->click();
            });
            find.PopupWindow(shown, value, QStringLiteral("TEXT_FIELD1"));
            QCOMPARE(value, shown);
            QVERIFY(value == QStringLiteral("秘密") || value == QStringLiteral("机密"));
            dialog.reject();
        });
        form.Find();
    }

    void theButtonsUnderTheListNeedAVolumeAndTheirRight_data() {
        QTest::addColumn<bool>("currency");
        QTest::newRow("currency right") << true;
        QTest::newRow("no currency right") << false;
    }
    void theButtonsUnderTheListNeedAVolumeAndTheirRight() {
        QFETCH(bool, currency);
        AddTypesAndVolumes();
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_TYPE_TABLE (ARCHIVE_TYPE_ID, ARCHIVE_TYPE_NAME, PRIOR_ID, "
                               "ORDER_ID) VALUES ('003', '空类', 'G001', 3)"));
        QDGlobal::CurrentUserId = QStringLiteral("U1");
        const int group = TRightsStore::ComposeId(ProgramNames::GroupArchives);
        const int function = TRightsStore::ProgramId(ProgramNames::Archives, group);
        QVERIFY(TRightsStore::WriteRight(QStringLiteral("U1"), group, function, CurrencyRight,
                                         currency ? QStringLiteral("是") : QStringLiteral("否")));
        ChooseAll();
        AcceptSort();
        TArchiveForm form;
        form.show();
        for (int button = 0; button < 4; ++button)
            QVERIFY(!form.BottomButton(button)->isEnabled());  // nothing to open yet
        QStringList opened;
        QPointer<QWidget> window;
        for (int button = 0; button < 4; ++button)
            form.SetOpener(static_cast<TArchiveForm::TBottomButton>(button), [&, button](const QString& id) {
                opened.append(QString::number(button) + id);
                window = new QWidget;
                return window.data();
            });
        QCOMPARE(form.BottomButton(TArchiveForm::ItemsButton)->isEnabled(), true);
        QCOMPARE(form.BottomButton(TArchiveForm::FilesButton)->isEnabled(), true);
        QCOMPARE(form.BottomButton(TArchiveForm::PicturesButton)->isEnabled(), currency);
        QCOMPARE(form.BottomButton(TArchiveForm::LendingsButton)->isEnabled(), currency);

        QVERIFY(form.Query()->Locate(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("V2")));
        form.BottomButton(TArchiveForm::ItemsButton)->click();
        QCOMPARE(opened, QStringList{"0V2"});
        QVERIFY(!form.BottomButton(TArchiveForm::ItemsButton)->isEnabled());  // while its window is open
        delete window;
        QVERIFY(form.BottomButton(TArchiveForm::ItemsButton)->isEnabled());

        form.Tree()->setCurrentItem(Node(*form.Tree(), QStringLiteral("003")));
        QVERIFY(form.Query()->IsEmpty());
        TRecordingPresenter messages;
        for (int button = 0; button < 4; ++button)
            form.OpenBottom(static_cast<TArchiveForm::TBottomButton>(button));
        QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("没有档案记录不能有档案的") + QDGlobal::DetailTitle,
                                                QStringLiteral("没有档案资料,不能有档案电子文档"),
                                                QStringLiteral("没有档案资料,不能有档案图片资料"),
                                                QStringLiteral("没有档案资料,不能有档案借阅记录")}));
        QCOMPARE(opened.size(), 1);
        QDGlobal::CurrentUserId.clear();
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

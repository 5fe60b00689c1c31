#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>

#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/QDBaseForm.h"
#include "framework/QDControls.h"
#include "framework/QDDBComboEdit.h"
#include "framework/QDDBEdit.h"
#include "framework/QDPageControl.h"
#include "framework/QDDForm.h"
#include "framework/QDDataSource.h"
#include "framework/QDEdit.h"
#include "framework/QDNDBGrid.h"
#include "tests/support/TestDatabase.h"

namespace {

// A small window over SYS_ID_TABLE, as a derived form declares itself.
class TParameterForm : public TQDDForm {
public:
    explicit TParameterForm(const QString& compose = {}, const QString& program = {}) {
        ComposeName = compose;
        ProgramName = program;
        Query()->SetTableName(QStringLiteral("SYS_ID_TABLE"), false);
        Query()->SetSql(QStringLiteral("SELECT * FROM SYS_ID_TABLE ORDER BY NAME_ID"));
        name = new TQDDBEdit(Panel1());
        name->setObjectName(QStringLiteral("NameEdit"));
        name->Bind(DS(), QStringLiteral("NAME_ID"));
        value = new TQDDBEdit(Panel1());
        value->Bind(DS(), QStringLiteral("AUTO_ID"));
        fixed = new TQDDBEdit(Panel1());
        fixed->setProperty("Tag", 2);
        fixed->Bind(DS(), QStringLiteral("AUTO_ID"));
        grid = new TQDNDBGrid(Panel1());
        grid->SetDataSource(DS());
        auto* layout = new QVBoxLayout(Panel1());
        for (QWidget* w : std::initializer_list<QWidget*>{name, value, fixed, grid}) layout->addWidget(w);
        TFieldsData id;
        id.FieldName = QStringLiteral("NAME_ID");
        id.DisplayLabel = QStringLiteral("参数名称");
        id.Required = true;
        Query()->FieldsData = {id};
        Query()->ActiveControl = QStringLiteral("NameEdit");
        Query()->Open();
        grid->ApplyDescriptors(Query()->FieldsData);
    }
    TQDDBEdit* name;
    TQDDBEdit* value;
    TQDDBEdit* fixed;
    TQDNDBGrid* grid;
};

bool Enabled(const TQDDForm& form, const char* button) { return form.ToolButton(QLatin1String(button))->isEnabled(); }

void AddParameters(int count) {
    for (int i = 1; i <= count; ++i) {
        Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES (?, ?)"), {QStringLiteral("P%1").arg(i), QString::number(i)});
    }
}

}  // namespace

class TestForms : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QDGlobal::CurrentUserId = QStringLiteral("U1");
        QDGlobal::StartDateText = QStringLiteral("2015-03-25");
    }

    void buttonsFollowTheStateAndTheRights() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddParameters(2);
        // Browse and print granted, add refused.
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE VALUES ('U1', 1, 1, '否', '否', '否', '是', '是', '否', '否')")));
        TParameterForm form(QStringLiteral("档案管理"), QStringLiteral("档案类别资料录入编辑"));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (const char* button : {"button_add", "button_edit", "button_delete", "button_save", "button_cancel"}) {
            QVERIFY2(!Enabled(form, button), button);
        }
        QVERIFY(Enabled(form, "button_print"));
        QVERIFY(Enabled(form, "button_close"));
        // F-keys do nothing on disabled buttons.
        QTest::keyClick(form.name, Qt::Key_F5);
        QTest::keyClick(form.name, Qt::Key_F6);
        QCOMPARE(form.Query()->State(), TDataSetState::Browse);
        // Going through a save and a cancel keeps them refused.
        QVERIFY(form.Query()->Edit());
        QVERIFY(Enabled(form, "button_save") && Enabled(form, "button_cancel"));
        QVERIFY(!Enabled(form, "button_print"));
        form.CancelRow();
        QVERIFY(form.Query()->Edit());
        form.SaveRow();
        QCOMPARE(form.Query()->State(), TDataSetState::Browse);
        for (const char* button : {"button_add", "button_edit", "button_delete", "button_save", "button_cancel"}) {
            QVERIFY2(!Enabled(form, button), button);
        }
        QVERIFY(Enabled(form, "button_print") && Enabled(form, "button_find"));
    }

    void noNamesMeansNoRightsLookup() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TParameterForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(Enabled(form, "button_add") && Enabled(form, "button_edit") && Enabled(form, "button_delete"));
        QVERIFY(!Enabled(form, "button_save"));
        QVERIFY(form.Rights[AddRight]);
        // The same keys act once their buttons are enabled.
        QTest::keyClick(form.name, Qt::Key_F5);
        QCOMPARE(form.Query()->State(), TDataSetState::Insert);
        QTest::keyClick(form.name, Qt::Key_F9);
        QCOMPARE(form.Query()->State(), TDataSetState::Browse);
    }

    void f8SavesTextStillInTheEdit() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TParameterForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F5);
        QCOMPARE(form.Query()->State(), TDataSetState::Insert);
        QCOMPARE(QApplication::focusWidget(), form.name);
        QVERIFY(!form.name->isReadOnly());
        QVERIFY(form.fixed->isReadOnly());
        QVERIFY(!form.grid->isEnabled());
        QTest::keyClicks(form.name, QStringLiteral("typed"));
        QTest::keyClick(form.name, Qt::Key_F8);
        QCOMPARE(form.Query()->State(), TDataSetState::Browse);
        QCOMPARE(ValueText(QStringLiteral("SELECT NAME_ID FROM SYS_ID_TABLE")), QStringLiteral("typed"));
        QVERIFY(form.name->isReadOnly());
        QVERIFY(form.grid->isEnabled());
        // F8 while browsing does nothing.
        TRecordingPresenter messages;
        QTest::keyClick(form.name, Qt::Key_F8);
        QVERIFY(messages.Entries().isEmpty());
    }

    void escRestoresTheColumnInADataAwareEdit() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddParameters(1);
        TParameterForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F6);
        QCOMPARE(form.Query()->State(), TDataSetState::Edit);
        form.value->setFocus();
        form.value->end(false);
        QTest::keyClicks(form.value, QStringLiteral("99"));
        QCOMPARE(form.Query()->Text(QStringLiteral("AUTO_ID")), QStringLiteral("199"));
        QTest::keyClick(form.value, Qt::Key_Escape);
        QCOMPARE(form.value->text(), QStringLiteral("1"));
        QCOMPARE(form.Query()->Text(QStringLiteral("AUTO_ID")), QStringLiteral("1"));
    }

    void escInADataAwareDropEdit() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddParameters(1);
        TParameterForm form;
        auto* drop = new TQDDBComboEdit(form.Panel1());
        form.Panel1()->layout()->addWidget(drop);
        drop->Bind(form.DS(), QStringLiteral("AUTO_ID"));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(drop->isReadOnly());
        QVERIFY(!drop->Button()->isEnabled());
        form.EditRow();
        QVERIFY(!drop->isReadOnly());
        QVERIFY(drop->Button()->isEnabled());
        drop->setFocus();
        drop->end(false);
        QTest::keyClicks(drop, QStringLiteral("23"));
        QCOMPARE(form.Query()->Text(QStringLiteral("AUTO_ID")), QStringLiteral("123"));
        QTest::keyClick(drop, Qt::Key_Escape);
        QCOMPARE(drop->text(), QStringLiteral("1"));
        QCOMPARE(form.Query()->Text(QStringLiteral("AUTO_ID")), QStringLiteral("1"));
        QCOMPARE(drop->selectedText(), QStringLiteral("1"));
    }

    void enterRunsTheSelectHandler() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TParameterForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        int selects = 0;
        form.name->OnSelect = [&](bool& handled) {
            ++selects;
            handled = true;
        };
        form.name->setFocus();
        QTest::keyClick(form.name, Qt::Key_Return);
        QCOMPARE(selects, 1);
        QCOMPARE(QApplication::focusWidget(), form.name);
        form.name->OnSelect = [&](bool&) { ++selects; };
        QTest::keyClick(form.name, Qt::Key_Return);
        QCOMPARE(selects, 2);
        QCOMPARE(QApplication::focusWidget(), form.value);
    }

    void thePageGuard() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TParameterForm form;
        TQDPageControl pages;
        pages.addTab(new QWidget, QStringLiteral("用户列表"));
        pages.addTab(new QWidget, QStringLiteral("用户权限"));
        pages.QyMaster = form.Query();
        pages.DataSources[0] = form.DS();
        pages.show();
        TRecordingPresenter messages;
        // No master row: the first page stays.
        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(1).center());
        QCOMPARE(pages.currentIndex(), 0);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("没有主档数据记录，不能改变页面")});
        // A row being edited keeps the page too.
        QVERIFY(form.Query()->Insert());
        messages.Clear();
        QVERIFY(!pages.ChangePage(1));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须先保存或取消新增的数据或修改后的数据")});
        form.Query()->SetValue(QStringLiteral("NAME_ID"), QStringLiteral("P"));
        QVERIFY(form.Query()->Save());
        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(1).center());
        QCOMPARE(pages.currentIndex(), 1);
    }

    void boundCombosFollowTheState() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddParameters(2);
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_TYPE_TABLE (ARCHIVE_TYPE_ID, ARCHIVE_TYPE_NAME) VALUES ('1', '文书'), ('2', '科技')"));
        TParameterForm form;
        auto* combo = new TQDDBComboBox(form.Panel1());
        combo->addItems({QStringLiteral("是"), QStringLiteral("否")});
        combo->Bind(form.DS(), QStringLiteral("AUTO_ID"));
        TQDQuery types;
        types.SetSql(QStringLiteral("SELECT ARCHIVE_TYPE_ID, ARCHIVE_TYPE_NAME FROM QD_ARCHIVE_TYPE_TABLE ORDER BY ARCHIVE_TYPE_ID"));
        QVERIFY(types.Open());
        auto* lookup = new TQDDBLookupComboBox(form.Panel1());
        lookup->SetLookup(&types, QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("ARCHIVE_TYPE_NAME"));
        lookup->Bind(form.DS(), QStringLiteral("AUTO_ID"));
        form.show();
        QCOMPARE(combo->currentText(), QStringLiteral("1"));
        QCOMPARE(lookup->currentText(), QStringLiteral("文书"));
        QVERIFY(combo->lineEdit()->isReadOnly());
        QVERIFY(!lookup->isEnabled());
        form.EditRow();
        QVERIFY(!combo->lineEdit()->isReadOnly());
        QVERIFY(lookup->isEnabled());
        lookup->setCurrentIndex(1);
        QCOMPARE(form.Query()->Text(QStringLiteral("AUTO_ID")), QStringLiteral("2"));
        QCOMPARE(combo->currentText(), QStringLiteral("2"));
        form.CancelRow();
        QCOMPARE(lookup->currentText(), QStringLiteral("文书"));

        auto* list = new TQDDBLookupListBox(form.Panel1());
        list->SetLookup(&types, QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("ARCHIVE_TYPE_NAME"));
        list->Bind(form.DS(), QStringLiteral("AUTO_ID"));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("文书"));
        form.EditRow();
        list->setCurrentRow(1);
        QCOMPARE(form.Query()->Text(QStringLiteral("AUTO_ID")), QStringLiteral("2"));
        form.CancelRow();
    }

    // Two sources on one window, each driving its own group of controls.
    void masterAndDetailControlGroups() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddParameters(1);
        QWidget window;
        TQDQuery master(&window), detail(&window);
        master.SetTableName(QStringLiteral("SYS_ID_TABLE"));
        detail.SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(master.Open() && detail.Open());
        TQDDataSource masterSource(&window), detailSource(&window);
        masterSource.SetDataSet(&master);
        detailSource.SetDataSet(&detail);
        masterSource.IS_MASTER_CHANGE = true;
        detailSource.IS_DETAIL_CHANGE = true;
        auto* masterEdit = new TQDDBEdit(&window);
        masterEdit->Bind(&masterSource, QStringLiteral("NAME_ID"));
        auto* detailEdit = new TQDDBEdit(&window);
        detailEdit->setProperty("Tag", 500);
        detailEdit->Bind(&detailSource, QStringLiteral("NAME_ID"));
        auto* detailFixed = new TQDDBEdit(&window);
        detailFixed->setProperty("Tag", 502);
        detailFixed->Bind(&detailSource, QStringLiteral("AUTO_ID"));
        QVERIFY(detail.Edit());
        detailSource.ApplyEditState();
        masterSource.ApplyEditState();
        QVERIFY(!detailEdit->isReadOnly());
        QVERIFY(detailFixed->isReadOnly());
        QVERIFY(masterEdit->isReadOnly());
        detail.Cancel();
        QVERIFY(master.Edit());
        masterSource.ApplyEditState();
        detailSource.ApplyEditState();
        QVERIFY(!masterEdit->isReadOnly());
        QVERIFY(detailEdit->isReadOnly());
    }

    void captionLabelsBecomeBuddies() {
        TQDBaseForm form;
        auto* grid = new QGridLayout(&form);
        auto* nameLabel = new QLabel(QStringLiteral("档案名称"), &form);
        auto* name = new TQDEdit(&form);
        auto* dateLabel = new QLabel(QStringLiteral("档案日期"), &form);
        auto* date = new TQDEdit(&form);
        auto* note = new QLabel(QStringLiteral("说明文字"), &form);
        grid->addWidget(nameLabel, 0, 0);
        grid->addWidget(name, 0, 1);
        grid->addWidget(dateLabel, 1, 0);
        grid->addWidget(date, 1, 1);
        grid->addWidget(note, 2, 0, 1, 2);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(nameLabel->buddy(), name);
        QCOMPARE(dateLabel->buddy(), date);
        QCOMPARE(note->buddy(), nullptr);
    }

    void cellColoursComeFromTheWindow() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddParameters(2);
        TParameterForm form;
        form.grid->OnApplyCellAttr = [](int row, const QString& field, QColor& background, QColor& text) {
            if (row == 1 && field == QStringLiteral("NAME_ID")) {
                background = Qt::red;
                text = Qt::white;
            }
        };
        const QAbstractItemModel* model = form.grid->model();
        const int column = form.Query()->FieldIndex(QStringLiteral("NAME_ID"));
        QCOMPARE(model->data(model->index(1, column), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
        QCOMPARE(model->data(model->index(1, column), Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
        QVERIFY(!model->data(model->index(0, column), Qt::BackgroundRole).isValid());
    }

    void priorAndNextAtTheEnds() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TRecordingPresenter messages;
        {
            TParameterForm empty;
            empty.Next();
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("没有数据记录")});
        }
        AddParameters(2);
        TParameterForm form;
        messages.Clear();
        form.Prior();
        QCOMPARE(form.Query()->RecNo(), 0);
        form.Next();
        QCOMPARE(form.Query()->RecNo(), 1);
        form.Next();
        QCOMPARE(form.Query()->RecNo(), 1);
        QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("已到第一个纪录"), QStringLiteral("已到最后一个纪录")}));
        QCOMPARE(form.grid->currentIndex().row(), 1);
    }

    void lockingWindowsHoldTheMainCommands() {
        QMenuBar menu;
        QMenu* archives = menu.addMenu(QStringLiteral("档案管理"));
        QAction* register_ = archives->addAction(QStringLiteral("档案资料录入编辑管理"));
        register_->setProperty("Tag", 100);
        QAction* numbering = archives->addAction(QStringLiteral("编号方式设置修改"));
        numbering->setProperty("Tag", 300);
        QAction* other = archives->addAction(QStringLiteral("其它"));
        const int before = TQDBaseForm::LockCounter();
        auto* first = new TQDBaseForm;
        first->LockMenu = &menu;
        first->show();
        QVERIFY(!register_->isEnabled() && !numbering->isEnabled());
        QVERIFY(other->isEnabled());
        auto* second = new TQDBaseForm;
        second->LockMenu = &menu;
        second->show();
        {
            TQDBaseForm unlocked;  // no LockMenu: leaves the commands alone
            unlocked.show();
        }
        delete first;
        QVERIFY(!register_->isEnabled());
        delete second;
        QVERIFY(register_->isEnabled() && numbering->isEnabled());
        QCOMPARE(TQDBaseForm::LockCounter(), before);
    }

    void keystrokeFilters_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("decimal, second separator refused") << int(TEditTypes::etFloat) << "1.5,3" << "1.53";
        QTest::newRow("decimal comma becomes the separator") << int(TEditTypes::etFloat) << "2,5" << "2.5";
        QTest::newRow("integer, one minus") << int(TEditTypes::etInteger) << "--12" << "-12";
        QTest::newRow("integer, letters and blanks refused") << int(TEditTypes::etInteger) << "1a 2" << "12";
        QTest::newRow("date characters") << int(TEditTypes::etDate) << "2015-03/2x5" << "2015-03/25";
        QTest::newRow("text takes everything") << int(TEditTypes::etString) << "a-1,." << "a-1,.";
    }

    void keystrokeFilters() {
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        TQDEdit edit;
        edit.SetEditType(TEditTypes(type));
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), kept);
    }

    void selectionFromTheStartIsReplaced() {
        TQDEdit edit;
        edit.SetEditType(TEditTypes::etInteger);
        QTest::keyClicks(&edit, QStringLiteral("12"));
        edit.selectAll();
        QTest::keyClicks(&edit, QStringLiteral("x"));
        QCOMPARE(edit.text(), QStringLiteral("x"));
        edit.setFocus();
        TQDEdit date;
        date.SetEditType(TEditTypes::etDate);
        date.show();
        date.setFocus();
        QApplication::processEvents();
        QTest::keyClicks(&date, QStringLiteral("2015-03-25-99"));
        QCOMPARE(date.text(), QStringLiteral("2015-03-25"));
        QVERIFY(!date.testAttribute(Qt::WA_InputMethodEnabled));
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"

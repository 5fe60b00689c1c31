#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtSql/QSqlQuery>
#include <QtTest>

#include "admin/CompanyForm.h"
#include "app/EnrolForm.h"
#include "app/ErrorHandler.h"
#include "app/ErrorMsgForm.h"
#include "app/MainForm.h"
#include "app/QDMain.h"
#include "catalogue/FieldDefinitions.h"
#include "catalogue/SetAutoIDForm.h"
#include "data/ApplicationErrors.h"
#include "data/DatabaseError.h"
#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/FileDialogs.h"
#include "framework/Shell.h"
#include "framework/ModalSeam.h"
#include "framework/QDChild.h"
#include "framework/QDDBEdit.h"
#include "framework/QDEdit.h"
#include "framework/QDFindForm.h"
#include "framework/QDNDBGrid.h"
#include "framework/SelectOptionForm.h"
#include "records/ArchiveForm.h"
#include "tests/support/TestDatabase.h"

namespace {

// A function window as later windows will be: a form with its child component.
QWidget* MakeChild(const QString& name) {
    auto* form = new QWidget;
    form->setObjectName(name);
    form->resize(300, 200);
    new QLineEdit(form);
    new TQDChild(form);
    return form;
}

void Grant(const QString& user, int compose, int program) {
    Execute(
        QStringLiteral(
            "INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, ADD_RIGHT, BROWSE_RIGHT) VALUES "
            "(?, ?, ?, '是', '是')"),
        {user, compose, program});
}

// The database error the engine gives for a statement.
TDatabaseError EngineError(const QString& statement) {
    try {
        OpenQuery(statement);
    } catch (const TDatabaseError& error) {
        return error;
    }
    return TDatabaseError(QStringLiteral("no error"), statement);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TModalSeam::Clear();
        QDGlobal::CurrentUserId = QStringLiteral("ADMIN");
        QDGlobal::CurrentUserName = QStringLiteral("管理员");
        QDGlobal::CurrentUserIsAdministrator = true;
    }
    void cleanup() { QCOMPARE(TModalSeam::PendingHandlers(), 0); }

    void menusToolBarAndIcons() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(
            Execute(QStringLiteral("UPDATE SYS_PROGRAM_TABLE SET PROGRAM_NAME = '卷内文件查询管理' WHERE "
                                   "COMPOSE_ID = 1 AND PROGRAM_ID = 3")));
        TMainForm form;
        QCOMPARE(QDGlobal::DetailTitle, QStringLiteral("卷内文件"));
        const QList<QAction*> top = form.menuBar()->actions();
        QCOMPARE(top.size(), 4);
        QCOMPARE(top[0]->text(), QStringLiteral("档案管理"));
        QCOMPARE(top[1]->text(), QStringLiteral("系统管理"));
        QCOMPARE(top[2]->text(), QStringLiteral("帮助[F1]"));
        QVERIFY(!top[3]->isVisible());
        QStringList archives;
        for (QAction* item : top[0]->menu()->actions())
            archives.append(item->text());
        QCOMPARE(archives,
                 (QStringList{QStringLiteral("档案类别资料录入编辑"), QStringLiteral("档案资料录入编辑管理"),
                              QStringLiteral("卷内文件查询管理"), QStringLiteral("档案借阅记录查询管理"),
                              QStringLiteral("EXCEL资料导入管理"), QStringLiteral("单位名称录入编辑")}));
        QCOMPARE(form.Item(QStringLiteral("ArchiveItem"))->property("Tag").toInt(), 100);
        QCOMPARE(form.Item(QStringLiteral("AutoIdItem"))->property("Tag").toInt(), 300);
        QCOMPARE(form.Item(QStringLiteral("ExitItem"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
        QCOMPARE(form.Item(QStringLiteral("HelpItem"))->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(!form.Item(QStringLiteral("ImeItem"))->isVisible());
        QVERIFY(form.Item(QStringLiteral("AutoIdItem"))->isEnabled());
        QVERIFY(form.Item(QStringLiteral("ArchiveItem"))->isEnabled());
        QCOMPARE(form.Item(QStringLiteral("DetailQueryButton"))->toolTip(),
                 QStringLiteral("卷内文件查询管理"));
        QVERIFY(form.Item(QStringLiteral("ArchiveButton"))->isEnabled());
        QVERIFY(form.Item(QStringLiteral("ExitButton"))->isEnabled());

        TRecordingPresenter messages;
        form.IconDoubleClicked(form.Item(QStringLiteral("LendQueryItem")));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("请先关闭打开的其它窗口")});
        QCOMPARE(form.IconPanel()->objectName(), QStringLiteral("MainPanel"));
        QCOMPARE(form.IconPanel()->size(), QSize(800, 580));
    }

    void numberingSettingsForAdministratorsOnly() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TMainForm form;
        TRecordingPresenter messages;
        QDGlobal::CurrentUserIsAdministrator = false;
        form.Item(QStringLiteral("AutoIdItem"))->trigger();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("只有系统管理员才能有设置修改编号方式的权限")});

        QDGlobal::CurrentUserIsAdministrator = true;
        SetParameter(QStringLiteral("不自动数据备份"), QStringLiteral("是"));
        SetParameter(QStringLiteral("分类编号"), QStringLiteral("3"));
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& numbering = static_cast<TSetAutoIDForm&>(dialog);
            QVERIFY(!numbering.BackupBox()->isChecked());
            QVERIFY(numbering.Mode(3)->isChecked());
            numbering.LendBox()->setChecked(true);
            numbering.BackupBox()->setChecked(false);
            numbering.OkButton()->click();
        });
        form.Item(QStringLiteral("AutoIdItem"))->trigger();
        QVERIFY(IsParameterOn(QStringLiteral("档案借阅编号")));
        QVERIFY(IsParameterOn(QStringLiteral("不自动数据备份")));
        QCOMPARE(ParameterValue(QStringLiteral("分类编号")), QStringLiteral("3"));
    }

    void openingFollowsRightsAndTheRegistry() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        // An administrator without a rights row is refused like anyone.
        QVERIFY(Execute(QStringLiteral(
            "INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER) VALUES ('ADMIN', 'A', '是')")));
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TRecordingPresenter messages;
        int created = 0;
        auto factory = [&] {
            ++created;
            return MakeChild(QStringLiteral("ArchiveTypeForm"));
        };
        const QString group = QStringLiteral("档案管理"), function = QStringLiteral("档案类别资料录入编辑");
        QVERIFY(!form.OpenFunction(QStringLiteral("ArchiveTypeForm"), group, function, factory, function));
        QCOMPARE(messages.Texts(),
                 QStringList{QStringLiteral("您没有在程序\"档案类别资料录入编辑\"中的权限")});
        QCOMPARE(created, 0);

        Grant(QStringLiteral("ADMIN"), 1, 1);
        QVERIFY(form.OpenFunction(QStringLiteral("ArchiveTypeForm"), group, function, factory, function));
        QVERIFY(form.OpenFunction(QStringLiteral("ArchiveTypeForm"), group, function, factory, function));
        QCOMPARE(created, 1);
        QCOMPARE(form.QDMain()->OpenCount(), 1);
        QMenu* open = form.QDMain()->OpenWindowsMenu();
        QVERIFY(open->menuAction()->isVisible());
        QCOMPARE(open->menuAction()->text(), QStringLiteral("打开的窗口"));
        QCOMPARE(open->actions().size(), 1);
        QCOMPARE(open->actions().first()->text(), function);
        QVERIFY(!form.IconPanel()->isVisible());

        // The main window does not close over an open child.
        messages.Clear();
        QVERIFY(!form.close());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("请先关闭打开的全部子程序后,才能退出系统")});
        QVERIFY(form.isVisible());

        // The numbering settings wait until the children are closed.
        messages.Clear();
        form.Item(QStringLiteral("AutoIdItem"))->trigger();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("请先关闭其它的窗口")});

        // Choosing the window in the menu brings it forward without a second one.
        open->actions().first()->trigger();
        QCOMPARE(created, 1);

        QMdiSubWindow* frame = form.ChildArea()->subWindowList().first();
        QPointer<QWidget> child = frame->widget();
        QVERIFY(frame->close());
        QTRY_VERIFY(!child);
        QCOMPARE(form.QDMain()->OpenCount(), 0);
        QVERIFY(!open->menuAction()->isVisible());
        QVERIFY(form.IconPanel()->isVisible());
        messages.Clear();
        QVERIFY(form.close());
        QVERIFY(messages.Entries().isEmpty());
    }

    void theDateReminderOpensTheRegisterOnDueVolumes() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TFieldDefinitions().SeedIfEmpty();
        QVERIFY(Execute(QStringLiteral(
            "INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, DATE_FIELD1) VALUES "
            "('V1', '1', '2000-01-01'), ('V2', '2', NULL)")));
        Grant(QStringLiteral("ADMIN"), 1, 2);
        SetParameter(QStringLiteral("提醒字段"), QStringLiteral("DATE_FIELD1"));
        SetParameter(QStringLiteral("提醒天数"), QStringLiteral("30"));
        TMainForm form;
        TRecordingPresenter messages;
        messages.QueueAnswer(true);
        TModalSeam::QueueHandler([](QDialog& dialog) { dialog.accept(); });  // the order of the list
        form.show();  // the first showing runs the reminder
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QDGlobal::ReminderField.clear();
        QCOMPARE(messages.Texts().size(), 1);
        QVERIFY(messages.Texts().first().startsWith(QStringLiteral("有 1 个档案的档案日期到了设定的提醒日")));
        QCOMPARE(form.QDMain()->OpenCount(), 1);
        auto* frame = form.ChildArea()->subWindowList().first();
        auto* reg = qobject_cast<TArchiveForm*>(frame->widget());
        QVERIFY(reg);
        QCOMPARE(reg->Query()->RecordCount(), 1);
        QVERIFY(reg->ConditionLabel()->text().startsWith(QStringLiteral("查找条件：(档案日期 - ")));
        // While the register is open its own entry and the numbering are locked.
        const char* locked[] = {"ArchiveItem", "ArchiveButton", "AutoIdItem"};
        for (const char* name : locked)
            QVERIFY2(!form.Item(QLatin1String(name))->isEnabled(), name);
        QVERIFY(form.Item(QStringLiteral("ArchiveTypeItem"))->isEnabled());
        QVERIFY(frame->close());
        for (const char* name : locked)
            QTRY_VERIFY2(form.Item(QLatin1String(name))->isEnabled(), name);
    }

    void aStaleRecordIsForgotten() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        Grant(QStringLiteral("ADMIN"), 1, 1);
        TMainForm form;
        auto* orphan = new QWidget;
        form.QDMain()->Register(QStringLiteral("Gone"), orphan, {}, QStringLiteral("消失的窗口"));
        QCOMPARE(form.QDMain()->OpenCount(), 1);
        delete orphan;  // gone without saying so
        QVERIFY(!form.QDMain()->IsOpen(QStringLiteral("Gone")));
        QCOMPARE(form.QDMain()->OpenCount(), 0);
        QVERIFY(!form.QDMain()->OpenWindowsMenu()->menuAction()->isVisible());
    }

    void rightsOfAFunction() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral(
            "INSERT INTO SYS_RIGHT_TABLE VALUES ('U1', 1, 2, '是', '否', '否', '是', '否', '否', '是')")));
        TMainForm form;
        const TRights rights = form.QDMain()->RightsOf(
            QStringLiteral("档案管理"), QStringLiteral("档案资料录入编辑管理"), QStringLiteral("U1"));
        QCOMPARE(rights, (TRights{true, false, false, true, false, false, true}));
        QVERIFY(!form.QDMain()->CanBrowse(QStringLiteral("档案管理"), QStringLiteral("档案资料录入编辑管理"),
                                          QStringLiteral("U2")));
        QVERIFY(!form.QDMain()->CanBrowse(QStringLiteral("档案管理"), QStringLiteral("不存在的功能"),
                                          QStringLiteral("U1")));
        QVERIFY(!form.QDMain()->CanBrowse(QStringLiteral("x' OR '1'='1"), QStringLiteral("x' OR '1'='1"),
                                          QStringLiteral("' OR 1=1 --")));
    }

    void aSecondCopyIsRefused() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TMainForm first;
        QVERIFY(first.Started());
        QSignalSpy raised(first.QDMain(), &TQDMain::RaiseRequested);
        TRecordingPresenter messages;
        QMainWindow other;
        TQDMain second(&other);
        QVERIFY(!second.Start());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("程序已经运行")});
        QTRY_COMPARE(raised.count(), 1);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, TQDMain{&other});
        // A second main window leaves the first copy's scratch files alone.
        const QString scratch = QDGlobal::ProgramFolder + QStringLiteral("/WORK.DB");
        QFile file(scratch);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        messages.Clear();
        {
            TMainForm secondWindow;
            QVERIFY(!secondWindow.Started());
        }
        QVERIFY(QFile::exists(scratch));
        QFile::remove(scratch);
    }

    void backgroundPictureSetting() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TMainForm form;
        TRecordingPresenter messages;
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("背景.bmp"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(picture));
        TFileDialogs::SetNextFileName(dir.filePath(QStringLiteral("missing.jpg")));
        QCOMPARE(form.QDMain()->ChoosePicture(), QString());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("图像文件不存在")});
        TFileDialogs::SetNextFileName(picture);
        QCOMPARE(form.QDMain()->ChoosePicture(), picture);
        QCOMPARE(form.QDMain()->PicturePath(), picture);
        QFile::remove(picture);
        QCOMPARE(form.QDMain()->PicturePath(), QString());  // no picture, no message
        form.QDMain()->ClearPicture();
        QCOMPARE(messages.Entries().size(), 1);

        // Through the menu: the option chooser, then clearing.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& chooser = static_cast<TSelectOptionForm&>(dialog);
            QCOMPARE(chooser.Group()->title(), QStringLiteral("操作选择窗口"));
            chooser.SetSelected(2);
            chooser.OkButton()->click();
        });
        form.Item(QStringLiteral("PictureItem"))->trigger();
    }

    // The engine's own codes, as it reports them, map to the short messages.
    void engineErrorsGetShortMessages() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES ('a')")));
        const TDatabaseError duplicate =
            EngineError(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES ('a')"));
        TRecordingPresenter messages;
        HandleApplicationError(nullptr, std::make_exception_ptr(duplicate));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("数据库主键重复")});

        QVERIFY(Execute(QStringLiteral("CREATE TABLE PARENT (ID TEXT PRIMARY KEY)")));
        QVERIFY(Execute(QStringLiteral("CREATE TABLE CHILD (P TEXT REFERENCES PARENT(ID))")));
        QVERIFY(Execute(QStringLiteral("PRAGMA foreign_keys = ON")));
        QVERIFY(Execute(QStringLiteral("INSERT INTO PARENT VALUES ('p')")));
        QVERIFY(Execute(QStringLiteral("INSERT INTO CHILD VALUES ('p')")));
        messages.Clear();
        HandleApplicationError(nullptr,
                               std::make_exception_ptr(EngineError(QStringLiteral("DELETE FROM PARENT"))));
        QCOMPARE(messages.Texts(),
                 QStringList{QStringLiteral("其它的数据库表中存在对该纪录的引用,纪录不能删除")});
        QVERIFY(Execute(QStringLiteral("PRAGMA foreign_keys = OFF")));

        // A code without a short message: the general one, then the technical box.
        messages.Clear();
        HandleApplicationError(
            nullptr, std::make_exception_ptr(EngineError(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"))));
        QCOMPARE(messages.Entries().size(), 2);
        QCOMPARE(messages.Entries()[0].text, QStringLiteral("数据库操作错误"));
        QCOMPARE(messages.Entries()[1].kind, TMessageKind::Error);
        QVERIFY(
            messages.Entries()[1].text.startsWith(QStringLiteral("TDatabaseError:ErrorCode: (1,1,0,1)\t")));
        QVERIFY(messages.Entries()[1].text.contains(QStringLiteral("NO_SUCH_TABLE")));
    }

    void friendlyMessagesByMeaning_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("foreign key") << 787 << "其它的数据库表中存在对该纪录的引用,纪录不能删除";
        QTest::newRow("cannot open") << 14 << "数据库打开过程发生错误";
        QTest::newRow("not a database") << 26 << "数据库打开过程发生错误";
        QTest::newRow("primary key") << 1555 << "数据库主键重复";
        QTest::newRow("unique") << 2067 << "数据库主键重复";
        QTest::newRow("changed by another")
            << 517 << "数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据";
        QTest::newRow("too big") << 18 << "数据太大,不能保存数据";
        QTest::newRow("busy") << 5 << "有未关闭的数据表";
        QTest::newRow("locked table") << 262 << "有未关闭的数据表";
        QTest::newRow("syntax") << 1 << "";
    }

    void friendlyMessagesByMeaning() {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(FriendlyDatabaseMessage(code), message);
        TRecordingPresenter messages;
        HandleApplicationError(
            nullptr, std::make_exception_ptr(TDatabaseError(QStringLiteral("x"), {}, QString::number(code))));
        if (!message.isEmpty()) {
            QCOMPARE(messages.Texts(), QStringList{message});
        }
    }

    void otherErrors_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("errorBoxes");
        QTest::newRow("invalid date") << 0 << QStringList{QStringLiteral("请按格式YYYY-MM-DD 输入日期")} << 0;
        QTest::newRow("format mismatch")
            << 1 << QStringList{QStringLiteral("指定的格式与参数类型不匹配!")} << 0;
        QTest::newRow("other conversion")
            << 2 << QStringList{QStringLiteral("'x' is not a valid integer value")} << 0;
        QTest::newRow("silent abort") << 3 << QStringList{} << 0;
        QTest::newRow("range") << 4 << QStringList{QStringLiteral("TRangeError:too far")} << 1;
        QTest::newRow("anything else") << 5 << QStringList{QStringLiteral("Exception:broken")} << 1;
    }

    void otherErrors() {
        QFETCH(int, which);
        QFETCH(QStringList, texts);
        QFETCH(int, errorBoxes);
        std::exception_ptr error;
        switch (which) {
            case 0:
                error = std::make_exception_ptr(
                    TConversionError(QStringLiteral("'2015-13-01' is not a valid date")));
                break;
            case 1:
                error = std::make_exception_ptr(
                    TConversionError(QStringLiteral("Format '%d' invalid or incompatible with argument")));
                break;
            case 2:
                error = std::make_exception_ptr(
                    TConversionError(QStringLiteral("'x' is not a valid integer value")));
                break;
            case 3:
                error = std::make_exception_ptr(TSilentAbort());
                break;
            case 4:
                error = std::make_exception_ptr(TRangeError(QStringLiteral("too far")));
                break;
            default:
                error = std::make_exception_ptr(std::runtime_error("broken"));
                break;
        }
        TRecordingPresenter messages;
        HandleApplicationError(nullptr, error);
        QCOMPARE(messages.Texts(), texts);
        int boxes = 0;
        for (const auto& entry : messages.Entries())
            boxes += entry.kind == TMessageKind::Error ? 1 : 0;
        QCOMPARE(boxes, errorBoxes);
    }

    void errorsInsideEventsAreHandled() {
        TRecordingPresenter messages;
        QPushButton button;
        QObject::connect(&button, &QPushButton::clicked, [] { throw TSilentAbort(); });
        QObject::connect(&button, &QPushButton::pressed,
                         [] { throw TConversionError(QStringLiteral("'1' is not a valid date")); });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("请按格式YYYY-MM-DD 输入日期")});
    }

    void organisationWindowRenamesTheCaption() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral(
            "INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, COMPANY_NAME) VALUES ('000001', '市档案馆')")));
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("市档案馆档案管理系统"));
        TRecordingPresenter messages;
        QAction* item = form.Item(QStringLiteral("CompanyItem"));
        QVERIFY(item->isEnabled());
        item->trigger();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("您没有在程序\"单位名称录入编辑\"中的权限")});
        Grant(QStringLiteral("ADMIN"), 1, 7);
        messages.Clear();
        item->trigger();
        QVERIFY(messages.Entries().isEmpty());
        auto* company = form.findChild<TCompanyForm*>();
        QVERIFY(company);
        QCOMPARE(company->windowTitle(), QStringLiteral("单位资料编辑窗口"));
        QCOMPARE(company->Query()->RecordCount(), 1);
        QVERIFY(!company->Grid()->IsColumnShown(QStringLiteral("NO_SUCH")));
        QVERIFY(company->Grid()->IsColumnShown(QStringLiteral("COMPANY_NAME")));
        QCOMPARE(company->Grid()
                     ->model()
                     ->headerData(company->Query()->FieldIndex(QStringLiteral("COMPANY_ID")), Qt::Horizontal,
                                  Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("单位编号"));

        company->ToolButton(QStringLiteral("button_add"))->trigger();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("单位名称只能有一个")});
        QCOMPARE(company->Query()->State(), TDataSetState::Browse);

        company->ToolButton(QStringLiteral("button_edit"))->trigger();
        // Chinese text arrives as an input-method commit, as a user's typing does.
        company->NameEdit()->setFocus();
        company->NameEdit()->selectAll();
        QInputMethodEvent typing;
        typing.setCommitString(QStringLiteral("县档案局"));
        QApplication::sendEvent(company->NameEdit(), &typing);
        company->ToolButton(QStringLiteral("button_save"))->trigger();
        QCOMPARE(company->Query()->State(), TDataSetState::Browse);
        QCOMPARE(form.windowTitle(), QStringLiteral("县档案局档案管理系统"));
        QCOMPARE(ValueText(QStringLiteral("SELECT COMPANY_NAME || '|' || EDIT_NAME FROM SYS_COMPANY_TABLE")),
                 QStringLiteral("县档案局|") + QDGlobal::CurrentUserName);
        // Searching the organisation list.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& find = static_cast<TQDFindForm&>(dialog);
            QCOMPARE(find.windowTitle(), QStringLiteral("单位资料查找窗口"));
            find.ChooseField(QStringLiteral("单位名称"));
            find.ChooseOperator(QStringLiteral("相似"));
            find.TextEdit()->setText(QStringLiteral("市"));
            find.DownButton()->click();
            find.SureButton()->click();
        });
        messages.Clear();
        company->ToolButton(QStringLiteral("button_find"))->trigger();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("没有找到符合条件的纪录")});
        QCOMPARE(company->Query()->RecordCount(), 0);
        // Emptied by the search, the table still has its one row.
        messages.Clear();
        QTRY_VERIFY(form.isActiveWindow());
        QVERIFY(company->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(form.windowHandle(), Qt::Key_F5);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("单位名称只能有一个")});
        QCOMPARE(company->Query()->State(), TDataSetState::Browse);
        company->ToolButton(QStringLiteral("button_close"))->trigger();
        QTRY_COMPARE(form.QDMain()->OpenCount(), 0);
    }

    // The keys reach a window just opened from the menu, and again after a
    // message box has closed, without a click into it. They are sent to the
    // main window as the window system sends a user's key presses.
    void keysReachAWindowOpenedFromTheMenu() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral(
            "INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, COMPANY_NAME) VALUES ('000001', '市档案馆')")));
        Grant(QStringLiteral("ADMIN"), 1, 7);
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.menuBar()->setFocus();
        form.Item(QStringLiteral("CompanyItem"))->trigger();
        auto* company = form.findChild<TCompanyForm*>();
        QVERIFY(company);
        QTRY_VERIFY(company->isAncestorOf(QApplication::focusWidget()));
        TRecordingPresenter messages;
        QTest::keyClick(form.windowHandle(), Qt::Key_F5);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("单位名称只能有一个")});
        QTest::keyClick(form.windowHandle(), Qt::Key_F6);
        QCOMPARE(company->Query()->State(), TDataSetState::Edit);
        QTest::keyClick(form.windowHandle(), Qt::Key_F9);
        QCOMPARE(company->Query()->State(), TDataSetState::Browse);
        QTest::keyClick(form.windowHandle(), Qt::Key_F12);
        QTRY_COMPARE(form.QDMain()->OpenCount(), 0);
    }

    // F1 shows the manual in a window of the program when no other program
    // can show it, and says "missing" only when the file is missing.
    void theManualShowsWithoutAViewer() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TMainForm form;
        const QString manual = TEnrolForm::ManualPath();
        QFile::remove(manual);
        TRecordingPresenter messages;
        TShell::SetOpener([](const QString&) { return false; });
        form.ShowHelp();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("没有找到帮助文件: ") + manual});
        QVERIFY(!form.ManualWindow());
        QFile file(manual);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>使用说明</title></head><body><h1>第一章</h1></body></html>");
        file.close();
        messages.Clear();
        form.ShowHelp();
        TShell::SetOpener({});
        QFile::remove(manual);
        QVERIFY(messages.Entries().isEmpty());
        QVERIFY(form.ManualWindow() && form.ManualWindow()->isVisible());
        auto* browser = form.ManualWindow()->findChild<QTextBrowser*>();
        QVERIFY(browser);
        QVERIFY(browser->toPlainText().contains(QStringLiteral("第一章")));
        QCOMPARE(form.ManualWindow()->windowTitle(), QStringLiteral("使用说明"));
    }

    void messageLogSavesItsLines() {
        QTemporaryDir dir;
        TErrorMsgForm log;
        QCOMPARE(log.windowTitle(), QStringLiteral("信息显示窗口"));
        log.AddLine(QStringLiteral("第 1 行: 导入成功"));
        log.AddLine(QStringLiteral("第 2 行: 档案编号重复"));
        log.SetDefaultFileName(QStringLiteral("导入结果.txt"));
        const QString target = dir.filePath(QStringLiteral("结果.txt"));
        TFileDialogs::SetNextFileName(target);
        log.SaveButton()->click();
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("第 1 行: 导入成功\n第 2 行: 档案编号重复\n"));
        TFileDialogs::SetNextFileName(QString());  // cancelled
        log.SaveButton()->click();
        QCOMPARE(TFileDialogs::Pending(), 0);
    }
};

int main(int argc, char* argv[]) {
    TQDApplication application(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainwindow.moc"

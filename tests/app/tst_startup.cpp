#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtSql/QSqlQuery>
#include <QtTest>

#include "app/EnrolForm.h"
#include "app/LogonForm.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "app/ShowForm.h"
#include "catalogue/SetAutoIDForm.h"
#include "data/Clock.h"
#include "data/DM.h"
#include "data/DatabaseInstaller.h"
#include "data/Password.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDComboBox.h"
#include "framework/QDEdit.h"
#include "framework/Shell.h"
#include "tests/support/TestDatabase.h"

namespace {

// A database with an administrator and two other users, closed again, as a
// program start finds it.
void PrepareUsers() {
    TTestDatabase db;
    Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, USE_PASSWORD, SYS_USER, STOP_RIGHT) VALUES "
                           "('ADMIN', '管理员', ?, '是', '有效'), ('U2', '张三', ?, '否', '有效'), "
                           "('U3', '李四', ?, '否', '停用')"),
            {TPassword::Hash(QStringLiteral("secret")), TPassword::Hash(QStringLiteral("481")),
             TPassword::Hash(QStringLiteral("481"))});
    Execute(QStringLiteral("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, COMPANY_NAME) VALUES ('000001', '市档案馆')"));
    // Keep the database where the next start finds it.
    QDir().rename(db.Root() + QStringLiteral("/QDArchives"), QFileInfo(TDM::DefaultDatabaseFolder()).path());
}

void UseDefaultDatabase() {
    RemoveAlias();
    SetAliasFolder(TDM::DefaultDatabaseFolder());
}

// Types into a sign-on dialog and presses 确定[F3] with the F3 key.
void TypeSignOn(QDialog& dialog, const QString& user, const QString& password) {
    auto& logon = static_cast<TLogonForm&>(dialog);
    logon.UserIDBox()->setEditText(user);
    logon.PasswordEdit()->setText(password);
    QTest::keyClick(&logon, Qt::Key_F3);
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TShowForm::SetSplashTime(0);
        TShell::SetOpener([this](const QString& path) {
            m_opened.append(path);
            return true;
        });
    }

    void init() {
        TModalSeam::Clear();
        RemoveAlias();
        QDir(QFileInfo(TDM::DefaultDatabaseFolder()).path()).removeRecursively();
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 30)));
        m_opened.clear();
        QDGlobal::CurrentUserId.clear();
        QDGlobal::CurrentUserName.clear();
        QDGlobal::CurrentUserIsAdministrator = false;
        QDGlobal::EnrolledThisRun = false;
    }

    void cleanup() {
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
        TClock::Reset();
    }

    void splashStaysForItsTime() {
        TShowForm::SetSplashTime(120);
        QElapsedTimer timer;
        timer.start();
        {
            TShowForm splash;
            QCOMPARE(splash.size(), QSize(371, 229));
            QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
            splash.ShowAndWait();
            QVERIFY(splash.isVisible());
        }
        QVERIFY(timer.elapsed() >= 110);
        QCOMPARE(QDGlobal::StartDateText, QStringLiteral("2015-03-25"));
        TShowForm::SetSplashTime(0);
    }

    void firstStartEnrolsTheAdministrator() {
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& enrol = static_cast<TEnrolForm&>(dialog);
            QCOMPARE(enrol.windowTitle(), QStringLiteral("注册窗口"));
            QCOMPARE(enrol.size(), QSize(487, 248));
            QCOMPARE(QApplication::focusWidget(), enrol.CompanyEdit());
            // Each missing input is named in order and gets the focus.
            struct Step {
                TQDEdit* fill;
                QString text;
                QString message;
                TQDEdit* focus;
            };
            const Step steps[] = {
                {nullptr, {}, QStringLiteral("必须输入单位名称"), enrol.CompanyEdit()},
                {enrol.CompanyEdit(), QStringLiteral("  市档案馆 "), QStringLiteral("必须输入用户编号"), enrol.UserIdEdit()},
                {enrol.UserIdEdit(), QStringLiteral("adm"), QStringLiteral("必须输入用户姓名"), enrol.UserNameEdit()},
                {enrol.UserNameEdit(), QStringLiteral("王管理"), QStringLiteral("必须输入用户口令"), enrol.PasswordEdit()},
                {enrol.PasswordEdit(), QStringLiteral("pw'1"), QStringLiteral("必须确认用户口令"), enrol.ConfirmEdit()},
                {enrol.ConfirmEdit(), QStringLiteral("pw'2"), QStringLiteral("口令确认错误"), enrol.PasswordEdit()},
            };
            for (const Step& step : steps) {
                if (step.fill) {
                    if (step.text.at(0).unicode() < 0x80 && step.text.trimmed() == step.text) {
                        step.fill->clear();
                        QTest::keyClicks(step.fill, step.text);
                    } else {
                        step.fill->setText(step.text);
                    }
                }
                messages.Clear();
                QTest::keyClick(&enrol, Qt::Key_F3);
                QCOMPARE(messages.Texts(), QStringList{step.message});
                QCOMPARE(QApplication::focusWidget(), step.focus);
            }
            QCOMPARE(enrol.UserIdEdit()->text(), QStringLiteral("ADM"));
            enrol.ConfirmEdit()->setText(QStringLiteral("pw'1"));
            TModalSeam::QueueHandler([](QDialog& numbering) {
                auto& form = static_cast<TSetAutoIDForm&>(numbering);
                QCOMPARE(form.windowTitle(), QStringLiteral("编号方式设置窗口"));
                QCOMPARE(form.DetailBox()->text(), QStringLiteral("系统自动填写档案明细资料编号"));
                QVERIFY(form.BackupBox()->isChecked());
                form.ArchiveBox()->setChecked(true);
                form.Mode(2)->setChecked(true);
                form.OkButton()->click();
            });
            messages.Clear();
            QTest::keyClick(&enrol, Qt::Key_F3);
        });
        TProgram program;
        QVERIFY(program.Start());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("您的用户名称是：王管理\n\r用户编号是：ADM\n\r您的口令是：pw'1       ")});
        QCOMPARE(program.MainForm()->windowTitle(), QStringLiteral("市档案馆档案管理系统"));
        QCOMPARE(QDGlobal::CurrentUserId, QStringLiteral("ADM"));
        QCOMPARE(QDGlobal::CurrentUserName, QStringLiteral("王管理"));
        QVERIFY(QDGlobal::CurrentUserIsAdministrator);
        QVERIFY(QDGlobal::EnrolledThisRun);
        QCOMPARE(m_opened, QStringList{TEnrolForm::ManualPath()});

        QSqlQuery user = OpenQuery(QStringLiteral("SELECT USE_NAME, USE_PASSWORD, SYS_USER, STOP_RIGHT, CREATE_DATE FROM "
                                                  "SYS_USER_TABLE WHERE USE_ID = 'ADM'"));
        QVERIFY(user.next());
        QCOMPARE(user.value(0).toString(), QStringLiteral("王管理"));
        QVERIFY(user.value(1).toString() != QStringLiteral("pw'1"));
        QVERIFY(TPassword::Verify(QStringLiteral("pw'1"), user.value(1).toString()));
        QCOMPARE(user.value(2).toString(), QStringLiteral("是"));
        QCOMPARE(user.value(3).toString(), QStringLiteral("有效"));
        QCOMPARE(user.value(4).toString(), QStringLiteral("2015-03-25"));
        user.finish();
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(COMPOSE_ID || '.' || PROGRAM_ID, ' ') FROM (SELECT * FROM "
                                          "SYS_RIGHT_TABLE WHERE USE_ID = 'ADM' AND ADD_RIGHT = '是' AND EDIT_RIGHT = '是' "
                                          "AND DELETE_RIGHT = '是' AND BROWSE_RIGHT = '是' AND PRINT_RIGHT = '是' AND "
                                          "VERIFY_RIGHT = '是' AND CURRENCY_RIGHT = '是' ORDER BY COMPOSE_ID, PROGRAM_ID)")),
                 QStringLiteral("1.1 1.2 1.3 1.4 1.5 1.6 2.1 2.2"));
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(PRINT_ID || ':' || PRINT_INDEX || ':' || PRINT_NAME || ':' || "
                                          "PRINT_TYPE, '|') FROM (SELECT * FROM SYS_PRINT_NAME_TABLE ORDER BY PRINT_ID)")),
                 QStringLiteral("200700000007:ArchiveForm:档案资料:M|200700000008:QueryArchiveDetail:档案明细资料查询报表:M|"
                                "200700000009:SelectArchivesDetailForm:档案明细资料报表:MD|200700000010:SelectArchivesLend:"
                                "档案借阅单:MD|200700000011:QueryArchiveLendForm:档案借阅资料查询报表:M"));
        QCOMPARE(ValueText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '档案编号'")), QStringLiteral("是"));
        QCOMPARE(ValueText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '不自动数据备份'")), QStringLiteral("否"));
        QCOMPARE(ValueText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '分类编号'")), QStringLiteral("2"));
        QCOMPARE(QDGlobal::CategoryNumbering, 2);
    }

    void enrolmentOverAnExistingIdReplacesItAndDropsOtherRights() {
        {
            TTestDatabase db;
            Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, USE_PASSWORD, SYS_USER, STOP_RIGHT) VALUES "
                                   "('A1', '旧名', 'x', '否', '停用'), ('B2', '他人', 'y', '否', '有效')"));
            Execute(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, BROWSE_RIGHT) VALUES "
                                   "('B2', 1, 1, '是'), ('B2', 1, 7, '是')"));
            QDir().rename(db.Root() + QStringLiteral("/QDArchives"), QFileInfo(TDM::DefaultDatabaseFolder()).path());
        }
        UseDefaultDatabase();
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& enrol = static_cast<TEnrolForm&>(dialog);
            enrol.CompanyEdit()->setText(QStringLiteral("档案室"));
            enrol.UserIdEdit()->setText(QStringLiteral("A1"));
            enrol.UserNameEdit()->setText(QStringLiteral("新名"));
            enrol.PasswordEdit()->setText(QStringLiteral("abc"));
            enrol.ConfirmEdit()->setText(QStringLiteral("abc"));
            TModalSeam::QueueHandler([](QDialog& numbering) { static_cast<TSetAutoIDForm&>(numbering).OkButton()->click(); });
            enrol.OkButton()->click();
        });
        TProgram program;
        QVERIFY(program.Start());
        QCOMPARE(ValueText(QStringLiteral("SELECT USE_NAME || SYS_USER || STOP_RIGHT FROM SYS_USER_TABLE WHERE USE_ID = 'A1'")),
                 QStringLiteral("新名是有效"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_USER_TABLE")), 2.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'B2'")), 0.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'A1'")), 8.0);
        QCOMPARE(ValueText(QStringLiteral("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE")), QStringLiteral("档案室"));
    }

    // Enrolment stores nothing that the windows saving the same rows would
    // refuse; the message and the focus are theirs.
    void enrolmentRefusesWhatTheColumnsCannotHold_data() {
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("23-character organisation")
            << QString(23, QChar(0x6863)) << "王管理" << "单位名称的内容太长，最多可以输入40个字节(一个汉字占2个字节)" << "QDEdit1";
        QTest::newRow("15-character user name")
            << "档案室" << QString(15, QChar(0x738B)) << "用户姓名的内容太长，最多可以输入20个字节(一个汉字占2个字节)" << "QDEdit5";
        QTest::newRow("emoji in the user name")
            << "档案室" << QStringLiteral("王\U0001F600") << "用户姓名中含有不能保存的字符" << "QDEdit5";
    }
    void enrolmentRefusesWhatTheColumnsCannotHold() {
        QFETCH(QString, company);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& enrol = static_cast<TEnrolForm&>(dialog);
            enrol.CompanyEdit()->setText(company);
            enrol.UserIdEdit()->setText(QStringLiteral("A1"));
            enrol.UserNameEdit()->setText(name);
            enrol.PasswordEdit()->setText(QStringLiteral("abc"));
            enrol.ConfirmEdit()->setText(QStringLiteral("abc"));
            QTest::keyClick(&enrol, Qt::Key_F3);
            QCOMPARE(messages.Texts(), QStringList{message});
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
            QTest::keyClick(&enrol, Qt::Key_F4);
        });
        TProgram program;
        QVERIFY(!program.Start());
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_USER_TABLE")), 0.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_COMPANY_TABLE")), 0.0);
    }

    // A length limit never keeps half of a character typed at its end.
    void anInputLimitKeepsCharactersWhole() {
        TQDEdit edit;
        edit.setMaxLength(40);
        edit.setText(QString(39, QLatin1Char('a')));
        edit.setFocus();
        edit.end(false);
        QInputMethodEvent typing;
        typing.setCommitString(QStringLiteral("\U0001F600"));
        QApplication::sendEvent(&edit, &typing);
        QCOMPARE(edit.text(), QString(39, QLatin1Char('a')));
    }

    void closingEnrolmentEndsTheProgram() {
        TModalSeam::QueueHandler([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_F4); });
        TProgram program;
        QVERIFY(!program.Start());
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_USER_TABLE")), 0.0);
    }

    void signOn_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("signedOn");
        QTest::newRow("by id") << "ADMIN" << "secret" << "ADMIN";
        QTest::newRow("by name with blanks") << "  管理员 " << " secret  " << "ADMIN";
        QTest::newRow("id typed in lower case") << "admin" << "secret" << "ADMIN";
        QTest::newRow("ordinary user with the new-user password") << "U2" << "481" << "U2";
        QTest::newRow("stopped user") << "U3" << "481" << "";
        QTest::newRow("wrong password") << "ADMIN" << "secre" << "";
        QTest::newRow("hostile id") << "' OR 1=1 --" << "' OR 1=1 --" << "";
        QTest::newRow("hostile name and password") << "x' OR '1'='1" << "x' OR '1'='1" << "";
    }

    void signOn() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, signedOn);
        PrepareUsers();
        UseDefaultDatabase();
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& logon = static_cast<TLogonForm&>(dialog);
            QCOMPARE(logon.windowTitle(), QStringLiteral("用户登陆窗口"));
            QCOMPARE(QApplication::focusWidget(), logon.UserIDBox());
            // Active users only, as listed.
            QCOMPARE(logon.UserIDBox()->count(), 2);
            TypeSignOn(dialog, user, password);
            if (!signedOn.isEmpty()) {
                return;
            }
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("错误的用户编号或错误的口令")});
            QCOMPARE(QApplication::focusWidget(), logon.UserIDBox());
            QTest::keyClick(&logon, Qt::Key_F4);
        });
        TProgram program;
        QCOMPARE(program.Start(), !signedOn.isEmpty());
        QCOMPARE(QDGlobal::CurrentUserId, signedOn);
        if (!signedOn.isEmpty()) {
            QCOMPARE(QDGlobal::CurrentUserIsAdministrator, signedOn == QStringLiteral("ADMIN"));
            QCOMPARE(program.MainForm()->windowTitle(), QStringLiteral("市档案馆档案管理系统"));
            QVERIFY(program.MainForm()->StatusPanel(1)->text().endsWith(QStringLiteral("操作员：") + QDGlobal::CurrentUserName));
            QVERIFY(!QDGlobal::EnrolledThisRun);
        }
    }

    void fourthFailureEndsTheProgram_data() {
        QTest::addColumn<bool>("correctAtFourth");
        QTest::newRow("correct at the fourth try") << true;
        QTest::newRow("wrong at the fourth try") << false;
    }

    void fourthFailureEndsTheProgram() {
        QFETCH(bool, correctAtFourth);
        PrepareUsers();
        UseDefaultDatabase();
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            for (int i = 0; i < 3; ++i) {
                TypeSignOn(dialog, QStringLiteral("ADMIN"), QStringLiteral("nope"));
            }
            QVERIFY(dialog.isVisible());
            TypeSignOn(dialog, QStringLiteral("ADMIN"), correctAtFourth ? QStringLiteral("secret") : QStringLiteral("nope"));
        });
        TProgram program;
        QCOMPARE(program.Start(), correctAtFourth);
        QStringList expected(3, QStringLiteral("错误的用户编号或错误的口令"));
        if (!correctAtFourth) {
            expected.append(QStringLiteral("您可能是非法的用户,不能登陆系统"));
        }
        QCOMPARE(messages.Texts(), expected);
    }

    // The only user is preselected, and the password takes the keys.
    void aSingleUserIsPreselected() {
        {
            TTestDatabase db;
            Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, USE_PASSWORD, SYS_USER, STOP_RIGHT) "
                                   "VALUES ('ADMIN', '管理员', ?, '是', '有效')"),
                    {TPassword::Hash(QStringLiteral("secret"))});
            QDir().rename(db.Root() + QStringLiteral("/QDArchives"), QFileInfo(TDM::DefaultDatabaseFolder()).path());
        }
        UseDefaultDatabase();
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& logon = static_cast<TLogonForm&>(dialog);
            QCOMPARE(logon.UserIDBox()->currentText(), QStringLiteral("管理员"));
            QCOMPARE(QApplication::focusWidget(), logon.PasswordEdit());
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("secret"));
            QTest::keyClick(&logon, Qt::Key_F3);
        });
        TProgram program;
        QVERIFY(program.Start());
        QCOMPARE(QDGlobal::CurrentUserId, QStringLiteral("ADMIN"));
    }

    void enterMovesOnInTheSignOnDialog() {
        PrepareUsers();
        UseDefaultDatabase();
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& logon = static_cast<TLogonForm&>(dialog);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), logon.PasswordEdit());
            QCOMPARE(logon.PasswordEdit()->echoMode(), QLineEdit::Password);
            QCOMPARE(logon.PasswordEdit()->maxLength(), 10);
            QCOMPARE(logon.findChild<QLabel*>(QStringLiteral("LongPasswordLabel"))->buddy(), logon.PasswordEdit());
            logon.ButtonCancel()->click();
        });
        TProgram program;
        QVERIFY(!program.Start());
    }

    void oldClearTextPasswordsAreHashedOnUpgrade() {
        {
            TTestDatabase db;
            Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, USE_PASSWORD, SYS_USER, STOP_RIGHT) VALUES "
                                   "('OLD', '老用户', '481', '是', '有效')"));
            Execute(QStringLiteral("PRAGMA user_version = 1"));
            QDir().rename(db.Root() + QStringLiteral("/QDArchives"), QFileInfo(TDM::DefaultDatabaseFolder()).path());
        }
        UseDefaultDatabase();
        TModalSeam::QueueHandler([](QDialog& dialog) { TypeSignOn(dialog, QStringLiteral("OLD"), QStringLiteral("481")); });
        TProgram program;
        QVERIFY(program.Start());
        const QString stored = ValueText(QStringLiteral("SELECT USE_PASSWORD FROM SYS_USER_TABLE WHERE USE_ID = 'OLD'"));
        QVERIFY(TPassword::IsHashed(stored));
        QCOMPARE(TDatabaseInstaller::Version(MainDatabase()), TDatabaseInstaller::CurrentVersion);
    }

    void missingDatabaseEndsBeforeAnyWindow() {
        QTemporaryDir root;
        SetAliasFolder(root.path() + QStringLiteral("/gone"));
        TRecordingPresenter messages;
        TProgram program;
        QVERIFY(!program.Start());
        QVERIFY(!program.MainForm());
        QCOMPARE(messages.Texts(), QStringList{TDM::MissingAliasMessage()});
    }

    // A file at the alias that is not a usable database of ours is refused
    // with a message naming what is wrong, and stays exactly as it was.
    void anUnusableDatabaseIsRefusedUnchanged_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("said");
        QTest::newRow("damaged user table") << "user table" << "数据库已损坏或不完整";
        QTest::newRow("missing user table") << "no user table" << "数据库已损坏或不完整";
        QTest::newRow("zero-length file") << "empty" << "是空的";
        QTest::newRow("no tables of ours") << "foreign" << "里没有档案管理系统的数据表";
        QTest::newRow("damaged header") << "header" << "不是档案管理系统的数据库";
    }
    void anUnusableDatabaseIsRefusedUnchanged() {
        QFETCH(QString, damage);
        QFETCH(QString, said);
        PrepareUsers();
        UseDefaultDatabase();
        const QString file = TDM::DatabaseFile(TDM::DefaultDatabaseFolder());
        int userPage = 0;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery query(db);
            if (damage == QLatin1String("no user table")) QVERIFY(query.exec(QStringLiteral("DROP TABLE SYS_USER_TABLE")));
            QVERIFY(query.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'SYS_USER_TABLE'")));
            if (query.next()) userPage = query.value(0).toInt();
            query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            query.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("damage"));
        QFile target(file);
        if (damage == QLatin1String("empty")) {
            QVERIFY(target.open(QIODevice::WriteOnly | QIODevice::Truncate));
        } else if (damage == QLatin1String("foreign")) {
            QFile::remove(file);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery(db).exec(QStringLiteral("CREATE TABLE NOTES (TEXT_LINE TEXT)"));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("damage"));
        } else if (damage == QLatin1String("user table")) {
            QVERIFY(userPage > 1);
            QVERIFY(target.open(QIODevice::ReadWrite));
            target.seek(qint64(userPage - 1) * 4096);
            target.write(QByteArray(4096, '\x7f'));
        } else if (damage == QLatin1String("header")) {
            QVERIFY(target.open(QIODevice::ReadWrite));
            target.write("NOT A DATABASE!!");
        }
        target.close();
        const auto digest = [&file] {
            QFile reading(file);
            return reading.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(reading.readAll(), QCryptographicHash::Sha256)
                                                     : QByteArray();
        };
        const QByteArray before = digest();
        TRecordingPresenter messages;
        TProgram program;
        QVERIFY(!program.Start());
        QCOMPARE(messages.Entries().size(), 1);
        QVERIFY2(messages.LastText().contains(said), qPrintable(messages.LastText()));
        QVERIFY(messages.LastText().contains(file));
        QVERIFY(!program.MainForm());
        QCOMPARE(digest(), before);
    }

private:
    QStringList m_opened;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

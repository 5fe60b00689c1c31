#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QtTest>

#include "app/MainForm.h"
#include "app/Program.h"
#include "data/Clock.h"
#include "data/DM.h"
#include "data/QDFun.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "tests/support/TestDatabase.h"

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init() {
        RemoveAlias();
        QDir(QFileInfo(TDM::DefaultDatabaseFolder()).path()).removeRecursively();
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 30)));
    }
    void cleanup() { TClock::Reset(); }

    void firstStartOpensTheMainWindowOnANewDatabase() {
        TRecordingPresenter messages;
        TProgram program;
        QVERIFY(program.Start());
        QVERIFY(messages.Entries().isEmpty());
        TMainForm* form = program.MainForm();
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("档案管理系统"));
        QCOMPARE(form->StatusPanel(1)->text(), QStringLiteral("2015年03月25日"));
        QCOMPARE(QDGlobal::StartDateText, QStringLiteral("2015-03-25"));
        QCOMPARE(QDGlobal::DatabaseFolder, TDM::DefaultDatabaseFolder());
        QVERIFY(QFileInfo(TDM::DatabaseFile(QDGlobal::DatabaseFolder)).isFile());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void captionCarriesTheOrganisationAndLeftoversGo() {
        {
            TProgram first;
            QVERIFY(first.Start());
            QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_COMPANY_TABLE (COMPANY_ID, COMPANY_NAME) VALUES (?, ?)"),
                            {QStringLiteral("000001"), QStringLiteral("市档案馆")}));
        }
        const QString programFolder = QFileInfo(TDM::DefaultDatabaseFolder()).path();
        const QString leftover = programFolder + QLatin1Char('/') + QDFun::LeftoverFileName(QStringLiteral("repair"));
        const QString userFile = programFolder + QStringLiteral("/MY.DB");
        for (const QString& path : {leftover, userFile}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        TProgram second;
        QVERIFY(second.Start());
        QCOMPARE(second.MainForm()->windowTitle(), QStringLiteral("市档案馆档案管理系统"));
        QCOMPARE(QDGlobal::CurrentCompanyName, QStringLiteral("市档案馆"));
        QVERIFY(!QFileInfo::exists(leftover));
        QVERIFY(QFileInfo::exists(userFile));
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
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <QtTest>

#include "data/DM.h"
#include "data/DatabaseError.h"
#include "data/DatabaseInstaller.h"
#include "data/ProgramNames.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SchemaCatalogue.h"
#include "data/Settings.h"
#include "data/SqlHelpers.h"
#include "tests/support/TestDatabase.h"

namespace {

// Every row of every table, as text, so two states of a database can be compared.
QStringList DumpRows() {
    QStringList rows;
    for (const TTableDef& table : TSchemaCatalogue::Tables()) {
        QSqlQuery query = OpenQuery(QStringLiteral("SELECT * FROM ") + table.name);
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i) {
                values.append(query.value(i).toString());
            }
            rows.append(table.name + QLatin1Char(':') + values.join(QLatin1Char('|')));
        }
    }
    rows.sort();
    return rows;
}

}  // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void init() {
        RemoveAlias();
        QDir(QFileInfo(TDM::DefaultDatabaseFolder()).path()).removeRecursively();
    }

    void firstStartCreatesEverySchemaTableAndTheDeliveredRows() {
        TRecordingPresenter messages;
        TDM dm;
        QVERIFY(!dm.Terminated());
        QVERIFY(messages.Entries().isEmpty());
        QCOMPARE(TDM::AliasFolder(), TDM::DefaultDatabaseFolder());
        QVERIFY(QFileInfo(TDM::DatabaseFile(TDM::DefaultDatabaseFolder())).isFile());

        dm.Connect();
        QCOMPARE(TDatabaseInstaller::MissingTables(MainDatabase()), QStringList());
        QCOMPARE(TDatabaseInstaller::Version(MainDatabase()), TDatabaseInstaller::CurrentVersion);
        QCOMPARE(QDGlobal::DatabaseFolder, TDM::DefaultDatabaseFolder());
        QCOMPARE(QDGlobal::ProgramFolder, QFileInfo(TDM::DefaultDatabaseFolder()).path());

        QCOMPARE(ValueText(QStringLiteral("SELECT COMPOSE_NAME FROM SYS_COMPOSE_TABLE WHERE COMPOSE_ID = 1")),
                 QStringLiteral("档案管理"));
        QCOMPARE(ValueText(QStringLiteral("SELECT COMPOSE_NAME FROM SYS_COMPOSE_TABLE WHERE COMPOSE_ID = 2")),
                 QStringLiteral("系统管理"));
        QCOMPARE(ValueText(QStringLiteral("SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1 AND "
                                          "PROGRAM_ID = 3")),
                 QStringLiteral("档案明细资料查询管理"));
        // Every function the windows check rights under, and only the numbers
        // enrolment grants plus the one left for the administrator.
        const QStringList groupOne{QStringLiteral("档案类别资料录入编辑"), QStringLiteral("档案资料录入编辑管理"),
                                   QStringLiteral("档案明细资料查询管理"), QStringLiteral("档案借阅记录查询管理"),
                                   QStringLiteral("EXCEL资料导入管理"), QStringLiteral("单位名称录入编辑"),
                                   QStringLiteral("档案借阅管理")};
        for (const QString& name : groupOne) {
            QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1 AND "
                                                "PROGRAM_NAME = ?"),
                                 {name}),
                     1.0);
        }
        for (const QString& name : {QStringLiteral("数据备份管理"), QStringLiteral("过时数据删除")}) {
            QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 2 AND "
                                                "PROGRAM_NAME = ?"),
                                 {name}),
                     1.0);
        }
        QCOMPARE(ValueNumber(QStringLiteral("SELECT MAX(PROGRAM_ID) FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1")),
                 7.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT MAX(PROGRAM_ID) FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 2")),
                 2.0);
        // Each row says for all five rights whether they can be granted.
        QCOMPARE(ValueNumber(QStringLiteral(
                     "SELECT COUNT(*) FROM SYS_PROGRAM_TABLE WHERE ADD_RIGHT IN ('是','否') AND BROWSE_RIGHT = '是' "
                     "AND PRINT_RIGHT IN ('是','否') AND VERIFY_RIGHT IN ('是','否') AND CURRENCY_RIGHT IN "
                     "('是','否')")),
                 9.0);
    }

    void secondStartLeavesTheDatabaseAsItWas() {
        {
            TDM first;
            first.Connect();
            QVERIFY(Execute(QStringLiteral("UPDATE SYS_PROGRAM_TABLE SET PROGRAM_NAME = ? WHERE COMPOSE_ID = 1 AND "
                                           "PROGRAM_ID = 3"),
                            {QStringLiteral("卷内文件查询管理")}));
            QVERIFY(Execute(QStringLiteral("DELETE FROM SYS_COMPOSE_TABLE WHERE COMPOSE_ID = 2")));
            QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME) VALUES ('A1', '张三')")));
        }
        QStringList before;
        {
            TDM second;
            QVERIFY(!second.Terminated());
            second.Connect();
            before = DumpRows();
        }
        TDM third;
        third.Connect();
        QCOMPARE(DumpRows(), before);
        QVERIFY(before.contains(QStringLiteral("SYS_USER_TABLE:A1|张三||||||||")));
        QCOMPARE(ValueText(QStringLiteral("SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1 AND "
                                          "PROGRAM_ID = 3")),
                 QStringLiteral("卷内文件查询管理"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_COMPOSE_TABLE")), 1.0);
    }

    void aliasLeadingNowhereEndsTheProgram_data() {
        QTest::addColumn<bool>("createFolder");
        QTest::newRow("folder missing") << false;
        QTest::newRow("folder without database") << true;
    }

    void aliasLeadingNowhereEndsTheProgram() {
        QFETCH(bool, createFolder);
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Database");
        if (createFolder) {
            QVERIFY(QDir().mkpath(folder));
        }
        SetAliasFolder(folder);
        TRecordingPresenter messages;
        TDM dm;
        QVERIFY(dm.Terminated());
        QCOMPARE(messages.Texts(), QStringList{TDM::MissingAliasMessage()});
        QCOMPARE(messages.Entries().first().title, QStringLiteral("提示信息"));
        // It names what is missing and what to do, for this machine.
        QVERIFY(messages.LastText().startsWith(QStringLiteral("没有找到数据库：") + folder));
        QVERIFY(messages.LastText().contains(QStringLiteral("用最新的数据备份恢复数据")));
        QVERIFY(!messages.LastText().contains(QStringLiteral("Window")));
        // Nothing is created behind the user's back.
        QCOMPARE(QDir(folder).exists(), createFolder);
        QVERIFY(!QFileInfo::exists(TDM::DatabaseFile(folder)));
    }

    void databaseOfANewerProgramIsRefused() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("PRAGMA user_version = 99")));
        db.DataModule()->Disconnect();
        QVERIFY_THROWS_EXCEPTION(TDatabaseError, db.DataModule()->Connect());
        QVERIFY(!db.DataModule()->IsConnected());
    }

    void olderDatabaseIsUpgradedKeepingItsRows() {
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Database");
        QVERIFY(QDir().mkpath(folder));
        {
            QSqlDatabase old = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
            old.setDatabaseName(TDM::DatabaseFile(folder));
            QVERIFY(old.open());
            QSqlQuery query(old);
            QVERIFY(query.exec(QStringLiteral("CREATE TABLE SYS_USER_TABLE (USE_ID TEXT PRIMARY KEY, USE_NAME TEXT, "
                                              "USE_PASSWORD TEXT, SYS_USER TEXT, STOP_RIGHT TEXT, NOTE TEXT, "
                                              "CREATE_NAME TEXT, CREATE_DATE TEXT, EDIT_NAME TEXT, EDIT_DATE TEXT)")));
            QVERIFY(query.exec(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME, SYS_USER) VALUES "
                                              "('ADMIN', '管理员', '是')")));
            old.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));
        SetAliasFolder(folder);
        TDM dm;
        QVERIFY(!dm.Terminated());
        dm.Connect();
        QCOMPARE(TDatabaseInstaller::MissingTables(MainDatabase()), QStringList());
        QCOMPARE(ValueText(QStringLiteral("SELECT USE_NAME FROM SYS_USER_TABLE WHERE USE_ID = 'ADMIN'")),
                 QStringLiteral("管理员"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_PROGRAM_TABLE")), 9.0);
    }

    void tablesHaveTheCatalogueColumnsAndKeys() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        for (const TTableDef& table : TSchemaCatalogue::Tables()) {
            QSqlQuery info = OpenQuery(QStringLiteral("PRAGMA table_info(") + table.name + QLatin1Char(')'));
            QStringList columns, keys;
            while (info.next()) {
                columns.append(info.value(1).toString());
                if (info.value(5).toInt() > 0) {
                    keys.append(info.value(1).toString());
                }
            }
            QStringList expected;
            for (const TColumnDef& column : table.columns) {
                expected.append(column.name);
            }
            QCOMPARE(columns, expected);
            QCOMPARE(keys, table.KeyColumns());
        }
        // A few the screens depend on.
        QCOMPARE(TSchemaCatalogue::Column(QStringLiteral("QD_ARCHIVE_MASTER_TABLE"), QStringLiteral("TEXT_FIELD11"))
                     ->width,
                 160);
        QCOMPARE(TSchemaCatalogue::Table(QStringLiteral("QD_ARCHIVE_LEND_TABLE"))->KeyColumns(),
                 (QStringList{QStringLiteral("LEND_ID"), QStringLiteral("ARCHIVE_RECORD_ID")}));
        QCOMPARE(TSchemaCatalogue::Column(QStringLiteral("QD_ARCHIVE_DETAIL_TABLE"),
                                          QStringLiteral("DETAIL_NUMBER_FIELD6"))
                     ->kind,
                 TFieldKind::Float);
        QCOMPARE(TSchemaCatalogue::Column(QStringLiteral("SYS_USER_TABLE"), QStringLiteral("USE_NAME"))->width, 20);
        QVERIFY(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = "
                                           "'QD_ARCHIVE_DETAIL_TABLE' AND sql IS NOT NULL")) >= 2);
    }

    void textWidthsCountCodePageBytes_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("fits");
        QTest::newRow("six latin letters in USE_ID") << "USE_ID" << "ABCDEF" << true;
        QTest::newRow("seven latin letters in USE_ID") << "USE_ID" << "ABCDEFG" << false;
        QTest::newRow("three Chinese in USE_ID") << "USE_ID" << "张三丰" << true;
        QTest::newRow("four Chinese in USE_ID") << "USE_ID" << "张三丰李" << false;
        QTest::newRow("ten Chinese in USE_NAME") << "USE_NAME" << "一二三四五六七八九十" << true;
        QTest::newRow("eleven Chinese in USE_NAME") << "USE_NAME" << "一二三四五六七八九十百" << false;
        QTest::newRow("character outside the code page") << "USE_NAME" << "😀" << false;
    }

    void textWidthsCountCodePageBytes() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(bool, fits);
        const TColumnDef* def = TSchemaCatalogue::Column(QStringLiteral("SYS_USER_TABLE"), column);
        QVERIFY(def);
        QCOMPARE(TSchemaCatalogue::WidthProblem(*def, value).isEmpty(), fits);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"

#include "data/DM.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include "data/Clock.h"
#include "data/DatabaseError.h"
#include "data/DatabaseInstaller.h"
#include "data/Dialect.h"
#include "data/MessageBoxes.h"
#include "data/QDFun.h"
#include "data/QDGlobal.h"
#include "data/Settings.h"
#include "data/SqlHelpers.h"

TDM::TDM(QObject* parent) : QObject(parent) {
    if (!HasSetting(QLatin1String(SettingNames::DatabaseAlias))) {
        // A machine that has never run the program: act as the installer.
        m_terminated = !InstallDefault();
        return;
    }
    const QString folder = AliasFolder();
    if (!QDFun::IsFolder(folder) || !QFileInfo(DatabaseFile(folder)).isFile()) {
        Information(MissingAliasMessage());
        m_terminated = true;
    }
}

TDM::~TDM() { Disconnect(); }

QString TDM::MissingAliasMessage() {
    return QStringLiteral(
               "1.没有找到软件设置的数据库连接参数，如果操作系统是Window7 或 "
               "以上的操作系统，用鼠标右键点桌面软件图标，在弹出的菜单里点属性，点兼容方式，把 以管理员身份运行此软件 "
               "打勾,然后重新打开软件。") +
           QStringLiteral("\n\r") +
           QStringLiteral(
               "2.如果打勾后还提示此信息，或者是XP操作系统提示此信息，就要重新安装软件，如果有录入的数据，不要卸载和删除以前装"
               "的软件，换个盘重新安装，不要覆盖以前的软件，安装好后用最新的数据备份恢复数据");
}

bool TDM::InstallDefault() {
    const QString folder = DefaultDatabaseFolder();
    QString error;
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("不能建立数据库文件夹: ") + folder;
    } else if (!QFileInfo(DatabaseFile(folder)).isFile() &&
               !TDatabaseInstaller::CreateDatabase(DatabaseFile(folder), &error)) {
        // error is set
    } else if (!WriteSetting(QLatin1String(SettingNames::DatabaseAlias), folder)) {
        return false;  // the settings store has reported its own failure
    } else {
        return true;
    }
    Error(QStringLiteral("不能建立数据库: ") + error);
    return false;
}

QString TDM::AliasFolder() { return ReadSetting(QLatin1String(SettingNames::DatabaseAlias)); }

QString TDM::DefaultDatabaseFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::cleanPath(base + QStringLiteral("/QDSOFTWARE/QDArchives/Database"));
}

QString TDM::DatabaseFile(const QString& folder) {
    return QDir::cleanPath(folder + QLatin1Char('/') + QLatin1String(DatabaseFileName));
}

QString TDM::ProgramFolderOf(const QString& databaseFolder) {
    const QString clean = QDir::cleanPath(databaseFolder);
    const qsizetype cut = clean.lastIndexOf(QLatin1Char('/'));
    return cut <= 0 ? clean.left(cut + 1) : clean.left(cut);
}

void TDM::Connect() {
    if (IsConnected()) {
        return;
    }
    const QString folder = AliasFolder();
    const QString file = DatabaseFile(folder);
    if (!QFileInfo(file).isFile()) {
        throw TDatabaseError(QStringLiteral("数据库文件不存在: ") + file, QString());
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(DatabaseConnectionName));
    // Opened read-write without create, so a database that vanished is an error
    // instead of a new empty file.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    db.setDatabaseName(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(DatabaseConnectionName));
        throw TDatabaseError(error, file);
    }
    for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=OFF",
                               "PRAGMA temp_store=MEMORY"}) {
        QSqlQuery query(db);
        query.exec(QLatin1String(pragma));
    }
    QString error;
    if (!TDatabaseInstaller::Upgrade(db, &error)) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(DatabaseConnectionName));
        throw TDatabaseError(error, file);
    }
    QDGlobal::DatabaseFolder = QDir::cleanPath(folder);
    QDGlobal::ProgramFolder = ProgramFolderOf(folder);
}

bool TDM::IsConnected() const { return MainDatabase().isOpen(); }

void TDM::Disconnect() {
    if (!QSqlDatabase::contains(QLatin1String(DatabaseConnectionName))) {
        return;
    }
    {
        QSqlDatabase db = MainDatabase();
        if (db.isOpen()) {
            QSqlQuery checkpoint(db);
            checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            checkpoint.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(QLatin1String(DatabaseConnectionName));
}

void TDM::Today() {
    QDate today = TClock::Today();
    const QString statement = TDialect::TodayStatement(ProgramSqlType);
    if (!statement.isEmpty()) {
        const QDate server = QDate::fromString(ValueText(statement).trimmed(), QStringLiteral("yyyy/MM/dd"));
        if (server.isValid()) {
            today = server;
        }
    }
    QDGlobal::StartDateText = today.toString(QStringLiteral("yyyy-MM-dd"));
}

#include "data/DM.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <sqlite3.h>
#include <sys/stat.h>

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
    return QStringLiteral("没有找到数据库：%1\n"
                          "数据库文件夹或其中的数据库文件 %2 已经不在设置的位置。如果它被移动或改名了，请把它放回原处；"
                          "如果它已经丢失，请不要删除本程序的任何文件，重新安装后用最新的数据备份恢复数据。")
        .arg(AliasFolder(), QLatin1String(DatabaseFileName));
}

QString TDM::VanishedMessage() {
    return QStringLiteral("数据库文件已经不在原来的位置（可能被移动或删除）：%1\n"
                          "这次修改没有保存，输入的内容还在窗口里。请把数据库文件放回原处后再保存；"
                          "如果它已经丢失，请取消修改，关闭程序后用最新的数据备份恢复数据。")
        .arg(DatabaseFile(QDGlobal::DatabaseFolder.isEmpty() ? AliasFolder() : QDGlobal::DatabaseFolder));
}

QString TDM::StartFailureMessage(const QString& detail) {
    return QStringLiteral("数据库已损坏或不完整，程序不能使用它：%1\n"
                          "程序没有改动这个文件。请用最新的数据备份恢复数据，或者请系统管理员修复数据库。\n\n(%2)")
        .arg(DatabaseFile(AliasFolder()), detail);
}

QString TDM::Unusable(const QString& file) {
    const QFileInfo info(file);
    const QString unchanged = QStringLiteral("程序没有改动这个文件，请用最新的数据备份恢复数据。");
    if (info.size() == 0) {
        return QStringLiteral("数据库文件 %1 是空的，里面没有任何数据。").arg(file) + unchanged;
    }
    QFile reading(file);
    if (!reading.open(QIODevice::ReadOnly)) {
        return QStringLiteral("不能读取数据库文件 %1，请让系统管理员给这个文件读写的权限。").arg(file);
    }
    if (reading.read(16) != QByteArray("SQLite format 3", 16)) {
        return QStringLiteral("文件 %1 不是档案管理系统的数据库，或者它的文件头已经损坏。").arg(file) + unchanged;
    }
    if (!info.isWritable()) {
        return QStringLiteral("数据库文件 %1 是只读的，不能保存任何数据。请让系统管理员取消它的只读属性，然后重新打开程序。")
            .arg(file);
    }
    if (!QFileInfo(info.path()).isWritable()) {
        return QStringLiteral("数据库文件夹 %1 不能写入（程序要在里面建立数据库的工作文件）。"
                              "请让系统管理员给这个文件夹写入的权限，然后重新打开程序。")
            .arg(info.path());
    }
    return {};
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

namespace {
// The file the connection was opened on, by device and inode: a path that now
// names nothing, or another file, means the user's saves would go nowhere.
struct TOpenedFile {
    QByteArray path;
    dev_t device = 0;
    ino_t inode = 0;
};
TOpenedFile& Opened() {
    static TOpenedFile opened;
    return opened;
}

int RefuseCommitToAnotherFile(void*) {
    struct stat now {};
    const TOpenedFile& opened = Opened();
    if (::stat(opened.path.constData(), &now) != 0 || now.st_dev != opened.device || now.st_ino != opened.inode) {
        return 1;  // turns the commit into a rollback
    }
    return 0;
}

bool HasOurTables(QSqlDatabase& db) {
    QSqlQuery query(db);
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                                     "('SYS_USER_TABLE', 'QD_ARCHIVE_MASTER_TABLE')")) &&
           query.next() && query.value(0).toInt() > 0;
}
}  // namespace

void TDM::Connect() {
    if (IsConnected()) {
        return;
    }
    const QString folder = AliasFolder();
    const QString file = DatabaseFile(folder);
    if (!QFileInfo(file).isFile()) {
        throw TDatabaseError(QStringLiteral("数据库文件不存在: ") + file, QString());
    }
    if (const QString problem = Unusable(file); !problem.isEmpty()) {
        throw TDatabaseError(problem, QString());
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(DatabaseConnectionName));
    // Opened read-write without create, so a database that vanished is an error
    // instead of a new empty file.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    db.setDatabaseName(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    const auto give_up = [&db](const QString& message, const QString& code) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(DatabaseConnectionName));
        throw TDatabaseError(message, QString(), code);
    };
    if (!db.open()) {
        const QSqlError error = db.lastError();
        give_up(error.text(), error.nativeErrorCode());
    }
    // Only a missing file is ever made into a new database: an existing one
    // without our tables is somebody else's file, or what is left of ours.
    if (!HasOurTables(db)) {
        QSqlQuery probe(db);
        const bool readable = probe.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        give_up(readable ? QStringLiteral("文件 %1 里没有档案管理系统的数据表。程序没有改动这个文件，请用最新的数据备份恢复数据。")
                               .arg(file)
                         : StartFailureMessage(probe.lastError().text()),
                QString());
    }
    for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=OFF",
                               "PRAGMA temp_store=MEMORY"}) {
        QSqlQuery query(db);
        query.exec(QLatin1String(pragma));
    }
    QString error;
    if (!TDatabaseInstaller::Upgrade(db, &error)) {
        give_up(error, QString());
    }
    struct stat opened {};
    if (::stat(QFile::encodeName(file).constData(), &opened) == 0) {
        Opened() = {QFile::encodeName(file), opened.st_dev, opened.st_ino};
        if (sqlite3* handle = EngineHandle(db)) {
            sqlite3_commit_hook(handle, &RefuseCommitToAnotherFile, nullptr);
        }
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

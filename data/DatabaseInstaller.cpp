#include "data/DatabaseInstaller.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include "data/Password.h"
#include "data/ProgramNames.h"
#include "data/SchemaCatalogue.h"

namespace {

bool Run(QSqlDatabase& db, const QString& statement, QString* error, const QVariantList& values = {}) {
    QSqlQuery query(db);
    bool ok = false;
    if (values.isEmpty()) {
        ok = query.exec(statement);
    } else if (query.prepare(statement)) {
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        ok = query.exec();
    }
    if (!ok && error) {
        *error = query.lastError().text() + QStringLiteral(": ") + statement;
    }
    return ok;
}

QString Flag(bool yes) { return yes ? QStringLiteral("是") : QStringLiteral("否"); }

}  // namespace

int TDatabaseInstaller::Version(const QSqlDatabase& db) {
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next()) {
        return query.value(0).toInt();
    }
    return -1;
}

QStringList TDatabaseInstaller::MissingTables(const QSqlDatabase& db) {
    const QStringList present = db.tables();
    QStringList missing;
    for (const TTableDef& table : TSchemaCatalogue::Tables()) {
        if (!present.contains(table.name, Qt::CaseInsensitive)) {
            missing.append(table.name);
        }
    }
    return missing;
}

bool TDatabaseInstaller::CreateSchema(QSqlDatabase& db, QString* error) {
    const QStringList missing = MissingTables(db);
    for (const TTableDef& table : TSchemaCatalogue::Tables()) {
        if (!missing.contains(table.name)) {
            continue;
        }
        if (!Run(db, TSchemaCatalogue::CreateTableStatement(table), error)) {
            return false;
        }
        for (const QString& index : TSchemaCatalogue::CreateIndexStatements(table)) {
            if (!Run(db, index, error)) {
                return false;
            }
        }
    }
    return true;
}

bool TDatabaseInstaller::WriteDeliveredRows(QSqlDatabase& db, QString* error) {
    QSqlQuery count(db);
    if (count.exec(QStringLiteral("SELECT COUNT(*) FROM SYS_COMPOSE_TABLE")) && count.next() &&
        count.value(0).toInt() > 0) {
        return true;  // the groups are there already; never touch an administrator's edits
    }
    count.finish();
    const QList<std::pair<int, QString>> groups{{1, ProgramNames::GroupArchives}, {2, ProgramNames::GroupSystem}};
    for (const auto& [id, name] : groups) {
        if (!Run(db, QStringLiteral("INSERT INTO SYS_COMPOSE_TABLE (COMPOSE_ID, COMPOSE_NAME) VALUES (?, ?)"), error,
                 {id, name})) {
            return false;
        }
    }
    for (const ProgramNames::TDeliveredProgram& program : ProgramNames::DeliveredPrograms()) {
        if (!Run(db,
                 QStringLiteral("INSERT INTO SYS_PROGRAM_TABLE (COMPOSE_ID, PROGRAM_ID, PROGRAM_NAME, ADD_RIGHT, "
                                "BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT, CURRENCY_RIGHT) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 error,
                 {program.composeId, program.programId, program.name, Flag(program.add), Flag(program.browse),
                  Flag(program.print), Flag(program.verify), Flag(program.currency)})) {
            return false;
        }
    }
    return true;
}

bool TDatabaseInstaller::HashStoredPasswords(QSqlDatabase& db, QString* error) {
    QSqlQuery users(db);
    if (!users.exec(QStringLiteral("SELECT USE_ID, USE_PASSWORD FROM SYS_USER_TABLE"))) {
        if (error) *error = users.lastError().text();
        return false;
    }
    QList<std::pair<QString, QString>> clear;
    while (users.next()) {
        const QString stored = users.value(1).toString();
        if (!stored.isEmpty() && !TPassword::IsHashed(stored)) {
            clear.append({users.value(0).toString(), stored});
        }
    }
    users.finish();
    for (const auto& [id, password] : clear) {
        if (!Run(db, QStringLiteral("UPDATE SYS_USER_TABLE SET USE_PASSWORD = ? WHERE USE_ID = ?"), error,
                 {TPassword::Hash(password), id})) {
            return false;
        }
    }
    return true;
}

bool TDatabaseInstaller::Upgrade(QSqlDatabase& db, QString* error) {
    const int version = Version(db);
    if (version < 0) {
        if (error) *error = QStringLiteral("不能读取数据库的版本");
        return false;
    }
    if (version == CurrentVersion) {
        return true;
    }
    if (version > CurrentVersion) {
        if (error) {
            *error = QStringLiteral("数据库是由较新版本的程序建立的(版本 %1)，本程序只能打开版本 %2 及以前的数据库")
                         .arg(version)
                         .arg(CurrentVersion);
        }
        return false;
    }
    if (!db.transaction()) {
        if (error) *error = db.lastError().text();
        return false;
    }
    bool ok = true;
    // Version 0 is a database without our tables (or one made before versions
    // were recorded): create what is missing and the delivered rows.
    if (version < 1) {
        ok = CreateSchema(db, error) && WriteDeliveredRows(db, error);
    }
    // Version 2 keeps passwords only as hashes.
    if (ok && version < 2) {
        ok = HashStoredPasswords(db, error);
    }
    ok = ok && Run(db, QStringLiteral("PRAGMA user_version = %1").arg(CurrentVersion), error);
    if (!ok) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        if (error) *error = db.lastError().text();
        return false;
    }
    return true;
}

bool TDatabaseInstaller::CreateDatabase(const QString& file, QString* error) {
    if (QFileInfo::exists(file)) {
        if (error) *error = QStringLiteral("数据库文件已经存在: ") + file;
        return false;
    }
    const QString connection = QStringLiteral("QDArchivesInstall-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        if (!db.open()) {
            if (error) *error = db.lastError().text();
        } else {
            ok = Run(db, QStringLiteral("PRAGMA journal_mode=WAL"), error) && Upgrade(db, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!ok) {
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-wal"));
        QFile::remove(file + QStringLiteral("-shm"));
    }
    return ok;
}

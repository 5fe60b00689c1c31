#pragma once

#include <QString>
#include <QStringList>
#include <QtSql/QSqlDatabase>

// Creates the program's database on first start and brings an older one up to
// the current schema. The schema version is kept in the database header, so a
// later program can tell what it is opening.
class TDatabaseInstaller {
public:
    static constexpr int CurrentVersion = 2;

    // Creates a new database file with every table, index and delivered row.
    static bool CreateDatabase(const QString& file, QString* error);

    static int Version(const QSqlDatabase& db);

    // Runs the upgrade steps from the database's version to the current one, in
    // one transaction. A current database is left exactly as it is; one written
    // by a newer program is refused.
    static bool Upgrade(QSqlDatabase& db, QString* error);

    // Tables of the catalogue that the database lacks.
    static QStringList MissingTables(const QSqlDatabase& db);

private:
    static bool CreateSchema(QSqlDatabase& db, QString* error);
    static bool WriteDeliveredRows(QSqlDatabase& db, QString* error);
    static bool HashStoredPasswords(QSqlDatabase& db, QString* error);
};

#pragma once

#include <QString>
#include <QVariant>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

// Statement helpers over the program's one connection. Values that a user typed
// are bound (the values lists); values placed into statement text go through
// QuotedStr, never in raw.

inline constexpr auto DatabaseConnectionName = "QDArchivesDataBase";

struct sqlite3;

QSqlDatabase MainDatabase();
// The engine's own handle behind a connection; nullptr when it has none.
sqlite3* EngineHandle(const QSqlDatabase& db);
// True while the main connection is inside a transaction.
bool InTransaction();

// The single quoting function: the text between single quotes, inner quotes doubled.
QString QuotedStr(const QString& text);

// Runs a statement that returns no rows; false on any error, which is kept
// for LastStatementError and otherwise swallowed.
bool Execute(const QString& statement, const QVariantList& values = {});
// Why the last Execute that failed did.
QSqlError LastStatementError();

// QString::arg-style pattern (%1, %2 …) filled in order, then Execute.
template <typename... Args>
bool ExecuteFormat(const QString& pattern, const Args&... arguments) {
    return Execute(pattern.arg(arguments...));
}

// An opened, read-only, forward-only query; throws TDatabaseError on failure.
QSqlQuery OpenQuery(const QString& statement, const QVariantList& values = {});

// First column of the first row as text; empty when there is no row.
QString ValueText(const QString& statement, const QVariantList& values = {});

// First column of the first row parsed by ParseNumber; 0 when there is no row.
double ValueNumber(const QString& statement, const QVariantList& values = {});

// No row: an invalid variant; one column: its value; several: a QVariantList of
// the first row's values.
QVariant ValueRow(const QString& statement, const QVariantList& values = {});

// Drops a leading "￥" and every ",", trims; the number, or 0 when the rest is
// not a number. Never fails.
double ParseNumber(const QString& text);

// A savepoint on the main connection that rolls back unless released. Outside
// a transaction it is an immediate transaction: the write lock is taken as the
// write begins, so a short lock held by another connection is waited out under
// the busy timeout instead of failing the first write after a read. A failed
// release is a failure: nothing was kept.
class TSavepoint {
public:
    explicit TSavepoint(const QString& name);
    ~TSavepoint();
    TSavepoint(const TSavepoint&) = delete;
    TSavepoint& operator=(const TSavepoint&) = delete;
    bool IsActive() const { return m_active; }
    bool Release();
    void Rollback();

private:
    QString m_name;
    bool m_active = false;
    bool m_outermost = false;
};

// An immediate transaction on the main connection that rolls back unless committed.
class TTransaction {
public:
    TTransaction();
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;

    bool IsActive() const { return m_active; }
    bool Commit();
    void Rollback();

private:
    bool m_active = false;
};

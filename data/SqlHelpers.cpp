#include "data/SqlHelpers.h"

#include <QLocale>
#include <QtSql/QSqlDriver>
#include <QtSql/QSqlError>
#include <QtSql/QSqlRecord>
#include <cmath>
#include <sqlite3.h>

#include "data/DatabaseError.h"

QSqlDatabase MainDatabase() { return QSqlDatabase::database(QLatin1String(DatabaseConnectionName), false); }

sqlite3* EngineHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        return nullptr;
    }
    return *static_cast<sqlite3* const*>(handle.data());
}

bool InTransaction() {
    sqlite3* handle = EngineHandle(MainDatabase());
    return handle && sqlite3_get_autocommit(handle) == 0;
}

QString QuotedStr(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

namespace {
bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    if (values.isEmpty()) {
        return query.exec(statement);
    }
    if (!query.prepare(statement)) {
        return false;
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    return query.exec();
}
}  // namespace

namespace {
QSqlError& LastError() {
    static QSqlError error;
    return error;
}
}  // namespace

bool Execute(const QString& statement, const QVariantList& values) {
    QSqlQuery query(MainDatabase());
    const bool ok = Run(query, statement, values);
    if (!ok) {
        LastError() = query.lastError();
    }
    query.finish();
    return ok;
}

QSqlError LastStatementError() { return LastError(); }

QSqlQuery OpenQuery(const QString& statement, const QVariantList& values) {
    QSqlDatabase db = MainDatabase();
    if (!db.isOpen()) {
        throw TDatabaseError(QStringLiteral("database connection is not open"), statement);
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!Run(query, statement, values)) {
        const QSqlError error = query.lastError();
        query.finish();
        throw TDatabaseError(error, statement);
    }
    return query;
}

QString ValueText(const QString& statement, const QVariantList& values) {
    QSqlQuery query = OpenQuery(statement, values);
    return query.next() ? query.value(0).toString() : QString();
}

double ValueNumber(const QString& statement, const QVariantList& values) {
    QSqlQuery query = OpenQuery(statement, values);
    return query.next() ? ParseNumber(query.value(0).toString()) : 0.0;
}

QVariant ValueRow(const QString& statement, const QVariantList& values) {
    QSqlQuery query = OpenQuery(statement, values);
    if (!query.next()) {
        return {};
    }
    const int columns = query.record().count();
    if (columns == 1) {
        return query.value(0);
    }
    QVariantList row;
    row.reserve(columns);
    for (int i = 0; i < columns; ++i) {
        row.append(query.value(i));
    }
    return row;
}

double ParseNumber(const QString& text) {
    QString rest = text.trimmed();
    if (rest.startsWith(QChar(0xFFE5)) || rest.startsWith(QChar(0x00A5))) {
        rest.remove(0, 1);
    }
    rest.remove(QLatin1Char(','));
    rest = rest.trimmed();
    bool ok = false;
    const double value = QLocale::c().toDouble(rest, &ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

TTransaction::TTransaction() { m_active = Execute(QStringLiteral("BEGIN IMMEDIATE")); }

TTransaction::~TTransaction() { Rollback(); }

bool TTransaction::Commit() {
    if (!m_active) {
        return false;
    }
    m_active = false;
    if (Execute(QStringLiteral("COMMIT"))) {
        return true;
    }
    // A refused commit may leave the transaction open; nothing of it is kept.
    if (InTransaction()) Execute(QStringLiteral("ROLLBACK"));
    return false;
}

void TTransaction::Rollback() {
    if (m_active) {
        m_active = false;
        Execute(QStringLiteral("ROLLBACK"));
    }
}

TSavepoint::TSavepoint(const QString& name) : m_name(name), m_outermost(!InTransaction()) {
    m_active = Execute(m_outermost ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT ") + m_name);
}

TSavepoint::~TSavepoint() { Rollback(); }

bool TSavepoint::Release() {
    if (!m_active) {
        return false;
    }
    m_active = false;
    if (!m_outermost) {
        return Execute(QStringLiteral("RELEASE ") + m_name);
    }
    if (Execute(QStringLiteral("COMMIT"))) {
        return true;
    }
    if (InTransaction()) Execute(QStringLiteral("ROLLBACK"));
    return false;
}

void TSavepoint::Rollback() {
    if (m_active) {
        m_active = false;
        if (m_outermost) {
            Execute(QStringLiteral("ROLLBACK"));
        } else {
            Execute(QStringLiteral("ROLLBACK TO ") + m_name);
            Execute(QStringLiteral("RELEASE ") + m_name);
        }
    }
}

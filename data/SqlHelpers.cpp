#include "data/SqlHelpers.h"

#include <QLocale>
#include <QtSql/QSqlError>
#include <QtSql/QSqlRecord>
#include <cmath>

#include "data/DatabaseError.h"

QSqlDatabase MainDatabase() { return QSqlDatabase::database(QLatin1String(DatabaseConnectionName), false); }

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

bool Execute(const QString& statement, const QVariantList& values) {
    QSqlQuery query(MainDatabase());
    const bool ok = Run(query, statement, values);
    query.finish();
    return ok;
}

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

TTransaction::TTransaction() { m_active = MainDatabase().transaction(); }

TTransaction::~TTransaction() { Rollback(); }

bool TTransaction::Commit() {
    if (!m_active) {
        return false;
    }
    m_active = false;
    return MainDatabase().commit();
}

void TTransaction::Rollback() {
    if (m_active) {
        m_active = false;
        MainDatabase().rollback();
    }
}

TSavepoint::TSavepoint(const QString& name) : m_name(name) { m_active = Execute(QStringLiteral("SAVEPOINT ") + m_name); }

TSavepoint::~TSavepoint() { Rollback(); }

bool TSavepoint::Release() {
    if (!m_active) {
        return false;
    }
    m_active = false;
    return Execute(QStringLiteral("RELEASE ") + m_name);
}

void TSavepoint::Rollback() {
    if (m_active) {
        m_active = false;
        Execute(QStringLiteral("ROLLBACK TO ") + m_name);
        Execute(QStringLiteral("RELEASE ") + m_name);
    }
}

#pragma once

#include <QString>
#include <QtSql/QSqlError>
#include <stdexcept>

// A statement the engine refused. Carries the engine's own error code so that
// the program-wide error handler can turn common causes into short messages.
class TDatabaseError : public std::runtime_error {
public:
    TDatabaseError(const QString& message, const QString& statement, const QString& nativeCode = {});
    explicit TDatabaseError(const QSqlError& error, const QString& statement = {});

    const QString& Message() const { return m_message; }
    const QString& Statement() const { return m_statement; }
    const QString& NativeCode() const { return m_nativeCode; }

private:
    QString m_message;
    QString m_statement;
    QString m_nativeCode;
};

// The short message for a database engine error code, empty when the code has none.
QString FriendlyDatabaseMessage(int engineCode);
// The same for a failed statement; empty when the error has none.
QString FriendlyDatabaseMessage(const QSqlError& error);

// What a save that the database refused says: the short message of its cause,
// or the given general one.
QString SaveFailureMessage(const QSqlError& error, const QString& general);

#include "data/DatabaseError.h"

TDatabaseError::TDatabaseError(const QString& message, const QString& statement, const QString& nativeCode)
    : std::runtime_error(message.toStdString())
    , m_message(message)
    , m_statement(statement)
    , m_nativeCode(nativeCode) {}

TDatabaseError::TDatabaseError(const QSqlError& error, const QString& statement)
    : TDatabaseError(error.text(), statement, error.nativeErrorCode()) {}

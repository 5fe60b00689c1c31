#include "data/DatabaseError.h"

#include <sqlite3.h>

#include "data/DM.h"

TDatabaseError::TDatabaseError(const QString& message, const QString& statement, const QString& nativeCode)
    : std::runtime_error(message.toStdString())
    , m_message(message)
    , m_statement(statement)
    , m_nativeCode(nativeCode) {}

TDatabaseError::TDatabaseError(const QSqlError& error, const QString& statement)
    : TDatabaseError(error.text(), statement, error.nativeErrorCode()) {}

QString FriendlyDatabaseMessage(int code) {
    switch (code) {
        case SQLITE_CONSTRAINT_FOREIGNKEY:
        case SQLITE_CONSTRAINT_TRIGGER:
            return QStringLiteral("其它的数据库表中存在对该纪录的引用,纪录不能删除");
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_UNIQUE:
            return QStringLiteral("数据库主键重复");
        case SQLITE_BUSY_SNAPSHOT:
            return QStringLiteral("数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据");
        case SQLITE_TOOBIG:
            return QStringLiteral("数据太大,不能保存数据");
        case SQLITE_CONSTRAINT_COMMITHOOK:  // only the check that the file is still in its place refuses commits
        case SQLITE_READONLY_DBMOVED:
            return TDM::VanishedMessage();
        default:
            break;
    }
    switch (code & 0xFF) {
        case SQLITE_CANTOPEN:
        case SQLITE_NOTADB:
            return QStringLiteral("数据库打开过程发生错误");
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("有未关闭的数据表");
        case SQLITE_READONLY:
            return QStringLiteral("数据库文件是只读的,不能保存数据");
        case SQLITE_FULL:
            return QStringLiteral("磁盘已满,不能保存数据");
        default:
            return {};
    }
}

QString FriendlyDatabaseMessage(const QSqlError& error) {
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return numeric ? FriendlyDatabaseMessage(code) : QString();
}

QString SaveFailureMessage(const QSqlError& error, const QString& general) {
    // Only causes the user can do something about are named; a refused row
    // keeps the window's own words.
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (!numeric) {
        return general;
    }
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
        case SQLITE_READONLY:
        case SQLITE_FULL:
            return FriendlyDatabaseMessage(code);
        default:
            return code == SQLITE_CONSTRAINT_COMMITHOOK ? FriendlyDatabaseMessage(code) : general;
    }
}

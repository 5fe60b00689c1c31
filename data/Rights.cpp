#include "data/Rights.h"

#include <QtSql/QSqlQuery>

#include "data/SqlHelpers.h"

const std::array<QString, 7>& TRightsStore::ColumnNames() {
    static const std::array<QString, 7> names{
        QStringLiteral("ADD_RIGHT"),   QStringLiteral("EDIT_RIGHT"),   QStringLiteral("DELETE_RIGHT"),
        QStringLiteral("BROWSE_RIGHT"), QStringLiteral("PRINT_RIGHT"), QStringLiteral("VERIFY_RIGHT"),
        QStringLiteral("CURRENCY_RIGHT")};
    return names;
}

int TRightsStore::ComposeId(const QString& groupName) {
    return static_cast<int>(ValueNumber(QStringLiteral("SELECT COMPOSE_ID FROM  SYS_COMPOSE_TABLE WHERE COMPOSE_NAME = ?"), {groupName}));
}

int TRightsStore::ProgramId(const QString& functionName, int composeId) {
    return static_cast<int>(ValueNumber(
        QStringLiteral("SELECT PROGRAM_ID FROM  SYS_PROGRAM_TABLE WHERE PROGRAM_NAME = ? and COMPOSE_ID = ?"),
        {functionName, composeId}));
}

TRights TRightsStore::RightsOf(const QString& groupName, const QString& functionName, const QString& userId) {
    TRights rights{};
    const int compose = ComposeId(groupName);
    const int program = ProgramId(functionName, compose);
    QSqlQuery row = OpenQuery(QStringLiteral("SELECT * FROM  SYS_RIGHT_TABLE WHERE COMPOSE_ID = ? and PROGRAM_ID = ? and USE_ID = ?"),
                              {compose, program, userId});
    if (row.next()) {
        for (int i = 0; i < 7; ++i) {
            rights[i] = row.value(ColumnNames()[i]).toString() == QStringLiteral("是");
        }
    }
    return rights;
}

bool TRightsStore::CanBrowse(const QString& groupName, const QString& functionName, const QString& userId) {
    return RightsOf(groupName, functionName, userId)[BrowseRight];
}

QString TRightsStore::ReadRight(const QString& userId, int composeId, int programId, int index) {
    if (index < 0 || index > 6) {
        return QStringLiteral("否");
    }
    const QString value = ValueText(QStringLiteral("SELECT %1 FROM SYS_RIGHT_TABLE WHERE USE_ID = ? AND COMPOSE_ID = ? AND PROGRAM_ID = ?")
                                        .arg(ColumnNames()[index]),
                                    {userId, composeId, programId});
    return value.isEmpty() ? QStringLiteral("否") : value;
}

bool TRightsStore::WriteRight(const QString& userId, int composeId, int programId, int index, const QString& value) {
    if (index < 0 || index > 6) {
        return false;
    }
    const QString column = ColumnNames()[index];
    const bool exists =
        ValueRow(QStringLiteral("SELECT * FROM SYS_RIGHT_TABLE WHERE USE_ID = ? AND COMPOSE_ID = ? AND PROGRAM_ID = ?"),
                 {userId, composeId, programId})
            .isValid();
    if (exists) {
        return Execute(QStringLiteral("UPDATE SYS_RIGHT_TABLE SET %1 = ? WHERE USE_ID = ? AND COMPOSE_ID = ? AND PROGRAM_ID = ? ").arg(column),
                       {value, userId, composeId, programId});
    }
    return Execute(QStringLiteral(" INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID, %1) VALUES(?, ?,?,?)").arg(column),
                   {userId, composeId, programId, value});
}

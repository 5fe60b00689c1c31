#pragma once

#include <QString>
#include <array>

// A user's rights for one function: one row of SYS_RIGHT_TABLE. A missing row
// grants nothing, to an administrator as to anyone.
enum TRightIndex { AddRight = 0, EditRight, DeleteRight, BrowseRight, PrintRight, VerifyRight, CurrencyRight };
using TRights = std::array<bool, 7>;

class TRightsStore {
public:
    static const std::array<QString, 7>& ColumnNames();

    // 0 when the name is unknown.
    static int ComposeId(const QString& groupName);
    static int ProgramId(const QString& functionName, int composeId);

    static TRights RightsOf(const QString& groupName, const QString& functionName, const QString& userId);
    static bool CanBrowse(const QString& groupName, const QString& functionName, const QString& userId);

    // "否" when there is no row or the value is empty.
    static QString ReadRight(const QString& userId, int composeId, int programId, int index);
    static bool WriteRight(const QString& userId, int composeId, int programId, int index, const QString& value);
};

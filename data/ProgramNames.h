#pragma once

#include <QList>
#include <QString>

// The program groups and functions delivered with the database. Rights are
// granted and checked under exactly these names, so menus, windows and the
// installer all take them from here.
namespace ProgramNames {

inline const QString GroupArchives = QStringLiteral("档案管理");
inline const QString GroupSystem = QStringLiteral("系统管理");

inline const QString ArchiveTypes = QStringLiteral("档案类别资料录入编辑");
inline const QString Archives = QStringLiteral("档案资料录入编辑管理");
inline const QString DefaultDetailTitle = QStringLiteral("档案明细资料");
inline const QString ItemQuerySuffix = QStringLiteral("查询管理");
inline const QString Lending = QStringLiteral("档案借阅管理");
inline const QString LendingQuery = QStringLiteral("档案借阅记录查询管理");
inline const QString Import = QStringLiteral("EXCEL资料导入管理");
inline const QString Company = QStringLiteral("单位名称录入编辑");
inline const QString Backup = QStringLiteral("数据备份管理");
inline const QString OldDataDeletion = QStringLiteral("过时数据删除");

// The item query is function 3 of the archives group; its name follows the
// configurable item title.
inline constexpr int ItemQueryCompose = 1;
inline constexpr int ItemQueryProgram = 3;

struct TDeliveredProgram {
    int composeId;
    int programId;
    QString name;
    // Which rights can be granted: add, browse, print, verify, currency.
    bool add, browse, print, verify, currency;
};

// Enrolment gives the first administrator rights rows for functions 1–6 of the
// archives group and 1–2 of the system group; the lending register is among
// them because archivists use it daily, and the organisation window, filled in
// at enrolment, is the one left for the administrator to grant.
inline QList<TDeliveredProgram> DeliveredPrograms() {
    return {
        {1, 1, ArchiveTypes, true, true, true, false, false},
        {1, 2, Archives, true, true, true, false, true},
        {1, ItemQueryProgram, DefaultDetailTitle + ItemQuerySuffix, false, true, true, false, true},
        {1, 4, Lending, true, true, true, false, false},
        {1, 5, LendingQuery, false, true, true, false, false},
        {1, 6, Import, true, true, false, false, false},
        {1, 7, Company, true, true, false, false, false},
        {2, 1, Backup, true, true, false, false, false},
        {2, 2, OldDataDeletion, true, true, false, false, false},
    };
}

}  // namespace ProgramNames

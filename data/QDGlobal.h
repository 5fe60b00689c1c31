#pragma once

#include <QString>

// Process-wide state of one run: who signed on, the organisation, today's date
// and the folders the database alias leads to. Set by start-up and sign-on,
// read everywhere else.
namespace QDGlobal {

inline QString StartDateText;  // today as yyyy-MM-dd
inline QString CurrentUserId;
inline QString CurrentUserName;
inline bool CurrentUserIsAdministrator = false;
inline QString CurrentCompanyName;
inline QString CurrentImeName;
inline bool EnrolledThisRun = false;
inline QString DatabaseFolder;
inline QString ProgramFolder;
inline QString TempFolder;

// Read from the database by the main window at start and kept for the run.
inline QString DetailTitle = QStringLiteral("档案明细资料");
inline QString ReminderField;
inline int ReminderDays = 0;
inline int CategoryNumbering = 0;

// Windows colour values (0x00BBGGRR) shared by every window.
inline constexpr unsigned BrowseColor = 15858430;
inline constexpr unsigned EditColor = 16645614;
inline constexpr unsigned FocusColor = 16316359;
inline constexpr unsigned DisplayOnlyColor = 12058046;

}  // namespace QDGlobal

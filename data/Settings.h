#pragma once

#include <QString>

// Per-workstation settings, one store for the whole program (organisation
// "QDSOFTWARE"). Shared settings live in the database instead.
namespace SettingNames {
inline constexpr auto Imes = "QDArchivesImes";
inline constexpr auto Color = "QDArchivesColor";
inline constexpr auto Picture = "QDArchives";
inline constexpr auto BackupFolder = "QDArchivesData";
inline constexpr auto DatabaseAlias = "QDBArchivesLink";
}  // namespace SettingNames

// On failure each shows "注册表打开错误" and writes nothing or returns empty.
bool WriteSetting(const QString& name, const QString& text);
QString ReadSetting(const QString& name);
// The value only when it converts to an integer, else empty.
QString ReadIntegerSetting(const QString& name);
bool RemoveSetting(const QString& name);

// The same without the message, for callers that word their own.
bool WriteSettingQuietly(const QString& name, const QString& text);
QString ReadSettingQuietly(const QString& name);
bool RemoveSettingQuietly(const QString& name);
bool HasSetting(const QString& name);

// Where the settings are kept on this machine.
QString SettingsLocation();

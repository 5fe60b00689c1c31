#include "data/Settings.h"

#include <QSettings>
#include <memory>

#include "data/MessageBoxes.h"

namespace {

std::unique_ptr<QSettings> Store() {
    return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("QDSOFTWARE"), QStringLiteral("QDArchives"));
}

void ReportOpenError() { Information(QStringLiteral("注册表打开错误")); }


bool Write(const QString& name, const QString& text, bool report) {
    auto settings = Store();
    bool ok = settings->status() == QSettings::NoError && settings->isWritable();
    if (ok) {
        settings->setValue(name, text);
        settings->sync();
        ok = settings->status() == QSettings::NoError;
    }
    if (!ok && report) {
        ReportOpenError();
    }
    return ok;
}

QString Read(const QString& name, bool report) {
    auto settings = Store();
    if (settings->status() != QSettings::NoError) {
        if (report) ReportOpenError();
        return {};
    }
    return settings->value(name).toString();
}

bool Remove(const QString& name, bool report) {
    auto settings = Store();
    bool ok = settings->status() == QSettings::NoError && settings->isWritable();
    if (ok) {
        settings->remove(name);
        settings->sync();
        ok = settings->status() == QSettings::NoError;
    }
    if (!ok && report) {
        ReportOpenError();
    }
    return ok;
}

}  // namespace

bool WriteSetting(const QString& name, const QString& text) { return Write(name, text, true); }
QString ReadSetting(const QString& name) { return Read(name, true); }
bool RemoveSetting(const QString& name) { return Remove(name, true); }
bool WriteSettingQuietly(const QString& name, const QString& text) { return Write(name, text, false); }
QString ReadSettingQuietly(const QString& name) { return Read(name, false); }
bool RemoveSettingQuietly(const QString& name) { return Remove(name, false); }

QString ReadIntegerSetting(const QString& name) {
    const QString text = ReadSetting(name).trimmed();
    bool ok = false;
    text.toLongLong(&ok);
    return ok ? text : QString();
}

bool HasSetting(const QString& name) {
    auto settings = Store();
    return settings->status() == QSettings::NoError && settings->contains(name);
}

QString SettingsLocation() { return Store()->fileName(); }

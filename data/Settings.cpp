#include "data/Settings.h"

#include <QSettings>
#include <memory>

#include "data/MessageBoxes.h"

namespace {

std::unique_ptr<QSettings> Store() {
    return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("QDSOFTWARE"), QStringLiteral("QDArchives"));
}

void ReportOpenError() { Information(QStringLiteral("注册表打开错误")); }

}  // namespace

bool WriteSetting(const QString& name, const QString& text) {
    auto settings = Store();
    if (settings->status() != QSettings::NoError || !settings->isWritable()) {
        ReportOpenError();
        return false;
    }
    settings->setValue(name, text);
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        ReportOpenError();
        return false;
    }
    return true;
}

QString ReadSetting(const QString& name) {
    auto settings = Store();
    if (settings->status() != QSettings::NoError) {
        ReportOpenError();
        return {};
    }
    return settings->value(name).toString();
}

QString ReadIntegerSetting(const QString& name) {
    const QString text = ReadSetting(name);
    bool ok = false;
    text.trimmed().toLongLong(&ok);
    return ok ? text.trimmed() : QString();
}

bool RemoveSetting(const QString& name) {
    auto settings = Store();
    if (settings->status() != QSettings::NoError || !settings->isWritable()) {
        ReportOpenError();
        return false;
    }
    settings->remove(name);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool HasSetting(const QString& name) {
    auto settings = Store();
    return settings->status() == QSettings::NoError && settings->contains(name);
}

QString SettingsLocation() { return Store()->fileName(); }

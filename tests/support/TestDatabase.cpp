#include "tests/support/TestDatabase.h"

#include <QDir>

#include "data/DM.h"
#include "data/DatabaseInstaller.h"
#include "data/Settings.h"

void SetAliasFolder(const QString& folder) { WriteSetting(QLatin1String(SettingNames::DatabaseAlias), folder); }

void RemoveAlias() { RemoveSetting(QLatin1String(SettingNames::DatabaseAlias)); }

TTestDatabase::TTestDatabase() {
    const QString folder = Folder();
    QString error;
    if (!QDir().mkpath(folder) || !TDatabaseInstaller::CreateDatabase(TDM::DatabaseFile(folder), &error)) {
        qWarning("test database: %s", qPrintable(error));
        return;
    }
    SetAliasFolder(folder);
    m_dm = std::make_unique<TDM>();
    if (m_dm->Terminated()) {
        return;
    }
    m_dm->Connect();
    m_ready = true;
}

TTestDatabase::~TTestDatabase() {
    m_dm.reset();
    RemoveAlias();
}

QString TTestDatabase::Folder() const { return m_root.path() + QStringLiteral("/QDArchives/Database"); }

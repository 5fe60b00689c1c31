#include "bench/BenchSupport.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <sys/resource.h>

#include "data/DM.h"
#include "data/DatabaseInstaller.h"
#include "data/Settings.h"

TBenchDatabase::TBenchDatabase() {
    // Keep the machine's own settings and database out of the run.
    QStandardPaths::setTestModeEnabled(true);
    const QString folder = Folder();
    QString error;
    if (!QDir().mkpath(folder) || !TDatabaseInstaller::CreateDatabase(TDM::DatabaseFile(folder), &error)) {
        std::fprintf(stderr, "cannot create the database: %s\n", qPrintable(error));
        return;
    }
    WriteSetting(QLatin1String(SettingNames::DatabaseAlias), folder);
    m_dm = std::make_unique<TDM>();
    if (!m_dm->Terminated()) {
        m_dm->Connect();
        m_ready = true;
    }
}

TBenchDatabase::~TBenchDatabase() {
    m_dm.reset();
    RemoveSetting(QLatin1String(SettingNames::DatabaseAlias));
}

QString TBenchDatabase::Folder() const { return m_root.path() + QStringLiteral("/QDArchives/Database"); }

double PeakMemoryMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void PrintFigure(const QString& name, double value, const QString& unit) {
    std::printf("%-50s %12.3f %s\n", name.toLocal8Bit().constData(), value, unit.toLocal8Bit().constData());
    std::fflush(stdout);
}

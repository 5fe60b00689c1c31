#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class TDM;

// A database in a scratch folder for one benchmark run, opened through the
// program's own data module.
class TBenchDatabase {
public:
    TBenchDatabase();
    ~TBenchDatabase();
    bool IsReady() const { return m_ready; }
    QString Folder() const;

private:
    QTemporaryDir m_root;
    std::unique_ptr<TDM> m_dm;
    bool m_ready = false;
};

// Peak resident memory of this process in megabytes.
double PeakMemoryMB();

void PrintFigure(const QString& name, double value, const QString& unit);

// Files volumes through the statement helpers, as a batch import would: bound
// inserts, committed every few hundred rows.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "bench/BenchSupport.h"
#include "data/SqlHelpers.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const int volumes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    constexpr int CommitEvery = 500;

    TBenchDatabase db;
    if (!db.IsReady()) {
        return 1;
    }
    const QString statement = QStringLiteral(
        "INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID, ARCHIVE_ID, ARCHIVE_NAME, "
        "DATE_FIELD1, TEXT_FIELD1, TEXT_FIELD2, NUMBER_FIELD1, CREATE_NAME, CREATE_DATE) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    QElapsedTimer timer;
    timer.start();
    int failed = 0;
    for (int start = 0; start < volumes; start += CommitEvery) {
        TTransaction transaction;
        for (int i = start; i < std::min(volumes, start + CommitEvery); ++i) {
            const QString n = QString::number(i).rightJustified(6, QLatin1Char('0'));
            const bool ok = Execute(statement, {QStringLiteral("A") + n, QStringLiteral("%1").arg(1 + i % 200, 3, 10, QLatin1Char('0')),
                                                QStringLiteral("2015") + n, QStringLiteral("关于档案管理工作的通知第%1号").arg(i),
                                                QStringLiteral("2015-03-25"), QStringLiteral("永久"), QStringLiteral("办公室"),
                                                double(i % 97), QStringLiteral("管理员"), QStringLiteral("2015-03-25")});
            failed += ok ? 0 : 1;
        }
        transaction.Commit();
    }
    const double seconds = timer.elapsed() / 1000.0;
    const double stored = ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE"));
    PrintFigure(QStringLiteral("volumes inserted"), stored, QStringLiteral("rows"));
    PrintFigure(QStringLiteral("failed inserts"), failed, QStringLiteral("rows"));
    PrintFigure(QStringLiteral("insert time"), seconds, QStringLiteral("s"));
    PrintFigure(QStringLiteral("insert rate"), volumes / seconds, QStringLiteral("rows/s"));
    PrintFigure(QStringLiteral("peak memory"), PeakMemoryMB(), QStringLiteral("MB"));
    return failed == 0 && stored == volumes ? 0 : 1;
}

// The item query over a large catalogue: opening, footers, a name search, and
// filing volumes one by one through the dataset as the volume register does.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <cstdio>

#include "bench/BenchSupport.h"
#include "data/Clock.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/SqlHelpers.h"
#include "tests/support/VolumeRules.h"

namespace {

// Builds the catalogue inside the engine: the setup is not what is measured.
bool BuildCatalogue(int volumes, int items) {
    const QString build = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < @COUNT) "
        "INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID, ARCHIVE_ID, ARCHIVE_NAME, DATE_FIELD1, "
        "TEXT_FIELD1, CREATE_NAME, CREATE_DATE) "
        "SELECT printf('A%012d', i), printf('%03d%03d', 1 + i % 20, 1 + (i / 20) % 10), printf('2014%06d', i), "
        "'卷宗' || i || '关于档案工作的通知', '2014-05-01', '永久', '管理员', '2014-05-01' FROM n");
    const QString items_ = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < @COUNT) "
        "INSERT INTO QD_ARCHIVE_DETAIL_TABLE (DETAIL_RECORD_ID, ARCHIVE_RECORD_ID, DETAIL_ARCHIVE_ID, DETAIL_ARCHIVE_NAME, "
        "DETAIL_DATE_FIELD1, DETAIL_TEXT_FIELD1, DETAIL_NUMBER_FIELD1, CREATE_NAME, CREATE_DATE) "
        "SELECT printf('C%012d', i), printf('A%012d', i % @VOLUMES), printf('%04d', i / @VOLUMES + 1), "
        "CASE i % 97 WHEN 0 THEN '购销合同' || i ELSE '文件' || i || '号 会议纪要' END, '2014-05-02', '机密', "
        "(i % 50) + 1, '管理员', '2014-05-02' FROM n");
    TTransaction transaction;
    QSqlQuery query(MainDatabase());
    if (!query.exec(QString(build).replace(QStringLiteral("@COUNT"), QString::number(volumes)))) {
        std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
        return false;
    }
    if (!query.exec(QString(items_).replace(QStringLiteral("@COUNT"), QString::number(items)).replace(QStringLiteral("@VOLUMES"), QString::number(volumes)))) {
        std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
        return false;
    }
    return transaction.Commit() && Execute(QStringLiteral("ANALYZE"));
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const int volumes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int items = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1000000;
    const int filings = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 10000;

    TBenchDatabase db;
    if (!db.IsReady()) {
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    if (!BuildCatalogue(volumes, items)) {
        return 1;
    }
    PrintFigure(QStringLiteral("catalogue built (volumes, items)"), volumes, QStringLiteral("volumes"));
    PrintFigure(QStringLiteral("  items"), items, QStringLiteral("items"));
    PrintFigure(QStringLiteral("  build time"), timer.elapsed() / 1000.0, QStringLiteral("s"));

    const QString base = QStringLiteral(
        "SELECT A.*,B.ARCHIVE_TYPE_ID FROM QD_ARCHIVE_DETAIL_TABLE A,QD_ARCHIVE_MASTER_TABLE B WHERE "
        "A.ARCHIVE_RECORD_ID = B.ARCHIVE_RECORD_ID ");
    const QString order = QStringLiteral(" ORDER BY DETAIL_ARCHIVE_ID");

    TQDQuery list;
    list.SetTableName(QStringLiteral("QD_ARCHIVE_DETAIL_TABLE"), false);
    list.SetSql(base + order);
    timer.restart();
    if (!list.Open()) {
        return 1;
    }
    double checksum = 0;
    for (int row = 0; row < 500; ++row) {
        checksum += list.RowValue(row, 0).toString().size();
    }
    PrintFigure(QStringLiteral("item query: first 500 rows (target <= 0.3)"), timer.elapsed() / 1000.0, QStringLiteral("s"));

    timer.restart();
    const TQDQuery::TAggregate footer = list.Aggregate({QStringLiteral("DETAIL_NUMBER_FIELD1")});
    PrintFigure(QStringLiteral("item query: count and sum footers"), timer.elapsed() / 1000.0, QStringLiteral("s"));
    PrintFigure(QStringLiteral("  counted rows"), footer.count, QStringLiteral("rows"));

    timer.restart();
    list.MoveTo(250000);
    PrintFigure(QStringLiteral("item query: jump to row 250000"), timer.elapsed() / 1000.0, QStringLiteral("s"));
    timer.restart();
    list.Last();
    PrintFigure(QStringLiteral("item query: last row"), timer.elapsed() / 1000.0, QStringLiteral("s"));

    timer.restart();
    TQDQuery search;
    search.SetTableName(QStringLiteral("QD_ARCHIVE_DETAIL_TABLE"), false);
    search.SetSql(base + QStringLiteral(" AND (A.DETAIL_ARCHIVE_NAME LIKE '%合同%')") + order);
    if (!search.Open()) {
        return 1;
    }
    for (int row = 0; row < 500 && row < search.RecordCount(); ++row) {
        checksum += search.RowValue(row, 0).toString().size();
    }
    PrintFigure(QStringLiteral("LIKE '%合同%' search: first 500 rows"), timer.elapsed() / 1000.0, QStringLiteral("s"));
    timer.restart();
    PrintFigure(QStringLiteral("  matching rows"), search.Aggregate({}).count, QStringLiteral("rows"));
    PrintFigure(QStringLiteral("LIKE search: count footer"), timer.elapsed() / 1000.0, QStringLiteral("s"));
    list.Close();
    search.Close();

    // Filing, as the volume editor does it: Insert, fill, Save, with the
    // register's three checks and the per-year number, in one transaction.
    TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 0)));
    QDGlobal::StartDateText = QStringLiteral("2015-03-25");
    QDGlobal::CurrentUserName = QStringLiteral("管理员");
    TQDQuery volumesList;
    ConfigureVolumeQuery(volumesList, true,
                         QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID = 'G001'"));
    if (!volumesList.Open()) {
        return 1;
    }
    int failed = 0;
    timer.restart();
    {
        TTransaction batch;
        for (int i = 0; i < filings; ++i) {
            if (!volumesList.Insert()) {
                ++failed;
                continue;
            }
            volumesList.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("新卷宗%1").arg(i));
            volumesList.SetValue(QStringLiteral("DATE_FIELD1"), QStringLiteral("2015-3-25"));
            volumesList.SetValue(QStringLiteral("TEXT_FIELD1"), QStringLiteral("长期"));
            if (!volumesList.Save()) {
                ++failed;
                volumesList.Cancel();
            }
        }
        batch.Commit();
    }
    const double seconds = timer.elapsed() / 1000.0;
    PrintFigure(QStringLiteral("filing through Insert + Save"), filings, QStringLiteral("rows"));
    PrintFigure(QStringLiteral("  failed"), failed, QStringLiteral("rows"));
    PrintFigure(QStringLiteral("  rate (target >= 5000)"), filings / seconds, QStringLiteral("rows/s"));
    PrintFigure(QStringLiteral("  last number"), ValueText(QStringLiteral("SELECT MAX(ARCHIVE_ID) FROM QD_ARCHIVE_MASTER_TABLE "
                                                                          "WHERE ARCHIVE_ID LIKE '2015%'")).toDouble(),
                QString());
    PrintFigure(QStringLiteral("peak memory (target <= 150)"), PeakMemoryMB(), QStringLiteral("MB"));
    return failed == 0 && checksum > 0 ? 0 : 1;
}

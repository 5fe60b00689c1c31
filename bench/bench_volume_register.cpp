// The volume register over 100,000 volumes in 200 types: the list on the
// root in the default order, a second-level type chosen in the tree, and a
// batch move of 10,000 volumes.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <cstdio>

#include "bench/BenchSupport.h"
#include "data/QDQuery.h"
#include "data/SqlHelpers.h"
#include "records/VolumeCascade.h"
#include "records/VolumeMove.h"

namespace {

// 20 top-level types with 9 sub-types each (200 in all); the volumes are
// spread over the sub-types.
bool BuildCatalogue(int volumes) {
    const QString types = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < 200) "
        "INSERT INTO QD_ARCHIVE_TYPE_TABLE (ARCHIVE_TYPE_ID, ARCHIVE_TYPE_NAME, PRIOR_ID, ORDER_ID) "
        "SELECT CASE i % 10 WHEN 0 THEN printf('%03d', 1 + i / 10) ELSE printf('%03d%03d', 1 + i / 10, i % "
        "10) END, "
        "'类别' || i, CASE i % 10 WHEN 0 THEN 'G001' ELSE printf('%03d', 1 + i / 10) END, i % 10 + 1 FROM n");
    const QString build = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < @COUNT) "
        "INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID, ARCHIVE_ID, ARCHIVE_NAME, "
        "DATE_FIELD1, "
        "TEXT_FIELD1, CREATE_NAME, CREATE_DATE) "
        "SELECT printf('A%012d', i), printf('%03d%03d', 1 + i % 20, 1 + (i / 20) % 9), printf('2014%06d', "
        "i), "
        "'卷宗' || i || '关于档案工作的通知', '2014-05-01', '永久', '管理员', '2014-05-01' FROM n");
    TTransaction transaction;
    QSqlQuery query(MainDatabase());
    for (const QString& statement :
         {types, QString(build).replace(QStringLiteral("@COUNT"), QString::number(volumes))}) {
        if (!query.exec(statement)) {
            std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
            return false;
        }
    }
    return transaction.Commit() && Execute(QStringLiteral("ANALYZE"));
}

// Opens the list as the register does and reads the rows a screen shows.
bool ShowList(TQDQuery& list, const QString& statement) {
    list.SetTableName(QStringLiteral("QD_ARCHIVE_MASTER_TABLE"), false);
    list.SetSql(statement);
    if (!list.Open()) {
        return false;
    }
    int shown = 0;
    for (int row = 0; row < 40 && row < TQDQuery::PageSize; ++row) {
        shown += list.RowValue(row, 0).toString().size();
    }
    return shown > 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const int volumes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int moves = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10000;

    TBenchDatabase db;
    if (!db.IsReady() || !BuildCatalogue(volumes)) {
        return 1;
    }
    PrintFigure(QStringLiteral("catalogue built"), volumes, QStringLiteral("volumes"));
    const QString order = QStringLiteral(" ORDER BY ARCHIVE_ID");

    QElapsedTimer timer;
    timer.start();
    TQDQuery root;
    if (!ShowList(root, VolumeListStatement(QStringLiteral("G001"), true, {}, order))) {
        return 1;
    }
    PrintFigure(QStringLiteral("register on the root: first rows (target <= 0.3)"), timer.elapsed() / 1000.0,
                QStringLiteral("s"));
    timer.restart();
    PrintFigure(QStringLiteral("  listed volumes"), root.RecordCount(), QStringLiteral("rows"));
    PrintFigure(QStringLiteral("  record count"), timer.elapsed() / 1000.0, QStringLiteral("s"));

    timer.restart();
    TQDQuery branch;
    if (!ShowList(branch, VolumeListStatement(QStringLiteral("007004"), true, {}, order))) {
        return 1;
    }
    PrintFigure(QStringLiteral("second-level type chosen: first rows (target <= 0.3)"),
                timer.elapsed() / 1000.0, QStringLiteral("s"));
    PrintFigure(QStringLiteral("  listed volumes"), branch.RecordCount(), QStringLiteral("rows"));

    // The batch move takes the listed rows' keys from the list, as the
    // register walks it from the first row.
    timer.restart();
    TQDQuery listed;
    if (!ShowList(listed, VolumeListStatement(QStringLiteral("G001"), true, {}, order))) {
        return 1;
    }
    QStringList ids;
    const int key = listed.FieldIndex(QStringLiteral("ARCHIVE_RECORD_ID"));
    for (int row = 0; row < listed.RecordCount() && ids.size() < moves; ++row) {
        ids.append(listed.RowValue(row, key).toString());
    }
    listed.Close();
    const double collect = timer.elapsed() / 1000.0;
    timer.restart();
    int told = 0;
    if (!MoveVolumes(ids, QStringLiteral("019001"), QStringLiteral("管理员"), QStringLiteral("2015-03-25"),
                     [&](int done) {
                         told = done;
                         return true;
                     })) {
        return 1;
    }
    const double move = timer.elapsed() / 1000.0;
    PrintFigure(QStringLiteral("batch move: keys read from the list"), collect, QStringLiteral("s"));
    PrintFigure(QStringLiteral("batch move (target >= 10000)"), move > 0 ? told / move : told,
                QStringLiteral("rows/s"));
    PrintFigure(QStringLiteral("  moved volumes"),
                ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE WHERE "
                                           "ARCHIVE_TYPE_ID = '019001' AND EDIT_NAME = '管理员'")),
                QStringLiteral("rows"));
    PrintFigure(QStringLiteral("peak memory"), PeakMemoryMB(), QStringLiteral("MB"));
    return 0;
}

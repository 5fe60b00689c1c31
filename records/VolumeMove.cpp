#include "records/VolumeMove.h"

#include <QtSql/QSqlQuery>

#include "data/SqlHelpers.h"

bool MoveVolumes(const QStringList& archiveRecordIds, const QString& typeId, const QString& editName,
                 const QString& editDate, const std::function<bool(int)>& progress) {
    TSavepoint savepoint(QStringLiteral("volume_move"));
    if (!savepoint.IsActive()) {
        return false;
    }
    QSqlQuery update(MainDatabase());
    if (!update.prepare(QStringLiteral(
            "UPDATE QD_ARCHIVE_MASTER_TABLE SET ARCHIVE_TYPE_ID = ?, EDIT_NAME = ?, EDIT_DATE = ? "
            "WHERE ARCHIVE_RECORD_ID = ?"))) {
        return false;
    }
    int done = 0;
    for (const QString& id : archiveRecordIds) {
        update.bindValue(0, typeId);
        update.bindValue(1, editName);
        update.bindValue(2, editDate);
        update.bindValue(3, id);
        if (!update.exec()) {
            return false;
        }
        ++done;
        // The window is told every few hundred rows; that keeps it live
        // without slowing the move.
        if (progress && (done % 256 == 0 || done == archiveRecordIds.size()) && !progress(done)) {
            return false;
        }
    }
    return savepoint.Release();
}

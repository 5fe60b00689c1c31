#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The register's batch move: the listed volumes get another archive type and
// the editor's stamps. All of them move or, on any failure, none does.
// The progress callback is told how many are done and may stop the move
// (returning false), which also leaves every volume where it was.
bool MoveVolumes(const QStringList& archiveRecordIds, const QString& typeId, const QString& editName,
                 const QString& editDate, const std::function<bool(int)>& progress = {});

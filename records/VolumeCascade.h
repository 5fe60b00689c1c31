#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QObject;
class TQDQuery;
class TSavepoint;

// What goes with a volume when it is deleted: its file and picture rows and
// their stored copies under ProgramFolder/DataFile, its items, the items'
// orphaned files and pictures, its lendings. The rows go in one savepoint
// the caller releases once the volume row itself is gone; the stored copies
// are removed only then, so a failure anywhere loses nothing.
class TVolumeCascade {
public:
    TVolumeCascade(const QString& archiveRecordId, const QString& detailTitle, const QString& programFolder);
    ~TVolumeCascade();

    // Deletes the rows; false with Message() set when a step failed (then
    // everything is put back).
    bool Run();
    // Also deletes the volume row itself (the batch delete).
    bool DeleteVolume();
    // Makes the deletion final and removes the stored copies.
    bool Commit();
    void Rollback();
    const QString& Message() const { return m_message; }
    const QStringList& StoredFiles() const { return m_files; }

    static QString StoredFile(const QString& programFolder, const QString& recordId);

private:
    bool CollectFiles(const QString& statement, const QVariantList& values);
    bool Fail(const QString& message);

    QString m_id;
    QString m_detailTitle;
    QString m_programFolder;
    QString m_message;
    QStringList m_files;
    std::unique_ptr<TSavepoint> m_savepoint;
};

// Deletes the list's current volume with everything it carries, after asking
// the user; the register, its editor and every other place that deletes one
// volume go through here, so the cascade never depends on where the user
// pressed 删除. True when the volume is gone; a refusal or a failure has been
// shown, and then nothing is deleted.
bool DeleteListedVolume(TQDQuery& list, QObject* owner);

// Every column of the volumes and, looked up from the type table, the
// current name of each volume's type as ARCHIVE_TYPE_NAME.
extern const QString VolumeListSelect;

// The register's list statement: the search condition and the type subtree
// (no node: nothing; the root: every type; a type: it and its sub-types).
QString VolumeListStatement(const QString& typeId, bool nodeSelected, const QString& searchCondition,
                            const QString& orderClause);

#include "records/VolumeCascade.h"

#include <QFile>
#include <QtSql/QSqlQuery>

#include "data/DatabaseError.h"
#include "data/Dialect.h"
#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/SqlHelpers.h"

namespace {
const QString kVolumeDeleteFailed = QStringLiteral("该档案记录删除过程发生错误");
}

TVolumeCascade::TVolumeCascade(const QString& archiveRecordId, const QString& detailTitle, const QString& programFolder)
    : m_id(archiveRecordId), m_detailTitle(detailTitle), m_programFolder(programFolder) {}

TVolumeCascade::~TVolumeCascade() { Rollback(); }

QString TVolumeCascade::StoredFile(const QString& programFolder, const QString& recordId) {
    return programFolder + QStringLiteral("/DataFile/") + recordId;
}

bool TVolumeCascade::Fail(const QString& message) {
    m_message = message;
    Rollback();
    return false;
}

bool TVolumeCascade::CollectFiles(const QString& statement, const QVariantList& values) {
    try {
        QSqlQuery rows = OpenQuery(statement, values);
        while (rows.next()) {
            if (!rows.value(1).toString().isEmpty()) m_files.append(StoredFile(m_programFolder, rows.value(0).toString()));
        }
    } catch (const TDatabaseError&) {
        return false;
    }
    return true;
}

bool TVolumeCascade::Run() {
    m_savepoint = std::make_unique<TSavepoint>(QStringLiteral("QDCASCADE"));
    const QVariantList id{m_id};
    if (!CollectFiles(QStringLiteral("SELECT FILE_RECORD_ID,FILE_TITLE_NAME FROM QD_MARCHIVE_MASTER_FILE_TABLE WHERE ARCHIVE_RECORD_ID = ?"), id) ||
        !Execute(QStringLiteral("DELETE FROM QD_MARCHIVE_MASTER_FILE_TABLE WHERE ARCHIVE_RECORD_ID = ?"), id)) {
        return Fail(QStringLiteral("该档案的电子文档记录删除过程发生错误"));
    }
    if (!CollectFiles(QStringLiteral("SELECT PICTURE_RECORD_ID,PICTURE_TITLE_NAME FROM QD_MARCHIVE_MASTER_PICTURE_TABLE WHERE ARCHIVE_RECORD_ID = ?"), id) ||
        !Execute(QStringLiteral("DELETE FROM QD_MARCHIVE_MASTER_PICTURE_TABLE WHERE ARCHIVE_RECORD_ID = ?"), id)) {
        return Fail(QStringLiteral("该档案的图片资料删除过程发生错误"));
    }
    if (!Execute(QStringLiteral("DELETE FROM QD_ARCHIVE_DETAIL_TABLE WHERE ARCHIVE_RECORD_ID = ?"), id)) {
        return Fail(QStringLiteral("该档案的") + m_detailTitle + QStringLiteral("删除过程发生错误"));
    }
    const QString orphans = QStringLiteral(" WHERE NOT(DETAIL_RECORD_ID IN( SELECT DETAIL_RECORD_ID FROM QD_ARCHIVE_DETAIL_TABLE))");
    if (!CollectFiles(QStringLiteral("SELECT FILE_RECORD_ID,FILE_TITLE_NAME FROM QD_DARCHIVE_MASTER_FILE_TABLE") + orphans, {}) ||
        !Execute(QStringLiteral("DELETE FROM QD_DARCHIVE_MASTER_FILE_TABLE") + orphans)) {
        return Fail(QStringLiteral("该档案的") + m_detailTitle + QStringLiteral("的电子文档记录删除过程发生错误"));
    }
    if (!CollectFiles(QStringLiteral("SELECT PICTURE_RECORD_ID,PICTURE_TITLE_NAME FROM QD_DARCHIVE_MASTER_PICTURE_TABLE") + orphans, {}) ||
        !Execute(QStringLiteral("DELETE FROM QD_DARCHIVE_MASTER_PICTURE_TABLE") + orphans)) {
        return Fail(QStringLiteral("该档案的") + m_detailTitle + QStringLiteral("的图片资料删除过程发生错误"));
    }
    if (!Execute(QStringLiteral("DELETE FROM QD_ARCHIVE_LEND_TABLE WHERE ARCHIVE_RECORD_ID = ?"), id)) {
        return Fail(QStringLiteral("该档案借阅记录删除过程发生错误"));
    }
    return true;
}

bool TVolumeCascade::DeleteVolume() {
    if (!Execute(QStringLiteral("DELETE FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID = ?"), {m_id})) {
        return Fail(kVolumeDeleteFailed);
    }
    return true;
}

bool TVolumeCascade::Commit() {
    if (!m_savepoint || !m_savepoint->Release()) {
        return Fail(kVolumeDeleteFailed);
    }
    m_savepoint.reset();
    for (const QString& file : m_files) {
        QFile::remove(file);
    }
    return true;
}

void TVolumeCascade::Rollback() {
    if (m_savepoint) {
        m_savepoint->Rollback();
        m_savepoint.reset();
    }
    m_files.clear();
}

bool DeleteListedVolume(TQDQuery& list, QObject* owner) {
    if (!list.Active() || list.IsEmpty() || list.IsEditing()) {
        return false;
    }
    // Asked before anything is touched, so "no" leaves every row and file alone.
    if (!Question(TQDQuery::DeleteQuestion(), owner)) {
        return false;
    }
    TVolumeCascade cascade(list.Text(QStringLiteral("ARCHIVE_RECORD_ID")), QDGlobal::DetailTitle, QDGlobal::ProgramFolder);
    if (!cascade.Run()) {
        Information(cascade.Message(), owner);
        return false;
    }
    list.NoDeleteConfirm = true;
    if (!list.Delete()) {
        // The list has said why; the volume's attachments, items and lendings stay.
        cascade.Rollback();
        return false;
    }
    if (!cascade.Commit()) {
        Information(cascade.Message(), owner);
        return false;
    }
    return true;
}

const QString VolumeListSelect = QStringLiteral(
    "SELECT QD_ARCHIVE_MASTER_TABLE.*,(SELECT T.ARCHIVE_TYPE_NAME FROM QD_ARCHIVE_TYPE_TABLE T "
    "WHERE T.ARCHIVE_TYPE_ID = QD_ARCHIVE_MASTER_TABLE.ARCHIVE_TYPE_ID) AS ARCHIVE_TYPE_NAME "
    "FROM QD_ARCHIVE_MASTER_TABLE ");

QString VolumeListStatement(const QString& typeId, bool nodeSelected, const QString& searchCondition, const QString& orderClause) {
    QString type;
    if (!nodeSelected) {
        type = QStringLiteral("ARCHIVE_TYPE_ID = 'A'");
    } else if (typeId != QLatin1String("G001")) {
        type = TDialect::ArchiveTypeCondition(ProgramSqlType, typeId).trimmed();
    }
    QString statement = VolumeListSelect;
    if (!searchCondition.isEmpty() && !type.isEmpty()) {
        statement += QStringLiteral(" WHERE ") + searchCondition + QStringLiteral(" AND ") + type;
    } else if (!searchCondition.isEmpty() || !type.isEmpty()) {
        statement += QStringLiteral(" WHERE ") + (searchCondition.isEmpty() ? type : searchCondition);
    }
    return statement + (orderClause.isEmpty() ? QStringLiteral(" ORDER BY ARCHIVE_ID") : orderClause);
}

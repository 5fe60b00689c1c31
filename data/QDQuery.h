#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

#include "data/QueryRules.h"
#include "data/QueryView.h"
#include "data/SchemaCatalogue.h"
#include "data/SqlType.h"
#include "data/UpdateSql.h"

class QSqlQuery;

enum class TDataSetState { Inactive, Browse, Insert, Edit };

struct TQDField {
    QString name;
    TFieldKind kind = TFieldKind::Text;
    int width = 0;  // bytes, for text columns of a known table
    bool inTable = false;  // a column of TableName, written by saves
    QString displayLabel;
    int displayWidth = 0;
    bool visible = true;
    QString displayFormat;
};

// A place in the list that survives rows being added and removed around it.
struct TQDBookmark {
    int position = -1;
    QVariantList key;
    bool IsValid() const { return position >= 0; }
};

// The dataset every list and editor works through: a SELECT statement read in
// pages, typed fields, a current row, and one row at a time inserted or edited
// and written back through the rules the window declares.
//
// Rows written by this dataset since it was opened stay where the user saw
// them ("pinned") until the list is opened again; the rest is read from the
// database page by page, so a list of a million rows opens at once and keeps a
// bounded number of rows in memory.
class TQDQuery : public QObject {
    Q_OBJECT
public:
    static constexpr int PageSize = 500;
    static constexpr int CachedPages = 24;

    explicit TQDQuery(QObject* parent = nullptr);
    ~TQDQuery() override;

    // --- statement and published properties
    QString Sql() const { return m_sql; }
    void SetSql(const QString& sql);
    QString TableName() const { return m_tableName; }
    // Replaces the statement by "SELECT  *  FROM  " + name unless told not to
    // (as while a window is being built).
    void SetTableName(const QString& name, bool rewriteSql = true);

    bool TableType = false;
    QString ActiveControl;
    TSqlType SqlType;
    unsigned ColorOnFocus = 0;
    QPointer<TQDQuery> QyMaster;
    QPointer<TQDQuery> QyDetail;
    QString KeyValue;
    QString DetailTable;
    QString DetailDError;
    bool UpDateTable = false;
    bool NotEdit = false;
    TQDUpdateSql UpdateObject;

    // --- run-time switches
    bool Silent = false;
    bool NoDeleteConfirm = false;
    bool CollectMessages = false;
    QString CollectedMessages;
    bool BatchMode = false;  // checks without CheckInBatch are skipped

    // Texts the window hands in for the date parts of running numbers.
    QString PeriodText;  // YYYYMM
    QString DayText;     // YYYYMMDD
    QString DatabaseName;

    // --- rules
    TFieldsDataArray FieldsData;
    TCheckDataArray CheckData;
    TInsertDataArray InsertData;
    TEditDataArray EditData;

    void SetView(TQDQueryView* view) { m_view = view; }
    TQDQueryView* View() const { return m_view; }

    // The window's own handlers, called after the component's. A before-handler
    // returning false aborts the operation.
    std::function<bool()> OnBeforeInsert;
    std::function<bool()> OnBeforeEdit;
    std::function<void()> OnAfterOpen;
    std::function<void()> OnAfterScroll;
    std::function<void(const QString&)> OnUpdateError;

    // --- state
    bool Open();
    void Close();
    bool Active() const { return m_state != TDataSetState::Inactive; }
    TDataSetState State() const { return m_state; }
    bool IsEditing() const { return m_state == TDataSetState::Insert || m_state == TDataSetState::Edit; }

    // --- navigation
    int RecordCount();
    int RecNo() const { return m_current; }  // 0-based, -1 when empty
    bool IsEmpty();
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    void First();
    void Prior();
    void Next();
    void Last();
    bool MoveTo(int index);
    TQDBookmark Bookmark();
    bool GotoBookmark(const TQDBookmark& bookmark);
    // Moves to the first row whose column holds the value; false when none.
    bool Locate(const QString& field, const QVariant& value);

    // --- fields of the current row (the edit buffer while editing)
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    const TQDField& Field(int index) const { return m_fields.at(index); }
    TQDField* FindField(const QString& name);
    int FieldIndex(const QString& name) const;
    bool HasField(const QString& name) const { return FieldIndex(name) >= 0; }
    QVariant Value(const QString& name);
    QString Text(const QString& name);
    bool IsNull(const QString& name);
    // Only while inserting or editing; false for an unknown column.
    bool SetValue(const QString& name, const QVariant& value);

    // Any row, for list views; fetches its page when needed.
    QVariant RowValue(int row, int column);
    // The value as a list shows it (numbers without trailing zeros).
    QString RowText(int row, int column);
    // Whether the row exists, without counting the whole list.
    bool HasRow(int row) { return Active() && row >= 0 && (row == m_current && IsEditing() ? true : RowAt(row) != nullptr); }
    // Known without a count statement (a short list, or counted already).
    bool IsCountKnown() const { return m_baseCount >= 0; }
    QVariantList KeyOf(int row);

    // --- record actions
    bool Insert();
    bool Edit();
    bool Save();
    void Cancel();
    bool Delete();
    // What Delete asks before it deletes a row.
    static QString DeleteQuestion();
    bool Regenerate(const QString& field);
    bool ApplyInsertRules();

    // --- footers: row count and column sums over the whole list
    struct TAggregate {
        int count = 0;
        QHash<QString, double> sums;
    };
    TAggregate Aggregate(const QStringList& sumColumns);

    QStringList KeyColumns() const;

signals:
    void StateChanged(TDataSetState state);
    void CurrentChanged(int row);
    void RowsReset();
    void RowChanged(int row);
    void RowInserted(int row);
    void RowRemoved(int row);
    void FieldChanged(const QString& field);

private:
    struct TPin {
        int position;
        QVector<QVariant> row;
        bool pending = false;  // the row being inserted, not yet written
    };

    using TRow = QVector<QVariant>;

    bool DescribeFields();
    void ApplyDisplaySettings();
    QString BaseStatement() const;
    int BaseCount();
    const TRow* BaseRow(int baseIndex);
    bool FetchPage(int page);
    const TRow* RowAt(int visible);
    int PinIndexAt(int visible) const;
    int BaseIndexOf(int visible) const;
    void ClearPages();
    void SetState(TDataSetState state);
    void SetCurrent(int row, bool notify = true);
    QVariantList KeyOfRow(const TRow& row) const;
    bool PinKey(const QVariantList& key);
    void UnpinKey(const QVariantList& key);
    void DropPinTable();

    QString LiteralText(const QVariant& value) const;
    QVariant StorageValue(const TQDField& field, const QVariant& value) const;
    bool Validate();
    bool RunChecks();
    bool RunCheck(TCheckData& check, bool* failed);
    bool Write();
    bool WriteDirect();
    bool WriteThroughUpdateObject();
    bool DeleteDetailRows(const QString& keyValue);
    bool ApplyRule(const TInsertData& rule, bool regenerating, bool* ownMessage);
    bool RunningNumber(const TInsertData& rule, bool* ownMessage);
    bool TimeStampValue(const TInsertData& rule);
    void Report(const QString& message);
    QSqlQuery& Prepared(const QString& statement);

    QString m_sql;
    QString m_tableName;
    TDataSetState m_state = TDataSetState::Inactive;
    QList<TQDField> m_fields;
    QHash<QString, int> m_fieldIndex;
    QStringList m_keyColumns;
    QList<int> m_keyFieldIndexes;

    int m_baseCount = -1;
    QHash<int, QVector<TRow>> m_pages;
    QList<int> m_pageUse;  // most recently used last
    QList<TPin> m_pins;    // sorted by position
    QString m_pinTable;
    int m_pinTableColumns = 0;

    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    TRow m_buffer;
    TRow m_oldRow;
    int m_editPin = -1;
    int m_currentBeforeInsert = -1;

    QSet<QString> m_confirmedStatements;
    TQDQueryView* m_view = nullptr;
    QHash<QString, std::shared_ptr<QSqlQuery>> m_statements;
    bool m_handlersTaken = false;
};

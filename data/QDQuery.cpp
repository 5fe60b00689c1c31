#include "data/QDQuery.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <algorithm>

#include "data/AutoNumber.h"
#include "data/Clock.h"
#include "data/DatabaseError.h"
#include "data/Dialect.h"
#include "data/MessageBoxes.h"
#include "data/SqlHelpers.h"

namespace {

int NextQueryId() {
    static int id = 0;
    return ++id;
}

bool IsEmptyValue(const QVariant& value) { return value.isNull() || value.toString().isEmpty(); }

// Dates as users type them: 2015-3-5, 2015/03/05, 15-3-5 (two-digit years
// from 70 are 19xx, below 70 20xx).
QDate ParseUserDate(const QString& input) {
    const QString text = input.trimmed();
    static const QRegularExpression pattern(QStringLiteral("^(\\d{2}|\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (match.hasMatch()) {
        int year = match.captured(1).toInt();
        if (match.captured(1).size() == 2) {
            year += year < 70 ? 2000 : 1900;
        }
        return QDate(year, match.captured(2).toInt(), match.captured(3).toInt());
    }
    if (text.size() == 8) {
        return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    }
    return {};
}

std::optional<double> ParseUserNumber(const QString& input) {
    bool ok = false;
    const double value = QLocale::c().toDouble(input.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString NumberText(double value) {
    QString text = QString::number(value, 'f', 8);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

bool Bind(QSqlQuery& query, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values.at(i));
    }
    return query.exec();
}

}  // namespace

TQDQuery::TQDQuery(QObject* parent) : QObject(parent), SqlType(ProgramSqlType) {}

TQDQuery::~TQDQuery() {
    m_statements.clear();
    DropPinTable();
}

void TQDQuery::SetSql(const QString& sql) {
    if (Active()) {
        Close();
    }
    m_sql = sql;
}

void TQDQuery::SetTableName(const QString& name, bool rewriteSql) {
    m_tableName = name;
    if (rewriteSql) {
        SetSql(QStringLiteral("SELECT  *  FROM  ") + name);
    }
}

QStringList TQDQuery::KeyColumns() const {
    QStringList keys = UpdateObject.KeyColumns();
    if (keys.isEmpty()) {
        if (const TTableDef* table = TSchemaCatalogue::Table(m_tableName)) {
            keys = table->KeyColumns();
        }
    }
    return keys;
}

QSqlQuery& TQDQuery::Prepared(const QString& statement) {
    auto it = m_statements.find(statement);
    if (it == m_statements.end()) {
        if (m_statements.size() > 64) {
            m_statements.clear();
        }
        auto query = std::make_shared<QSqlQuery>(MainDatabase());
        query->prepare(statement);
        it = m_statements.insert(statement, query);
    }
    return *it.value();
}

void TQDQuery::Report(const QString& message) {
    if (CollectMessages) {
        if (!CollectedMessages.isEmpty()) {
            CollectedMessages += QStringLiteral("\n\r");
        }
        CollectedMessages += message;
        return;
    }
    Information(message);
}

// ---------------------------------------------------------------- open, close

bool TQDQuery::DescribeFields() {
    m_fields.clear();
    m_fieldIndex.clear();
    QSqlQuery query(MainDatabase());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM (") + m_sql + QStringLiteral(") LIMIT 0"))) {
        return false;
    }
    const QSqlRecord record = query.record();
    const TTableDef* table = TSchemaCatalogue::Table(m_tableName);
    for (int i = 0; i < record.count(); ++i) {
        TQDField field;
        field.name = record.fieldName(i);
        const TColumnDef* column = table ? table->Column(field.name) : nullptr;
        field.inTable = column != nullptr;
        if (!column) {
            for (const TTableDef& other : TSchemaCatalogue::Tables()) {
                if ((column = other.Column(field.name))) {
                    break;
                }
            }
        }
        if (column) {
            field.kind = column->kind;
            field.width = column->width;
        }
        m_fieldIndex.insert(field.name.toUpper(), static_cast<int>(m_fields.size()));
        m_fields.append(field);
    }
    m_keyColumns.clear();
    m_keyFieldIndexes.clear();
    for (const QString& key : KeyColumns()) {
        const int index = FieldIndex(key);
        if (index < 0) {
            m_keyColumns.clear();
            m_keyFieldIndexes.clear();
            break;
        }
        m_keyColumns.append(m_fields[index].name);
        m_keyFieldIndexes.append(index);
    }
    return true;
}

void TQDQuery::ApplyDisplaySettings() {
    for (const TFieldsData& data : FieldsData) {
        TQDField* field = FindField(data.FieldName);
        if (!field) {
            continue;
        }
        if (field->kind == TFieldKind::Float || field->kind == TFieldKind::Integer) {
            field->displayWidth = 13;
            field->displayFormat = QStringLiteral("0.########");
        } else if (field->kind == TFieldKind::Date) {
            field->displayWidth = 10;
        }
        field->displayLabel = data.DisplayLabel;
        if (data.DisplayWidth > 0) {
            field->displayWidth = data.DisplayWidth;
        } else if (data.DisplayWidth == -1) {
            field->displayWidth = 0;
        }
        field->visible = data.Visible;
    }
}

bool TQDQuery::Open() {
    if (QyDetail) {
        QyDetail->Close();
    }
    if (Active()) {
        return true;
    }
    if (!MainDatabase().isOpen() || !DescribeFields()) {
        Information(QStringLiteral("数据库操作过程发生错误"));
        return false;
    }
    ClearPages();
    m_pins.clear();
    m_baseCount = -1;
    if (!FetchPage(0)) {
        Information(QStringLiteral("数据库操作过程发生错误"));
        m_fields.clear();
        return false;
    }
    ApplyDisplaySettings();
    m_handlersTaken = true;
    SetState(TDataSetState::Browse);
    emit RowsReset();
    SetCurrent(RowAt(0) ? 0 : -1, false);
    m_bof = true;
    m_eof = m_current < 0;
    if (m_view) {
        m_view->RefreshFooters();
    }
    if (OnAfterOpen) {
        OnAfterOpen();
    }
    emit CurrentChanged(m_current);
    if (OnAfterScroll) {
        OnAfterScroll();
    }
    return true;
}

void TQDQuery::Close() {
    if (!Active()) {
        return;
    }
    if (IsEditing()) {
        Cancel();
    }
    ClearPages();
    m_pins.clear();
    DropPinTable();
    m_statements.clear();
    m_baseCount = -1;
    m_current = -1;
    m_bof = m_eof = true;
    SetState(TDataSetState::Inactive);
    if (m_view) {
        m_view->LayoutForgotten();
    }
    emit RowsReset();
}

void TQDQuery::SetState(TDataSetState state) {
    if (m_state != state) {
        m_state = state;
        emit StateChanged(state);
    }
}

void TQDQuery::SetCurrent(int row, bool notify) {
    const bool changed = row != m_current;
    m_current = row;
    if (notify && changed) {
        emit CurrentChanged(row);
        if (OnAfterScroll) {
            OnAfterScroll();
        }
    }
}

// ---------------------------------------------------------------- paging

QString TQDQuery::BaseStatement() const {
    bool anyWritten = false;
    for (const TPin& pin : m_pins) {
        anyWritten = anyWritten || !pin.pending;
    }
    if (!anyWritten || m_pinTable.isEmpty()) {
        return m_sql;
    }
    // Rows this dataset wrote are shown where the user saw them, not again
    // wherever the statement would now sort them.
    QStringList terms;
    for (int i = 0; i < m_keyColumns.size(); ++i) {
        terms.append(QStringLiteral("P.K%1 = QDQ.%2").arg(i).arg(m_keyColumns[i]));
    }
    return QStringLiteral("SELECT * FROM (") + m_sql + QStringLiteral(") QDQ WHERE NOT EXISTS (SELECT 1 FROM temp.") +
           m_pinTable + QStringLiteral(" P WHERE ") + terms.join(QStringLiteral(" AND ")) + QLatin1Char(')');
}

bool TQDQuery::FetchPage(int page) {
    static const QRegularExpression limit(QStringLiteral("\\bLIMIT\\b"), QRegularExpression::CaseInsensitiveOption);
    QString statement = BaseStatement();
    if (limit.match(statement).hasMatch()) {
        statement = QStringLiteral("SELECT * FROM (") + statement + QLatin1Char(')');
    }
    statement += QStringLiteral(" LIMIT %1 OFFSET %2").arg(PageSize).arg(static_cast<qlonglong>(page) * PageSize);
    QSqlQuery query(MainDatabase());
    query.setForwardOnly(true);
    if (!query.exec(statement)) {
        return false;
    }
    QVector<TRow> rows;
    rows.reserve(PageSize);
    const int columns = FieldCount();
    while (query.next()) {
        TRow row(columns);
        for (int i = 0; i < columns; ++i) {
            row[i] = query.value(i);
        }
        rows.append(std::move(row));
    }
    if (rows.size() < PageSize) {
        m_baseCount = page * PageSize + static_cast<int>(rows.size());
    }
    m_pages.insert(page, std::move(rows));
    m_pageUse.removeAll(page);
    m_pageUse.append(page);
    while (m_pageUse.size() > CachedPages) {
        m_pages.remove(m_pageUse.takeFirst());
    }
    return true;
}

void TQDQuery::ClearPages() {
    m_pages.clear();
    m_pageUse.clear();
}

int TQDQuery::BaseCount() {
    if (m_baseCount < 0 && Active()) {
        QSqlQuery query(MainDatabase());
        query.setForwardOnly(true);
        if (query.exec(QStringLiteral("SELECT COUNT(*) FROM (") + BaseStatement() + QLatin1Char(')')) && query.next()) {
            m_baseCount = query.value(0).toInt();
        } else {
            m_baseCount = 0;
        }
    }
    return std::max(0, m_baseCount);
}

const TQDQuery::TRow* TQDQuery::BaseRow(int baseIndex) {
    if (baseIndex < 0 || (m_baseCount >= 0 && baseIndex >= m_baseCount)) {
        return nullptr;
    }
    const int page = baseIndex / PageSize;
    auto it = m_pages.find(page);
    if (it == m_pages.end()) {
        if (!FetchPage(page)) {
            return nullptr;
        }
        it = m_pages.find(page);
    } else if (m_pageUse.last() != page) {
        m_pageUse.removeAll(page);
        m_pageUse.append(page);
    }
    const int offset = baseIndex % PageSize;
    return offset < it->size() ? &it->at(offset) : nullptr;
}

int TQDQuery::PinIndexAt(int visible) const {
    auto it = std::lower_bound(m_pins.begin(), m_pins.end(), visible,
                               [](const TPin& pin, int position) { return pin.position < position; });
    return it != m_pins.end() && it->position == visible ? static_cast<int>(it - m_pins.begin()) : -1;
}

int TQDQuery::BaseIndexOf(int visible) const {
    auto it = std::lower_bound(m_pins.begin(), m_pins.end(), visible,
                               [](const TPin& pin, int position) { return pin.position < position; });
    return visible - static_cast<int>(it - m_pins.begin());
}

const TQDQuery::TRow* TQDQuery::RowAt(int visible) {
    if (visible < 0) {
        return nullptr;
    }
    const int pin = PinIndexAt(visible);
    if (pin >= 0) {
        return &m_pins[pin].row;
    }
    return BaseRow(BaseIndexOf(visible));
}

QVariantList TQDQuery::KeyOfRow(const TRow& row) const {
    QVariantList key;
    for (int index : m_keyFieldIndexes) {
        key.append(row.value(index));
    }
    return key;
}

bool TQDQuery::PinKey(const QVariantList& key) {
    if (m_keyColumns.isEmpty()) {
        // Without a key the written row cannot be told apart in the statement's
        // result: read the list afresh instead.
        return false;
    }
    if (m_pinTable.isEmpty()) {
        m_pinTable = QStringLiteral("QD_PINNED_%1").arg(NextQueryId());
        QStringList columns, keys;
        for (int i = 0; i < m_keyColumns.size(); ++i) {
            columns.append(QStringLiteral("K%1").arg(i));
        }
        if (!Execute(QStringLiteral("CREATE TEMP TABLE ") + m_pinTable + QStringLiteral(" (") + columns.join(QLatin1Char(',')) +
                     QStringLiteral(", PRIMARY KEY (") + columns.join(QLatin1Char(',')) + QStringLiteral("))"))) {
            m_pinTable.clear();
            return false;
        }
        m_pinTableColumns = static_cast<int>(m_keyColumns.size());
    }
    QStringList marks(m_pinTableColumns, QStringLiteral("?"));
    QSqlQuery& insert =
        Prepared(QStringLiteral("INSERT OR IGNORE INTO temp.") + m_pinTable + QStringLiteral(" VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'));
    const bool ok = Bind(insert, key);
    insert.finish();
    return ok;
}

void TQDQuery::UnpinKey(const QVariantList& key) {
    if (m_pinTable.isEmpty()) {
        return;
    }
    QStringList terms;
    for (int i = 0; i < m_pinTableColumns; ++i) {
        terms.append(QStringLiteral("K%1 = ?").arg(i));
    }
    QSqlQuery& remove = Prepared(QStringLiteral("DELETE FROM temp.") + m_pinTable + QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND ")));
    Bind(remove, key);
    remove.finish();
}

void TQDQuery::DropPinTable() {
    if (!m_pinTable.isEmpty()) {
        if (MainDatabase().isOpen()) {
            Execute(QStringLiteral("DROP TABLE IF EXISTS temp.") + m_pinTable);
        }
        m_pinTable.clear();
    }
}

// ---------------------------------------------------------------- navigation

int TQDQuery::RecordCount() {
    if (!Active()) {
        return 0;
    }
    return BaseCount() + static_cast<int>(m_pins.size());
}

bool TQDQuery::IsEmpty() { return !Active() || (m_current < 0 && !RowAt(0)); }

bool TQDQuery::MoveTo(int index) {
    if (!Active() || index < 0 || !RowAt(index)) {
        return false;
    }
    if (IsEditing() && index != m_current && !Save()) {
        return false;
    }
    SetCurrent(index);
    m_bof = index == 0;
    m_eof = false;
    return true;
}

void TQDQuery::First() {
    if (MoveTo(0)) {
        m_bof = true;
    }
}

void TQDQuery::Last() {
    const int count = RecordCount();
    if (count > 0 && MoveTo(count - 1)) {
        m_eof = true;
    }
}

void TQDQuery::Next() {
    if (!Active() || m_current < 0) {
        m_eof = true;
        return;
    }
    if (!RowAt(m_current + 1)) {
        m_eof = true;
        return;
    }
    MoveTo(m_current + 1);
}

void TQDQuery::Prior() {
    if (!Active() || m_current <= 0) {
        m_bof = true;
        return;
    }
    MoveTo(m_current - 1);
}

TQDBookmark TQDQuery::Bookmark() {
    TQDBookmark bookmark;
    if (const TRow* row = RowAt(m_current)) {
        bookmark.position = m_current;
        bookmark.key = KeyOfRow(*row);
    }
    return bookmark;
}

bool TQDQuery::GotoBookmark(const TQDBookmark& bookmark) {
    if (!bookmark.IsValid()) {
        return false;
    }
    if (const TRow* row = RowAt(bookmark.position); row && KeyOfRow(*row) == bookmark.key) {
        return MoveTo(bookmark.position);
    }
    for (const TPin& pin : m_pins) {
        if (KeyOfRow(pin.row) == bookmark.key) {
            return MoveTo(pin.position);
        }
    }
    if (m_keyColumns.size() == 1) {
        return Locate(m_keyColumns.first(), bookmark.key.first());
    }
    return MoveTo(std::min(bookmark.position, RecordCount() - 1));
}

bool TQDQuery::Locate(const QString& field, const QVariant& value) {
    const int column = FieldIndex(field);
    if (!Active() || column < 0) {
        return false;
    }
    const QString wanted = value.toString();
    for (int row = 0;; ++row) {
        const TRow* values = RowAt(row);
        if (!values) {
            return false;
        }
        if (values->at(column).toString() == wanted) {
            return MoveTo(row);
        }
    }
}

// ---------------------------------------------------------------- fields

int TQDQuery::FieldIndex(const QString& name) const { return m_fieldIndex.value(name.toUpper(), -1); }

TQDField* TQDQuery::FindField(const QString& name) {
    const int index = FieldIndex(name);
    return index >= 0 ? &m_fields[index] : nullptr;
}

QVariant TQDQuery::Value(const QString& name) {
    const int index = FieldIndex(name);
    if (index < 0) {
        return {};
    }
    if (IsEditing()) {
        return m_buffer.value(index);
    }
    const TRow* row = RowAt(m_current);
    return row ? row->at(index) : QVariant();
}

QString TQDQuery::Text(const QString& name) {
    const int index = FieldIndex(name);
    const QVariant value = Value(name);
    if (index < 0 || value.isNull()) {
        return {};
    }
    const TFieldKind kind = m_fields[index].kind;
    if ((kind == TFieldKind::Float || kind == TFieldKind::Integer) &&
        (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)) {
        return NumberText(value.toDouble());
    }
    return value.toString();
}

bool TQDQuery::IsNull(const QString& name) { return IsEmptyValue(Value(name)); }

bool TQDQuery::SetValue(const QString& name, const QVariant& value) {
    const int index = FieldIndex(name);
    if (index < 0 || !IsEditing()) {
        return false;
    }
    m_buffer[index] = value;
    emit FieldChanged(m_fields[index].name);
    return true;
}

QVariant TQDQuery::RowValue(int row, int column) {
    if (column < 0 || column >= FieldCount()) {
        return {};
    }
    if (row == m_current && IsEditing()) {
        return m_buffer.value(column);
    }
    const TRow* values = RowAt(row);
    return values ? values->at(column) : QVariant();
}

QString TQDQuery::RowText(int row, int column) {
    const QVariant value = RowValue(row, column);
    if (value.isNull() || column < 0 || column >= FieldCount()) {
        return {};
    }
    const TFieldKind kind = m_fields[column].kind;
    if ((kind == TFieldKind::Float || kind == TFieldKind::Integer) &&
        (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)) {
        return NumberText(value.toDouble());
    }
    return value.toString();
}

QVariantList TQDQuery::KeyOf(int row) {
    const TRow* values = RowAt(row);
    return values ? KeyOfRow(*values) : QVariantList();
}

QVariant TQDQuery::StorageValue(const TQDField& field, const QVariant& value) const {
    if (IsEmptyValue(value)) {
        return QVariant(QMetaType(field.kind == TFieldKind::Float     ? QMetaType::Double
                                  : field.kind == TFieldKind::Integer ? QMetaType::LongLong
                                                                      : QMetaType::QString));
    }
    switch (field.kind) {
        case TFieldKind::Text:
            return value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? QStringLiteral("是") : QStringLiteral("否"))
                                                     : QVariant(value.toString());
        case TFieldKind::Date: {
            if (value.typeId() == QMetaType::QDate) {
                return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
            }
            const QDate date = ParseUserDate(value.toString());
            return date.isValid() ? QVariant(date.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant(value.toString());
        }
        case TFieldKind::Float:
        case TFieldKind::Integer: {
            const std::optional<double> number =
                value.typeId() == QMetaType::QString ? ParseUserNumber(value.toString()) : std::optional<double>(value.toDouble());
            if (!number) {
                return value;
            }
            return field.kind == TFieldKind::Integer ? QVariant(static_cast<qlonglong>(std::llround(*number)))
                                                     : QVariant(*number);
        }
        case TFieldKind::Blob:
            return value;
    }
    return value;
}

QString TQDQuery::LiteralText(const QVariant& value) const { return value.isNull() ? QString() : value.toString(); }

// ---------------------------------------------------------------- insert, edit, cancel

bool TQDQuery::Insert() {
    if (!Active()) {
        return false;
    }
    if (IsEditing() && !Save()) {
        return false;
    }
    if (QyMaster && QyMaster->IsEmpty()) {
        Information(QStringLiteral("主数据库页面没有数据纪录，从数据页面不能有新的纪录"));
        return false;
    }
    if (OnBeforeInsert && !OnBeforeInsert()) {
        return false;
    }
    const int position = RecordCount();
    m_currentBeforeInsert = m_current;
    m_buffer = TRow(FieldCount());
    m_oldRow = TRow(FieldCount());
    TPin pin{position, m_buffer, true};
    m_pins.append(pin);
    m_editPin = static_cast<int>(m_pins.size()) - 1;
    SetState(TDataSetState::Insert);
    emit RowInserted(position);
    SetCurrent(position);
    m_bof = m_eof = false;
    for (TCheckData& check : CheckData) {
        for (TCheckFieldsData& field : check.Fields) {
            field.SavedValue.clear();
        }
    }
    if (m_view) {
        m_view->SetGridsEnabled(false);
    }
    if (!ApplyInsertRules()) {
        return false;
    }
    if (m_view && !Silent && !ActiveControl.isEmpty()) {
        m_view->FocusActiveControl(ActiveControl, ColorOnFocus);
    }
    return true;
}

bool TQDQuery::Edit() {
    if (!Active()) {
        return false;
    }
    if (IsEditing()) {
        return true;
    }
    const TRow* row = RowAt(m_current);
    if (!row) {
        return false;
    }
    if (OnBeforeEdit && !OnBeforeEdit()) {
        return false;
    }
    m_buffer = *row;
    m_oldRow = *row;
    m_editPin = PinIndexAt(m_current);
    for (TCheckData& check : CheckData) {
        if (!check.TriggerField.isEmpty() && !HasField(check.TriggerField)) {
            continue;
        }
        for (TCheckFieldsData& field : check.Fields) {
            if (!field.FieldName.isEmpty()) {
                field.SavedValue = LiteralText(m_buffer.value(FieldIndex(field.FieldName)));
            }
        }
    }
    SetState(TDataSetState::Edit);
    if (NotEdit) {
        NotEdit = false;
    } else {
        for (const TEditData& rule : EditData) {
            SetValue(rule.FieldName, rule.Value);
        }
    }
    if (m_view) {
        m_view->SetGridsEnabled(false);
        if (!Silent && !ActiveControl.isEmpty()) {
            m_view->FocusActiveControl(ActiveControl, ColorOnFocus);
        }
    }
    return true;
}

void TQDQuery::Cancel() {
    if (!IsEditing()) {
        return;
    }
    if (m_state == TDataSetState::Insert) {
        const int position = m_pins.at(m_editPin).position;
        m_pins.removeAt(m_editPin);
        for (TPin& pin : m_pins) {
            if (pin.position > position) --pin.position;
        }
        SetState(TDataSetState::Browse);
        emit RowRemoved(position);
        const int count = RecordCount();
        const int back = m_currentBeforeInsert >= 0 ? m_currentBeforeInsert : position;
        SetCurrent(count == 0 ? -1 : std::min(back, count - 1));
    } else {
        SetState(TDataSetState::Browse);
        emit RowChanged(m_current);
    }
    m_buffer.clear();
    m_oldRow.clear();
    m_editPin = -1;
    if (m_view) {
        m_view->SetGridsEnabled(true);
        m_view->RefreshFooters();
    }
}

// ---------------------------------------------------------------- automatic values

bool TQDQuery::ApplyInsertRules() {
    for (const TInsertData& rule : InsertData) {
        bool ownMessage = false;
        if (!ApplyRule(rule, false, &ownMessage)) {
            if (!ownMessage) {
                Error(QStringLiteral("数据插入错误"));
            }
            Cancel();
            return false;
        }
    }
    return true;
}

bool TQDQuery::Regenerate(const QString& field) {
    for (const TInsertData& rule : InsertData) {
        if (rule.FieldName.compare(field, Qt::CaseInsensitive) == 0) {
            bool ownMessage = false;
            return ApplyRule(rule, true, &ownMessage);
        }
    }
    return true;
}

bool TQDQuery::ApplyRule(const TInsertData& rule, bool regenerating, bool* ownMessage) {
    const QString kind = rule.Kind.toUpper();
    if (kind == QLatin1String("A") || kind == QLatin1String("L") || kind == QLatin1String("B")) {
        if (regenerating) {
            return true;
        }
        if (kind != QLatin1String("B") && rule.Value.isEmpty()) {
            Report(rule.FieldCaption + QStringLiteral("字段需插入的值是空的"));
            *ownMessage = true;
            return false;
        }
        if (kind == QLatin1String("A")) {
            SetValue(rule.FieldName, rule.Value);
        } else if (kind == QLatin1String("L")) {
            SetValue(rule.FieldName, rule.Value == QStringLiteral("是"));
        } else {
            SetValue(rule.FieldName, rule.SourceDataSet ? rule.SourceDataSet->Value(rule.Value) : QVariant());
        }
        return true;
    }
    if (kind == QLatin1String("T")) {
        return TimeStampValue(rule);
    }
    if (kind == QLatin1String("C") || kind == QLatin1String("Y") || kind == QLatin1String("M") ||
        kind == QLatin1String("D")) {
        return RunningNumber(rule, ownMessage);
    }
    return true;
}

bool TQDQuery::TimeStampValue(const TInsertData& rule) {
    if (!HasField(rule.FieldName)) {
        return true;
    }
    QDateTime moment = TClock::Now();
    const QString clock = TDialect::TimeStampClockStatement(SqlType);
    if (!clock.isEmpty()) {
        const QDateTime server = QDateTime::fromString(ValueText(clock).trimmed(), Qt::ISODate);
        if (server.isValid()) {
            moment = server;
        }
    }
    // The stamp is the wall-clock reading; counting on in UTC keeps the
    // arithmetic away from time-zone lookups.
    moment = QDateTime(moment.date(), QTime(moment.time().hour(), moment.time().minute(), moment.time().second()), Qt::UTC);
    // Two rows within one second would get the same stamp; a stamp already
    // given out (here or in the table) moves on to the next free second.
    static QHash<QString, QDateTime> lastIssued;
    const QString series = m_tableName.toUpper() + QLatin1Char('.') + rule.FieldName.toUpper() + QLatin1Char('|') + rule.Prefix;
    const auto last = lastIssued.constFind(series);
    if (last != lastIssued.constEnd() && moment <= *last) {
        moment = last->addSecs(1);
    }
    const bool checkTable = TSchemaCatalogue::Column(m_tableName, rule.FieldName) != nullptr;
    QString value = rule.Prefix + TAutoNumber::TimeStamp(moment);
    while (checkTable) {
        QSqlQuery& exists = Prepared(QStringLiteral("SELECT 1 FROM ") + m_tableName + QStringLiteral(" WHERE ") +
                                     rule.FieldName + QStringLiteral(" = ? LIMIT 1"));
        if (!Bind(exists, {value})) {
            exists.finish();
            break;
        }
        const bool taken = exists.next();
        exists.finish();
        if (!taken) {
            break;
        }
        moment = moment.addSecs(1);
        value = rule.Prefix + TAutoNumber::TimeStamp(moment);
    }
    lastIssued.insert(series, moment);
    SetValue(rule.FieldName, value);
    return true;
}

bool TQDQuery::RunningNumber(const TInsertData& rule, bool* ownMessage) {
    if (!HasField(rule.FieldName)) {
        return true;
    }
    if (m_tableName.isEmpty()) {
        Report(objectName() + QStringLiteral("必须有一个表名"));
        *ownMessage = true;
        return false;
    }
    const QString kind = rule.Kind.toUpper();
    if (kind == QLatin1String("D") && DayText.isEmpty()) {
        Report(QStringLiteral("没有Day值"));
        *ownMessage = true;
        return false;
    }
    const QString datePart = TAutoNumber::DatePart(kind, PeriodText, DayText);
    QVariantList values;
    QString statement;
    const TColumnDef* column = TSchemaCatalogue::Column(m_tableName, rule.FieldName);
    if (SqlType == TSqlType::urStandard && column && column->kind == TFieldKind::Text) {
        statement = TAutoNumber::IndexedMaximumStatement(rule, m_tableName, datePart, &values);
    }
    if (statement.isEmpty()) {
        values.clear();
        statement = TAutoNumber::MaximumStatement(SqlType, rule, m_tableName, datePart);
    }
    QSqlQuery& query = Prepared(statement);
    if (!Bind(query, values)) {
        query.finish();
        return false;
    }
    const QString maximum = query.next() ? query.value(0).toString() : QString();
    query.finish();
    const bool plain = kind == QLatin1String("C") && rule.Length == 0;
    const QString value =
        rule.Prefix + datePart + TAutoNumber::NextNumber(maximum, plain ? 0 : TAutoNumber::SequenceWidth(kind, rule.Length));
    if (value.isEmpty()) {
        Report(rule.FieldCaption + QStringLiteral("字段需插入的值是空的"));
        *ownMessage = true;
        return false;
    }
    SetValue(rule.FieldName, value);
    return true;
}

// ---------------------------------------------------------------- save

bool TQDQuery::Validate() {
    for (const TFieldsData& data : FieldsData) {
        const int index = FieldIndex(data.FieldName);
        if (index < 0) {
            continue;
        }
        const QString text = LiteralText(m_buffer[index]).trimmed();
        QString problem;
        if (data.Required && text.isEmpty() &&
            !(data.EditControl && m_view && !m_view->ControlText(data.EditControl).trimmed().isEmpty())) {
            problem = data.DisplayLabel + QStringLiteral("必须有一个值");
        } else if (data.Kind == QLatin1String("N") && !text.isEmpty() && m_buffer[index].typeId() == QMetaType::QString &&
                   !ParseUserNumber(text)) {
            problem = data.DisplayLabel + QStringLiteral("是错误的数据");
        } else if (data.Kind == QLatin1String("D") && !text.isEmpty()) {
            const QDate date = m_buffer[index].typeId() == QMetaType::QDate ? m_buffer[index].toDate() : ParseUserDate(text);
            if (!date.isValid()) {
                problem = data.DisplayLabel + QStringLiteral("是错误的数据");
            } else {
                m_buffer[index] = date.toString(QStringLiteral("yyyy-MM-dd"));
            }
        }
        if (!problem.isEmpty()) {
            Report(problem);
            if (m_view) {
                m_view->FocusField(m_fields[index].name, data.EditControl);
            }
            return false;
        }
    }
    return true;
}

bool TQDQuery::RunCheck(TCheckData& check, bool* failed) {
    *failed = false;
    if ((!check.TriggerField.isEmpty() && !HasField(check.TriggerField)) || check.SelectPrefix.isEmpty() ||
        (BatchMode && !check.CheckInBatch)) {
        return true;
    }
    auto build = [&](QString* statement, QString* shown, QVariantList* values, bool* changed) {
        QStringList terms, shownTerms;
        *changed = m_state == TDataSetState::Insert;
        for (const TCheckFieldsData& field : check.Fields) {
            if (field.FieldName.isEmpty()) {
                continue;
            }
            const int index = FieldIndex(field.FieldName);
            const QString rowValue = index >= 0 ? LiteralText(StorageValue(m_fields[index], m_buffer[index])) : QString();
            if (field.FixedValue.isEmpty() && check.SkipIfEmpty && rowValue.isEmpty()) {
                return false;
            }
            const QString literal = field.FixedValue.isEmpty() ? rowValue : field.FixedValue;
            if (field.FixedValue.isEmpty() && rowValue != field.SavedValue) {
                *changed = true;
            }
            terms.append(field.CheckColumn + QStringLiteral(" = ?"));
            if (field.ValueKind == QLatin1String("N")) {
                values->append(ParseNumber(literal));
                shownTerms.append(field.CheckColumn + QLatin1Char('=') + literal);
            } else {
                values->append(literal);
                shownTerms.append(field.CheckColumn + QLatin1Char('=') + QuotedStr(literal));
            }
        }
        *statement = check.SelectPrefix + terms.join(QStringLiteral(" and ")) + check.ExtraCondition;
        *shown = check.SelectPrefix + shownTerms.join(QStringLiteral(" and ")) + check.ExtraCondition;
        return true;
    };
    auto found = [&](const QString& statement, const QVariantList& values, QVariantList* row) -> std::optional<bool> {
        QSqlQuery& query = Prepared(statement);
        if (!Bind(query, values)) {
            query.finish();
            return std::nullopt;
        }
        const bool any = query.next();
        if (any && row) {
            for (int i = 0; i < query.record().count(); ++i) row->append(query.value(i));
        }
        query.finish();
        return any;
    };

    QString statement, shown;
    QVariantList values;
    bool changed = false;
    if (!build(&statement, &shown, &values, &changed)) {
        return true;  // an empty checked column: nothing to compare
    }
    if (check.MustBeAbsent && !changed) {
        return true;
    }
    QVariantList foundRow;
    std::optional<bool> any = found(statement, values, &foundRow);
    if (!any) {
        Report(QStringLiteral("数据库操作过程发生错误"));
        *failed = true;
        return false;
    }
    bool failing = check.MustBeAbsent ? *any : !*any;
    if (failing && check.MustBeAbsent && !check.NoRegenerate && !check.TriggerField.isEmpty()) {
        Regenerate(check.TriggerField);
        values.clear();
        if (build(&statement, &shown, &values, &changed)) {
            any = found(statement, values, nullptr);
            failing = !any || *any;
        }
    }
    if (failing) {
        if (!check.AskOnly) {
            Report(check.Message);
            if (m_view && !Silent) {
                // The first checked column that has an edit on the window takes the focus.
                QString focusField = check.Fields[0].FieldName;
                QObject* control = nullptr;
                for (const TCheckFieldsData& field : check.Fields) {
                    for (const TFieldsData& data : FieldsData) {
                        if (!control && !field.FieldName.isEmpty() && data.EditControl &&
                            data.FieldName.compare(field.FieldName, Qt::CaseInsensitive) == 0) {
                            control = data.EditControl;
                            focusField = field.FieldName;
                        }
                    }
                }
                m_view->FocusField(focusField, control);
            }
            *failed = true;
            return false;
        }
        if (!m_confirmedStatements.contains(shown)) {
            if (!Question(check.Message)) {
                *failed = true;
                return false;
            }
            m_confirmedStatements.insert(shown);
        }
        return true;
    }
    if (!check.MustBeAbsent && !check.FillFields.isEmpty()) {
        const QStringList fills = check.FillFields.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (int i = 0; i < fills.size() && i < foundRow.size(); ++i) {
            SetValue(fills[i].trimmed(), foundRow[i]);
        }
    }
    return true;
}

bool TQDQuery::RunChecks() {
    for (TCheckData& check : CheckData) {
        bool failed = false;
        RunCheck(check, &failed);
        if (failed) {
            return false;
        }
    }
    return true;
}

bool TQDQuery::Write() {
    // Refuse what the columns cannot hold instead of storing it cut or wrong.
    for (int i = 0; i < FieldCount(); ++i) {
        const TQDField& field = m_fields[i];
        if (!field.inTable || IsEmptyValue(m_buffer[i])) {
            continue;
        }
        QString label = field.name;
        for (const TFieldsData& data : FieldsData) {
            if (data.FieldName.compare(field.name, Qt::CaseInsensitive) == 0 && !data.DisplayLabel.isEmpty()) label = data.DisplayLabel;
        }
        QString problem;
        const QVariant stored = StorageValue(field, m_buffer[i]);
        if (field.kind == TFieldKind::Text) {
            problem = TSchemaCatalogue::TextProblem(label, stored.toString(), field.width);
        } else if (field.kind == TFieldKind::Date && !ParseUserDate(stored.toString()).isValid()) {
            problem = label + QStringLiteral("是错误的数据");
        } else if ((field.kind == TFieldKind::Float || field.kind == TFieldKind::Integer) &&
                   stored.typeId() == QMetaType::QString) {
            problem = label + QStringLiteral("是错误的数据");
        }
        if (!problem.isEmpty()) {
            Report(problem);
            if (m_view && !Silent) {
                m_view->FocusField(field.name, nullptr);
            }
            return false;
        }
    }

    const bool direct = SqlType == TSqlType::urStandard && !m_tableName.isEmpty() && !m_keyColumns.isEmpty();
    if (!direct && UpdateObject.IsEmpty()) {
        Report(QStringLiteral("没有TableName或LSQLEND"));
        return false;
    }
    // One savepoint per row: a failing row leaves nothing behind, also inside
    // a batch transaction.
    const QString failed = QStringLiteral("数据保存过程发生错误");
    TSavepoint savepoint(QStringLiteral("QDSAVE"));
    if (!savepoint.IsActive()) {
        Report(SaveFailureMessage(LastStatementError(), failed));
        return false;
    }
    if (!(direct ? WriteDirect() : WriteThroughUpdateObject())) {
        savepoint.Rollback();
        return false;
    }
    if (!savepoint.Release()) {
        Report(SaveFailureMessage(LastStatementError(), failed));
        return false;
    }
    return true;
}

bool TQDQuery::WriteDirect() {
    const bool inserting = m_state == TDataSetState::Insert;
    QStringList terms;
    QVariantList keyValues, newKeyValues;
    for (int i = 0; i < m_keyColumns.size(); ++i) {
        const int index = m_keyFieldIndexes[i];
        terms.append(m_keyColumns[i] + QStringLiteral(" = ?"));
        keyValues.append(StorageValue(m_fields[index], inserting ? m_buffer[index] : m_oldRow[index]));
        newKeyValues.append(StorageValue(m_fields[index], m_buffer[index]));
    }
    const QString condition = terms.join(QStringLiteral(" AND "));
    // Whether the row is there is all the write needs to know of it.
    const QString select = QStringLiteral("SELECT 1 FROM ") + m_tableName + QStringLiteral("  WHERE ") + condition;
    auto exists = [&](const QVariantList& key) -> std::optional<bool> {
        QSqlQuery& query = Prepared(select);
        if (!Bind(query, key)) {
            query.finish();
            return std::nullopt;
        }
        const bool any = query.next();
        query.finish();
        return any;
    };
    auto fail = [&](const QString& message, const QString& detail) {
        Report(message);
        if (OnUpdateError) {
            OnUpdateError(detail);
        }
        return false;
    };
    const std::optional<bool> found = exists(keyValues);
    if (!found) {
        return fail(QStringLiteral("数据保存过程发生错误"), MainDatabase().lastError().text());
    }
    if (!inserting && !*found) {
        Report(QStringLiteral("该记录已被其它用户删除或在其它窗口被删除"));
        return false;
    }
    if (inserting && *found) {
        // Another row already has this key: writing over it would lose it.
        return fail(QStringLiteral("数据保存过程发生错误"), QStringLiteral("duplicate key"));
    }
    QStringList columns, marks, sets;
    QVariantList values;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!m_fields[i].inTable) {
            continue;
        }
        columns.append(m_fields[i].name);
        marks.append(QStringLiteral("?"));
        sets.append(m_fields[i].name + QStringLiteral(" = ?"));
        values.append(StorageValue(m_fields[i], m_buffer[i]));
    }
    QString statement;
    if (inserting) {
        statement = QStringLiteral("INSERT INTO ") + m_tableName + QStringLiteral(" (") + columns.join(QLatin1Char(',')) +
                    QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    } else {
        statement = QStringLiteral("UPDATE ") + m_tableName + QStringLiteral(" SET ") + sets.join(QLatin1Char(',')) +
                    QStringLiteral(" WHERE ") + condition;
        values += keyValues;
    }
    QSqlQuery& write = Prepared(statement);
    if (!Bind(write, values)) {
        const QSqlError error = write.lastError();
        write.finish();
        return fail(SaveFailureMessage(error, QStringLiteral("数据保存过程发生错误")), error.text());
    }
    write.finish();
    if (inserting) {
        const std::optional<bool> stored = exists(newKeyValues);
        if (!stored || !*stored) {
            return fail(QStringLiteral("数据保存过程发生错误,可能数据库索引已损坏，请先修复损坏的数据库索引"), QString());
        }
    }
    return true;
}

bool TQDQuery::WriteThroughUpdateObject() {
    QString statement = m_state == TDataSetState::Insert ? UpdateObject.InsertSQL : UpdateObject.ModifySQL;
    if (UpDateTable) {
        statement = TQDUpdateSql::WithTable(statement, m_tableName);
    }
    QStringList names;
    const QString prepared = TQDUpdateSql::Prepare(statement, &names);
    QVariantList values;
    for (const QString& name : names) {
        const bool old = name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
        const int index = FieldIndex(old ? name.mid(4) : name);
        if (index < 0) {
            values.append(QVariant());
            continue;
        }
        const TRow& source = old && m_state == TDataSetState::Edit ? m_oldRow : m_buffer;
        values.append(StorageValue(m_fields[index], source[index]));
    }
    QSqlQuery& query = Prepared(prepared);
    if (!Bind(query, values)) {
        const QSqlError error = query.lastError();
        query.finish();
        Report(SaveFailureMessage(error, QStringLiteral("数据保存过程发生错误")));
        if (OnUpdateError) {
            OnUpdateError(error.text());
        }
        return false;
    }
    const bool touched = query.numRowsAffected() != 0;
    query.finish();
    if (!touched && m_state == TDataSetState::Edit) {
        Report(QStringLiteral("该记录已被其它用户删除或在其它窗口被删除"));
        return false;
    }
    return true;
}

bool TQDQuery::Save() {
    if (!IsEditing()) {
        return false;
    }
    if (!Silent && !Validate()) {
        return false;
    }
    if (!RunChecks()) {
        return false;
    }
    if (!Write()) {
        return false;
    }
    // The stored form of every column, as it will read back.
    for (int i = 0; i < FieldCount(); ++i) {
        if (m_fields[i].inTable) {
            m_buffer[i] = StorageValue(m_fields[i], m_buffer[i]);
        }
    }
    const QVariantList key = KeyOfRow(m_buffer);
    bool refetch = false;
    if (m_state == TDataSetState::Insert) {
        TPin& pin = m_pins[m_editPin];
        pin.row = m_buffer;
        pin.pending = false;
        refetch = !PinKey(key);
    } else if (m_editPin >= 0) {
        const QVariantList oldKey = KeyOfRow(m_pins[m_editPin].row);
        m_pins[m_editPin].row = m_buffer;
        if (oldKey != key) {
            UnpinKey(oldKey);
            refetch = !PinKey(key);
        }
    } else {
        // A row read from the database keeps its place in the list.
        const QVariantList oldKey = KeyOfRow(m_oldRow);
        TPin pin{m_current, m_buffer, false};
        auto at = std::lower_bound(m_pins.begin(), m_pins.end(), m_current,
                                   [](const TPin& p, int position) { return p.position < position; });
        m_pins.insert(at, pin);
        refetch = !PinKey(key) || (oldKey != key && !PinKey(oldKey));
        ClearPages();
        if (m_baseCount >= 0) {
            --m_baseCount;
        }
    }
    const int row = m_current;
    if (refetch) {
        // No key to keep the row apart by: read the list again from the database.
        m_pins.clear();
        ClearPages();
        m_baseCount = -1;
    }
    m_buffer.clear();
    m_oldRow.clear();
    m_editPin = -1;
    SetState(TDataSetState::Browse);
    if (refetch) {
        emit RowsReset();
        SetCurrent(RowAt(row) ? row : RecordCount() - 1, false);
    }
    emit RowChanged(row);
    if (m_view) {
        m_view->SetGridsEnabled(true);
        m_view->RefreshFooters();
    }
    return true;
}

// ---------------------------------------------------------------- delete

bool TQDQuery::DeleteDetailRows(const QString& keyValue) {
    if (DetailTable.isEmpty()) {
        return true;
    }
    if (QyDetail) {
        QyDetail->Close();
    }
    if (KeyValue.isEmpty()) {
        Report(QStringLiteral("没有KeyValue 属性"));
        return false;
    }
    if (!Execute(QStringLiteral("DELETE FROM ") + DetailTable + QStringLiteral(" WHERE ") + KeyValue + QStringLiteral(" = ?"),
                 {keyValue})) {
        Report(SaveFailureMessage(LastStatementError(), DetailDError + QStringLiteral("删除过程发生错误")));
        return false;
    }
    return true;
}

QString TQDQuery::DeleteQuestion() { return QStringLiteral("请确认是否删除"); }

bool TQDQuery::Delete() {
    if (!Active() || IsEmpty() || m_current < 0) {
        return false;
    }
    if (m_state == TDataSetState::Insert) {
        Cancel();
        return true;
    }
    if (m_state == TDataSetState::Edit) {
        Cancel();
    }
    if (NoDeleteConfirm) {
        NoDeleteConfirm = false;
    } else if (!Question(DeleteQuestion())) {
        return false;
    }
    const TRow* current = RowAt(m_current);
    if (!current) {
        return false;
    }
    const TRow row = *current;
    const QString keyValue = KeyValue.isEmpty() ? QString() : LiteralText(row.value(FieldIndex(KeyValue)));
    const bool direct = SqlType == TSqlType::urStandard && !m_tableName.isEmpty() && !m_keyColumns.isEmpty();

    // The volume and its detail rows go together or not at all.
    const QString failed = QStringLiteral("数据删除过程发生错误");
    TSavepoint savepoint(QStringLiteral("QDDELETE"));
    if (!savepoint.IsActive()) {
        Report(SaveFailureMessage(LastStatementError(), failed));
        return false;
    }
    bool ok = DeleteDetailRows(keyValue);
    bool reported = !ok;
    if (ok) {
        QString statement;
        QVariantList values;
        if (direct) {
            QStringList terms;
            for (int i = 0; i < m_keyColumns.size(); ++i) {
                terms.append(m_keyColumns[i] + QStringLiteral(" = ?"));
                values.append(StorageValue(m_fields[m_keyFieldIndexes[i]], row[m_keyFieldIndexes[i]]));
            }
            statement = QStringLiteral("DELETE FROM ") + m_tableName + QStringLiteral("  WHERE ") + terms.join(QStringLiteral(" AND "));
        } else {
            QString source = UpDateTable ? TQDUpdateSql::WithTable(UpdateObject.DeleteSQL, m_tableName) : UpdateObject.DeleteSQL;
            QStringList names;
            statement = TQDUpdateSql::Prepare(source, &names);
            for (const QString& name : names) {
                const QString column = name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive) ? name.mid(4) : name;
                const int index = FieldIndex(column);
                values.append(index >= 0 ? StorageValue(m_fields[index], row[index]) : QVariant());
            }
        }
        ok = !statement.isEmpty() && Execute(statement, values) && savepoint.Release();
    }
    if (!ok) {
        savepoint.Rollback();
        if (!reported) {
            Report(SaveFailureMessage(LastStatementError(), failed));
        }
        return false;
    }
    if (QyDetail) {
        QyDetail->Close();
    }
    const int position = m_current;
    const int pin = PinIndexAt(position);
    if (pin >= 0) {
        UnpinKey(KeyOfRow(m_pins[pin].row));
        m_pins.removeAt(pin);
    } else {
        ClearPages();
        if (m_baseCount >= 0) {
            --m_baseCount;
        }
    }
    for (TPin& other : m_pins) {
        if (other.position > position) --other.position;
    }
    emit RowRemoved(position);
    const int count = RecordCount();
    m_current = -2;  // force the change notification
    SetCurrent(count == 0 ? -1 : std::min(position, count - 1));
    m_eof = count == 0;
    if (m_view) {
        m_view->RefreshFooters();
    }
    return true;
}

// ---------------------------------------------------------------- footers

TQDQuery::TAggregate TQDQuery::Aggregate(const QStringList& sumColumns) {
    TAggregate result;
    if (!Active()) {
        return result;
    }
    QStringList parts{QStringLiteral("COUNT(*)")};
    for (const QString& column : sumColumns) {
        parts.append(QStringLiteral("TOTAL(") + column + QLatin1Char(')'));
    }
    QSqlQuery query(MainDatabase());
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT ") + parts.join(QLatin1Char(',')) + QStringLiteral(" FROM (") + BaseStatement() +
                   QLatin1Char(')')) &&
        query.next()) {
        result.count = query.value(0).toInt();
        m_baseCount = result.count;
        for (int i = 0; i < sumColumns.size(); ++i) {
            result.sums[sumColumns[i]] = query.value(i + 1).toDouble();
        }
    }
    for (int p = 0; p < m_pins.size(); ++p) {
        const TRow& row = (p == m_editPin && IsEditing()) ? m_buffer : m_pins[p].row;
        ++result.count;
        for (const QString& column : sumColumns) {
            const int index = FieldIndex(column);
            if (index >= 0) {
                result.sums[column] += ParseNumber(row[index].toString());
            }
        }
    }
    return result;
}

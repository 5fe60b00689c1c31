#include "framework/QDDBEdit.h"

#include <QKeyEvent>

#include "framework/QDDataSource.h"

TQDDBEdit::TQDDBEdit(QWidget* parent) : TQDEdit(parent) {
    setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, [this] { StoreToField(); });
}

void TQDDBEdit::Bind(TQDDataSource* source, const QString& field) {
    m_source = source;
    m_field = field;
    Connect();
    connect(source, &TQDDataSource::DataChanged, this, &TQDDBEdit::Connect);
    LoadFromField();
}

void TQDDBEdit::Connect() {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query) {
        return;
    }
    connect(query, &TQDQuery::CurrentChanged, this, &TQDDBEdit::LoadFromField, Qt::UniqueConnection);
    connect(query, &TQDQuery::StateChanged, this, &TQDDBEdit::LoadFromField, Qt::UniqueConnection);
    connect(query, &TQDQuery::RowsReset, this, &TQDDBEdit::LoadFromField, Qt::UniqueConnection);
    connect(query, &TQDQuery::FieldChanged, this, [this](const QString& field) {
        if (!m_storing && field.compare(m_field, Qt::CaseInsensitive) == 0) LoadFromField();
    });
}

void TQDDBEdit::LoadFromField() {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->Active()) {
        clear();
        return;
    }
    if (const TQDField* field = query->FindField(m_field); field && field->kind == TFieldKind::Text && field->width > 0) {
        setMaxLength(field->width);
    }
    setText(query->Text(m_field));
    m_invalid = false;
}

bool TQDDBEdit::StoreToField() {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->IsEditing()) {
        return false;
    }
    m_storing = true;
    const bool ok = query->SetValue(m_field, text());
    m_storing = false;
    m_invalid = !ok;
    return ok;
}

void TQDDBEdit::focusInEvent(QFocusEvent* event) {
    TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
    m_entered = query ? query->Value(m_field) : QVariant();
    TQDEdit::focusInEvent(event);
}

void TQDDBEdit::keyPressEvent(QKeyEvent* event) {
    // Esc puts back the column's value from before the typing.
    if (event->key() == Qt::Key_Escape && !isReadOnly()) {
        TQDQuery* query = m_source ? m_source->DataSet() : nullptr;
        if (query && query->IsEditing()) {
            query->SetValue(m_field, m_entered);
            setText(query->Text(m_field));
            selectAll();
            return;
        }
    }
    TQDEdit::keyPressEvent(event);
}

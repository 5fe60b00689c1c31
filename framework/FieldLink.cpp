#include "framework/FieldLink.h"

#include <QLineEdit>

void TFieldLink::Load(QLineEdit* edit) const {
    TQDQuery* query = DataSet();
    if (!query || !query->Active()) {
        edit->clear();
        return;
    }
    if (const TQDField* field = query->FindField(m_field); field && field->kind == TFieldKind::Text && field->width > 0) {
        edit->setMaxLength(field->width);
    }
    edit->setText(query->Text(m_field));
}

bool TFieldLink::Store(QLineEdit* edit) {
    TQDQuery* query = DataSet();
    if (!query || !query->IsEditing()) {
        return false;
    }
    m_storing = true;
    const bool ok = query->SetValue(m_field, edit->text());
    m_storing = false;
    m_invalid = !ok;
    return ok;
}

bool TFieldLink::Restore(QLineEdit* edit) {
    TQDQuery* query = DataSet();
    if (edit->isReadOnly() || !query || !query->IsEditing()) {
        return false;
    }
    query->SetValue(m_field, m_entered);
    edit->setText(query->Text(m_field));
    edit->selectAll();
    return true;
}

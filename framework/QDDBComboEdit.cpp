#include "framework/QDDBComboEdit.h"

#include <QAction>
#include <QKeyEvent>

#include "framework/QDDBEdit.h"

TQDDBComboEdit::TQDDBComboEdit(QWidget* parent) : TQDComboEdit(parent) {
    setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, [this] { StoreToField(); });
    // A value picked through the button goes to the column too.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!isReadOnly()) StoreToField();
    });
}

void TQDDBComboEdit::Bind(TQDDataSource* source, const QString& field) {
    m_link.Bind(source, field);
    FollowDataSet(this, this, m_link);
    LoadFromField();
}

void TQDDBComboEdit::SetDataReadOnly(bool readOnly) {
    setReadOnly(readOnly);
    // The drop button works only while a row is edited.
    Button()->setEnabled(!readOnly);
}

void TQDDBComboEdit::focusInEvent(QFocusEvent* event) {
    m_link.Remember();
    TQDComboEdit::focusInEvent(event);
}

void TQDDBComboEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_link.Restore(this)) {
        return;
    }
    TQDComboEdit::keyPressEvent(event);
}

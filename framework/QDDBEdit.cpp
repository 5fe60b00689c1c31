#include "framework/QDDBEdit.h"

#include <QKeyEvent>

void FollowDataSet(QObject* control, TQDDataAware* aware, const TFieldLink& link) {
    TQDQuery* query = link.DataSet();
    if (!query) {
        return;
    }
    QObject::connect(query, &TQDQuery::CurrentChanged, control, [aware] { aware->LoadFromField(); });
    QObject::connect(query, &TQDQuery::StateChanged, control, [aware] { aware->LoadFromField(); });
    QObject::connect(query, &TQDQuery::RowsReset, control, [aware] { aware->LoadFromField(); });
    QObject::connect(query, &TQDQuery::FieldChanged, control, [aware, &link](const QString& field) {
        if (!link.IsStoring() && field.compare(link.Field(), Qt::CaseInsensitive) == 0) aware->LoadFromField();
    });
}

TQDDBEdit::TQDDBEdit(QWidget* parent) : TQDEdit(parent) {
    setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, [this] { StoreToField(); });
}

void TQDDBEdit::Bind(TQDDataSource* source, const QString& field) {
    m_link.Bind(source, field);
    FollowDataSet(this, this, m_link);
    LoadFromField();
}

void TQDDBEdit::focusInEvent(QFocusEvent* event) {
    m_link.Remember();
    TQDEdit::focusInEvent(event);
}

void TQDDBEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_link.Restore(this)) {
        return;
    }
    TQDEdit::keyPressEvent(event);
}

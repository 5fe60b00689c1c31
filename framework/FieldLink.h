#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>

#include "framework/QDDataSource.h"

class QLineEdit;

// What every data-aware text control shares: the source and column it shows,
// writing typed text to the column, and the value to put back on Esc.
class TFieldLink {
public:
    TQDDataSource* Source() const { return m_source; }
    const QString& Field() const { return m_field; }
    TQDQuery* DataSet() const { return m_source ? m_source->DataSet() : nullptr; }
    void Bind(TQDDataSource* source, const QString& field) {
        m_source = source;
        m_field = field;
    }

    // Shows the column in the edit (and limits its length to the column's).
    void Load(QLineEdit* edit) const;
    bool Store(QLineEdit* edit);
    void Remember() {
        TQDQuery* query = DataSet();
        m_entered = query ? query->Value(m_field) : QVariant();
    }
    // Esc: the column's value from before the typing, the text selected.
    bool Restore(QLineEdit* edit);
    bool IsStoring() const { return m_storing; }
    bool IsInvalid() const { return m_invalid; }

private:
    QPointer<TQDDataSource> m_source;
    QString m_field;
    QVariant m_entered;
    bool m_storing = false;
    bool m_invalid = false;
};

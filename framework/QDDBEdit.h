#pragma once

#include <QPointer>

#include "framework/DataAware.h"
#include "framework/QDDataSource.h"
#include "framework/QDEdit.h"


// An edit bound to one column of a data source's dataset.
class TQDDBEdit : public TQDEdit, public TQDDataAware {
    Q_OBJECT
public:
    explicit TQDDBEdit(QWidget* parent = nullptr);

    void Bind(TQDDataSource* source, const QString& field);
    QString DataField() const override { return m_field; }
    TQDDataSource* DataSource() const override { return m_source; }
    void LoadFromField() override;
    bool StoreToField() override;
    void SetDataReadOnly(bool readOnly) override { setReadOnly(readOnly); }
    bool IsInvalid() const override { return m_invalid; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void Connect();

    QPointer<TQDDataSource> m_source;
    QString m_field;
    bool m_storing = false;
    bool m_invalid = false;
    QVariant m_entered;  // the column's value when the edit took the focus
};

#pragma once

#include "framework/DataAware.h"
#include "framework/FieldLink.h"
#include "framework/QDComboEdit.h"

// A drop-button edit bound to one column; read-only until bound.
class TQDDBComboEdit : public TQDComboEdit, public TQDDataAware {
    Q_OBJECT
public:
    explicit TQDDBComboEdit(QWidget* parent = nullptr);

    void Bind(TQDDataSource* source, const QString& field);
    QString DataField() const override { return m_link.Field(); }
    TQDDataSource* DataSource() const override { return m_link.Source(); }
    void LoadFromField() override { m_link.Load(this); }
    bool StoreToField() override { return m_link.Store(this); }
    void SetDataReadOnly(bool readOnly) override;
    bool IsInvalid() const override { return m_link.IsInvalid(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    TFieldLink m_link;
};

#pragma once

#include "framework/DataAware.h"
#include "framework/FieldLink.h"
#include "framework/QDEdit.h"

// An edit bound to one column of a data source's dataset.
class TQDDBEdit : public TQDEdit, public TQDDataAware {
    Q_OBJECT
public:
    explicit TQDDBEdit(QWidget* parent = nullptr);

    void Bind(TQDDataSource* source, const QString& field);
    QString DataField() const override { return m_link.Field(); }
    TQDDataSource* DataSource() const override { return m_link.Source(); }
    void LoadFromField() override { m_link.Load(this); }
    bool StoreToField() override { return m_link.Store(this); }
    void SetDataReadOnly(bool readOnly) override { setReadOnly(readOnly); }
    bool IsInvalid() const override { return m_link.IsInvalid(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    TFieldLink m_link;
};

// Connects a data-aware control to the dataset signals that change what it shows.
void FollowDataSet(QObject* control, TQDDataAware* aware, const TFieldLink& link);

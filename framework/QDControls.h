#pragma once

#include <QComboBox>
#include <QFrame>
#include <QListWidget>
#include <QPointer>

#include "framework/DataAware.h"
#include "framework/FieldLink.h"
#include "framework/QDEdit.h"

class TFocusColors;

// A masked edit: what may be typed follows the mask.
class TQDMEdit : public TQDEdit {
    Q_OBJECT
public:
    explicit TQDMEdit(QWidget* parent = nullptr) : TQDEdit(parent) {}
};

// A list box with focus colours.
class TQDListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TQDListBox(QWidget* parent = nullptr);
    TFocusColors* Colors() const { return m_colors; }

private:
    TFocusColors* m_colors;
};

// A combo box bound to one column: its text is the column's value.
class TQDDBComboBox : public QComboBox, public TQDDataAware {
    Q_OBJECT
public:
    explicit TQDDBComboBox(QWidget* parent = nullptr);
    void Bind(TQDDataSource* source, const QString& field);
    QString DataField() const override { return m_link.Field(); }
    TQDDataSource* DataSource() const override { return m_link.Source(); }
    void LoadFromField() override;
    bool StoreToField() override;
    void SetDataReadOnly(bool readOnly) override;
    bool IsInvalid() const override { return m_link.IsInvalid(); }
    TFocusColors* Colors() const { return m_colors; }

private:
    TFieldLink m_link;
    TFocusColors* m_colors;
    bool m_loading = false;
    bool m_readOnlyFlag = true;

protected:
    void showPopup() override {
        if (!m_readOnlyFlag) QComboBox::showPopup();
    }
    void wheelEvent(QWheelEvent* event) override;
};

// A combo bound to a key column that shows, and offers, the display values of
// another dataset (for example the type name for a type id).
class TQDDBLookupComboBox : public QComboBox, public TQDDataAware {
    Q_OBJECT
public:
    explicit TQDDBLookupComboBox(QWidget* parent = nullptr);
    void Bind(TQDDataSource* source, const QString& field);
    // The list: its key column and the column shown.
    void SetLookup(TQDQuery* list, const QString& keyField, const QString& displayField);
    QString DataField() const override { return m_link.Field(); }
    TQDDataSource* DataSource() const override { return m_link.Source(); }
    void LoadFromField() override;
    bool StoreToField() override;
    void SetDataReadOnly(bool readOnly) override;
    bool IsInvalid() const override { return m_link.IsInvalid(); }

private:
    void Fill();

    TFieldLink m_link;
    QPointer<TQDQuery> m_list;
    QString m_keyField;
    QString m_displayField;
    bool m_loading = false;
};

// A list bound to a key column that shows the display values of another dataset.
class TQDDBLookupListBox : public QListWidget, public TQDDataAware {
    Q_OBJECT
public:
    explicit TQDDBLookupListBox(QWidget* parent = nullptr);
    void Bind(TQDDataSource* source, const QString& field);
    void SetLookup(TQDQuery* list, const QString& keyField, const QString& displayField);
    QString DataField() const override { return m_link.Field(); }
    TQDDataSource* DataSource() const override { return m_link.Source(); }
    void LoadFromField() override;
    bool StoreToField() override;
    void SetDataReadOnly(bool readOnly) override;
    bool IsInvalid() const override { return m_link.IsInvalid(); }

private:
    TFieldLink m_link;
    QPointer<TQDQuery> m_list;
    QString m_keyField;
    QString m_displayField;
    bool m_loading = false;
};

// A bevelled panel with the program's shading colours.
class TQDPanel : public QFrame {
    Q_OBJECT
public:
    explicit TQDPanel(QWidget* parent = nullptr);
    int BorderLine = 1;
    QColor Color_High = QColor(0xE8, 0xE8, 0xE0);  // 14739688
    QColor Color_Low = QColor(0xA2, 0x8D, 0x68);   // 6852002
    QColor FaceColor;
    QColor ShadowColor = QColor(0x80, 0x80, 0x80);  // 8421504
    int ShadowWidth = 0;
    bool Locked = false;

protected:
    void paintEvent(QPaintEvent* event) override;
};

#pragma once

#include <QDialog>

#include "catalogue/FieldDefinitions.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class TQDEdit;

// The field dialog "字段选择窗口" for one slot of the record card.
class TSelectArchiveFieldForm : public QDialog {
    Q_OBJECT
public:
    TSelectArchiveFieldForm(int slot, bool items = false, QWidget* parent = nullptr);

    TQDEdit* NameEdit() const { return m_name; }       // QDEdit1
    QComboBox* FieldBox() const { return m_fields; }   // QDComboBox1
    QComboBox* InputBox() const { return m_inputs; }   // QDComboBox2
    QCheckBox* SortBox() const { return m_sort; }      // CheckBox1
    QCheckBox* RepeatBox() const { return m_repeat; }  // CheckBox2
    QPushButton* OkButton() const { return m_ok; }
    // After OK: the slot's caption and whether it is undefined now.
    QString SavedName() const { return m_saved; }
    bool Removed() const { return m_removed; }

private:
    void FieldChosen();
    void Confirm();

    int m_slot;
    TFieldDefinitions m_definitions;
    QString m_previous;
    bool m_locked = false;
    TQDEdit* m_name;
    QComboBox* m_fields;
    QComboBox* m_inputs;
    QCheckBox* m_sort;
    QCheckBox* m_repeat;
    QPushButton* m_ok;
    QPushButton* m_close;
    QString m_saved;
    bool m_removed = false;
};

class TSelectArchiveDetailFieldForm : public TSelectArchiveFieldForm {
    Q_OBJECT
public:
    explicit TSelectArchiveDetailFieldForm(int slot, QWidget* parent = nullptr) : TSelectArchiveFieldForm(slot, true, parent) {}
};

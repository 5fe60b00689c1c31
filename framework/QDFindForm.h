#pragma once

#include <QDialog>
#include <functional>

#include "data/QueryRules.h"
#include "data/SearchCondition.h"
#include "data/SqlType.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class TQDComboEdit;
class TQDEdit;

// The search window: a field, an operator and a value become one condition
// in the database's dialect. The full window collects several conditions
// joined with 并且 / 或者; the simple one (TQDFindSimpleForm) takes one.
class TQDFindForm : public QDialog {
    Q_OBJECT
public:
    // shown text (preset to the edit's text), value (preset empty), field name
    using TPopupWindow = std::function<void(QString& shown, QString& value, const QString& field)>;
    using TSelectSQL = std::function<void(const QString& field, QComboBox* box)>;

    explicit TQDFindForm(QWidget* parent = nullptr) : TQDFindForm(false, parent) {}

    void SetDescriptors(const TFieldsDataArray& descriptors);
    TSqlType SqlType = ProgramSqlType;
    QString Caption;
    int FieldIndex = -1;
    int ConnectionIndex = -1;
    TPopupWindow PopupWindow;
    TSelectSQL SelectSQL;
    void SetAllDataVisible(bool visible);

    // After OK: the fragments (the first without connective) and their text.
    QStringList Fragments() const { return m_fragments; }
    QString DisplayText() const { return m_displayText; }
    bool AllData() const { return m_allData; }
    void ClearConditions();

    QComboBox* FieldBox() const { return m_fields; }
    QComboBox* OperatorBox() const { return m_operators; }
    TQDEdit* TextEdit() const { return m_text; }
    TQDEdit* YearEdit() const { return m_year; }
    TQDEdit* MonthEdit() const { return m_month; }
    TQDComboEdit* DateEdit() const { return m_date; }
    QComboBox* ValueBox() const { return m_values; }
    QListWidget* ListBox() const { return m_list; }
    QPushButton* DownButton() const { return m_down; }
    QPushButton* ClearButton() const { return m_clear; }
    QPushButton* SureButton() const { return m_sure; }
    QPushButton* AllButton() const { return m_all; }
    QRadioButton* AndButton() const { return m_and; }
    QRadioButton* OrButton() const { return m_or; }
    // Picks the field with this label.
    bool ChooseField(const QString& label);
    bool ChooseOperator(const QString& text);

protected:
    TQDFindForm(bool simple, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const TFieldsData* Current() const;
    void FieldChosen(int index);
    void ClearValues();
    void OpenPopup();
    TSearchCondition::TResult BuildCurrent();
    void AddCondition();
    void RemoveCondition();
    void Sure();
    void AllDataChosen();
    void Refuse(const QString& message, QWidget* focus);

    bool m_simple;
    TFieldsDataArray m_descriptors;
    QList<int> m_offered;
    bool m_refill = true;
    TSearchConditionList m_conditions;
    QStringList m_fragments;
    QString m_displayText;
    bool m_allData = false;
    TSearchValue m_picked;

    QComboBox* m_fields;
    QComboBox* m_operators;
    TQDEdit* m_text;
    TQDEdit* m_year;
    TQDEdit* m_month;
    TQDComboEdit* m_date;
    QComboBox* m_values;
    QLabel* m_valueLabel;
    QLabel* m_yearLabel;
    QLabel* m_monthLabel;
    QListWidget* m_list = nullptr;
    QRadioButton* m_and = nullptr;
    QRadioButton* m_or = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_sure;
    QPushButton* m_close;
    QPushButton* m_all;
};

class TQDFindSimpleForm : public TQDFindForm {
    Q_OBJECT
public:
    explicit TQDFindSimpleForm(QWidget* parent = nullptr) : TQDFindForm(true, parent) {}
    QString Fragment() const { return Fragments().value(0); }
};

#pragma once

#include "framework/QDAppPopForm.h"

class QLabel;
class TQDDBEdit;

// A value list "…数据选择编辑窗口": the values archivists entered before for one
// column, maintained here and chosen for the record card.
class TSelectEditForm : public TQDAppPopForm {
    Q_OBJECT
public:
    TSelectEditForm(const QString& column, const QString& displayName, const QString& table, QWidget* parent = nullptr);

    TQDDBEdit* InputLine() const { return m_input; }
    QLabel* InputLabel() const { return m_label; }
    // The chosen value after OK.
    QString ChosenValue() const;

    void Add() override;
    void EditRow() override;
    void SaveRow() override;
    void CancelRow() override;
    void Confirm() override;

protected:
    QString CloseRefusal() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Search();
    void ShowAll();
    void FollowState();

    QString m_column;
    QString m_displayName;
    QString m_table;
    QLabel* m_label;
    TQDDBEdit* m_input;
};

#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class TQDEdit;

// The date reminder settings "档案提醒字段选择设置窗口": which volume date column
// is watched and after how many days.
class TSetArchivesDatePromptForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetArchivesDatePromptForm(const QStringList& dateLabels, QWidget* parent = nullptr);

    QComboBox* FieldBox() const { return m_fields; }
    TQDEdit* DaysEdit() const { return m_days; }
    QPushButton* OkButton() const { return m_ok; }

    // The whole setting as the volume register runs it: offers the date
    // definitions, then stores the choice. False when nothing was stored.
    static bool Run(QWidget* owner = nullptr);

private:
    void Confirm();

    QComboBox* m_fields;
    TQDEdit* m_days;
    QPushButton* m_ok;
};

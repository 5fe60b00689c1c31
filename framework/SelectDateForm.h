#pragma once

#include <QDate>
#include <QDialog>
#include <optional>

class QCalendarWidget;
class QPushButton;

// The date picker "日期选择窗口".
class TSelectDateForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectDateForm(QWidget* parent = nullptr);

    QCalendarWidget* Calendar() const { return m_calendar; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // The day to preselect for a field's current text: a time part is cut off,
    // an empty text takes the default, an unparseable one gives none.
    static std::optional<QDate> StartDate(const QString& current, const QString& defaultDate);
    static QDate ParseDate(const QString& text);

private:
    QCalendarWidget* m_calendar;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// The chosen day as yyyy-MM-dd, or empty when cancelled.
QString SelectDate(const QString& current, const QString& defaultDate, QWidget* owner = nullptr);

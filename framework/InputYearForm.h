#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The year input "删除年份输入窗口" used before deleting old data.
class TInputYearForm : public QDialog {
    Q_OBJECT
public:
    explicit TInputYearForm(QWidget* parent = nullptr);

    QLineEdit* YearEdit() const { return m_year; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CloseButton() const { return m_close; }
    QString Year() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Confirm();

    QLineEdit* m_year;
    QPushButton* m_ok;
    QPushButton* m_close;
};

// The four-digit year, or empty when closed.
QString InputYear(QWidget* owner = nullptr);

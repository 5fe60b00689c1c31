#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TQDComboBox;
class TQDEdit;
class TQDThread;

// First-run enrolment "注册窗口": the organisation and the first administrator.
class TEnrolForm : public QDialog {
    Q_OBJECT
public:
    explicit TEnrolForm(QWidget* parent = nullptr);

    TQDEdit* CompanyEdit() const { return m_company; }   // QDEdit1
    TQDEdit* UserIdEdit() const { return m_userId; }     // QDEdit4
    TQDEdit* UserNameEdit() const { return m_userName; } // QDEdit5
    TQDEdit* PasswordEdit() const { return m_password; } // QDEdit2
    TQDEdit* ConfirmEdit() const { return m_confirm; }   // QDEdit3
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CloseButton() const { return m_close; }

    // The user manual opened at the end of enrolment, beside the program.
    static QString ManualPath();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Enrol();
    bool Refuse(const QString& message, QWidget* focus);
    void BuildPrintTemplateNames();

    TQDEdit* m_company;
    TQDEdit* m_userId;
    TQDEdit* m_userName;
    TQDEdit* m_password;
    TQDEdit* m_confirm;
    TQDComboBox* m_ime;
    QPushButton* m_ok;
    QPushButton* m_close;
    TQDThread* m_thread;
};

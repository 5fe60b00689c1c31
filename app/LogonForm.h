#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TQDComboBox;
class TQDEdit;

// The sign-on dialog "用户登陆窗口": a user id or name and the password.
class TLogonForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int AllowedFailures = 3;

    explicit TLogonForm(QWidget* parent = nullptr);

    TQDComboBox* UserIDBox() const { return m_user; }
    TQDEdit* PasswordEdit() const { return m_password; }
    QPushButton* ButtonOK() const { return m_ok; }
    QPushButton* ButtonCancel() const { return m_cancel; }
    int Failures() const { return m_failures; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SignOn();

    TQDComboBox* m_user;
    TQDEdit* m_password;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    int m_failures = 0;
};

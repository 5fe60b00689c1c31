#include "app/LogonForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtSql/QSqlQuery>

#include "data/MessageBoxes.h"
#include "data/Password.h"
#include "data/QDGlobal.h"
#include "data/Settings.h"
#include "data/SqlHelpers.h"
#include "framework/QDChild.h"
#include "framework/QDComboBox.h"
#include "framework/QDEdit.h"

TLogonForm::TLogonForm(QWidget* parent)
    : QDialog(parent)
    , m_user(new TQDComboBox(this))
    , m_password(new TQDEdit(this))
    , m_ok(new QPushButton(QStringLiteral("确定[F3]"), this))
    , m_cancel(new QPushButton(QStringLiteral("取消[F4]"), this)) {
    setObjectName(QStringLiteral("LogonForm"));
    setWindowTitle(QStringLiteral("用户登陆窗口"));
    auto* nameLabel = new QLabel(QStringLiteral("用户名称"), this);
    nameLabel->setObjectName(QStringLiteral("LongNameLabel"));
    auto* passwordLabel = new QLabel(QStringLiteral("用户密码"), this);
    passwordLabel->setObjectName(QStringLiteral("LongPasswordLabel"));
    m_user->setObjectName(QStringLiteral("UserIDBox"));
    m_user->setEditable(true);
    m_user->setInsertPolicy(QComboBox::NoInsert);
    m_password->setObjectName(QStringLiteral("PasswordEdit"));
    m_password->SetPasswordChar();
    m_password->setMaxLength(10);
    nameLabel->setBuddy(m_user);
    passwordLabel->setBuddy(m_password);
    m_ok->setObjectName(QStringLiteral("ButtonOK"));
    m_cancel->setObjectName(QStringLiteral("ButtonCancel"));
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    nameLabel->setGeometry(30, 30, 70, 24);
    m_user->setGeometry(104, 30, 190, 26);
    passwordLabel->setGeometry(30, 70, 70, 24);
    m_password->setGeometry(104, 70, 190, 26);
    m_ok->setGeometry(70, 118, 90, 28);
    m_cancel->setGeometry(180, 118, 90, 28);
    setFixedSize(330, 170);
    setTabOrder(m_user, m_password);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, m_cancel);

    connect(m_ok, &QPushButton::clicked, this, &TLogonForm::SignOn);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    QSqlQuery names = OpenQuery(QStringLiteral("SELECT  USE_NAME from SYS_USER_TABLE WHERE STOP_RIGHT ='有效'"));
    while (names.next()) {
        m_user->addItem(names.value(0).toString());
    }
    // With a single user there is nobody else to choose.
    if (m_user->count() == 1) {
        m_user->setCurrentIndex(0);
    } else {
        m_user->setCurrentIndex(-1);
        m_user->setEditText(QString());
    }
}

void TLogonForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A preselected user only needs the password.
    if (m_user->currentText().isEmpty()) {
        m_user->setFocus();
    } else {
        m_password->setFocus();
    }
}

void TLogonForm::keyPressEvent(QKeyEvent* event) {
    if (!TQDChild::DialogKey(this, event, m_ok, Qt::Key_F3, m_cancel, Qt::Key_F4)) {
        QDialog::keyPressEvent(event);
    }
}

void TLogonForm::SignOn() {
    const QString entry = m_user->currentText().trimmed();
    const QString password = m_password->text().trimmed();
    // The entry matches the id or the name; the password is checked against
    // the stored hash, never compared in the statement. Ids are stored upper
    // case as enrolment and the user window force them; names as typed.
    QSqlQuery users = OpenQuery(QStringLiteral("SELECT  USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,USE_PASSWORD from SYS_USER_TABLE "
                                               "where ((USE_ID = ?) OR (USE_NAME = ?)) and STOP_RIGHT ='有效'"),
                                {entry.toUpper(), entry});
    while (users.next()) {
        if (!TPassword::Verify(password, users.value(4).toString())) {
            continue;
        }
        QDGlobal::CurrentUserName = users.value(1).toString();
        QDGlobal::CurrentUserId = users.value(0).toString();
        QDGlobal::CurrentUserIsAdministrator = users.value(2).toString() == QStringLiteral("是");
        QDGlobal::CurrentImeName = ReadSetting(QLatin1String(SettingNames::Imes));
        accept();
        return;
    }
    if (m_failures < AllowedFailures) {
        ++m_failures;
        Information(QStringLiteral("错误的用户编号或错误的口令"), this);
        m_user->setFocus();
        return;
    }
    Information(QStringLiteral("您可能是非法的用户,不能登陆系统"), this);
    reject();
}

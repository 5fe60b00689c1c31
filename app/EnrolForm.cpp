#include "app/EnrolForm.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QtSql/QSqlQuery>

#include "catalogue/SetAutoIDForm.h"
#include "data/DM.h"
#include "data/MessageBoxes.h"
#include "data/Password.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/SchemaCatalogue.h"
#include "data/Settings.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDChild.h"
#include "framework/QDComboBox.h"
#include "framework/QDEdit.h"
#include "framework/QDThread.h"
#include "framework/Shell.h"

namespace {
constexpr int StripWidth = 120;
}

QString TEnrolForm::ManualPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/QD档案管理系统单机版说明.html");
}

TEnrolForm::TEnrolForm(QWidget* parent)
    : QDialog(parent)
    , m_company(new TQDEdit(this))
    , m_userId(new TQDEdit(this))
    , m_userName(new TQDEdit(this))
    , m_password(new TQDEdit(this))
    , m_confirm(new TQDEdit(this))
    , m_ime(new TQDComboBox(this))
    , m_ok(new QPushButton(QStringLiteral("确认F3"), this))
    , m_close(new QPushButton(QStringLiteral("关闭F4"), this))
    , m_thread(new TQDThread(this)) {
    setObjectName(QStringLiteral("EnrolForm"));
    setWindowTitle(QStringLiteral("注册窗口"));
    setFixedSize(487, 248);

    struct Field {
        TQDEdit* edit;
        const char* name;
        QString label;
        int limit;
    };
    const Field fields[] = {{m_company, "QDEdit1", QStringLiteral("单位名称"), 40},
                            {m_userId, "QDEdit4", QStringLiteral("用户编号"), 6},
                            {m_userName, "QDEdit5", QStringLiteral("用户姓名"), 20},
                            {m_password, "QDEdit2", QStringLiteral("口令"), 10},
                            {m_confirm, "QDEdit3", QStringLiteral("口令确认"), 10}};
    int top = 16;
    for (const Field& field : fields) {
        auto* label = new QLabel(field.label, this);
        label->setBuddy(field.edit);
        field.edit->setProperty("QDLabelText", field.label);
        label->setGeometry(StripWidth + 16, top, 70, 24);
        field.edit->setObjectName(QLatin1String(field.name));
        field.edit->setMaxLength(field.limit);
        field.edit->setGeometry(StripWidth + 90, top, 260, 24);
        top += 32;
    }
    m_userId->SetUpperCase(true);
    m_password->SetPasswordChar();
    m_confirm->SetPasswordChar();
    auto* imeLabel = new QLabel(QStringLiteral("输入法"), this);
    imeLabel->setBuddy(m_ime);
    m_ime->setObjectName(QStringLiteral("QDComboBox1"));
    m_ime->addItems({QString(), QString()});
    m_ime->hide();
    imeLabel->hide();

    auto* hint = new QLabel(QStringLiteral("自己输入:单位名称、 用户编号、用户姓名、口令等！"), this);
    hint->setStyleSheet(QStringLiteral("color: red"));
    hint->setGeometry(StripWidth + 16, top, 340, 22);
    m_ok->setObjectName(QStringLiteral("Button_Ok"));
    m_close->setObjectName(QStringLiteral("Button_Close"));
    m_ok->setAutoDefault(false);
    m_close->setAutoDefault(false);
    m_ok->setGeometry(StripWidth + 80, 206, 90, 28);
    m_close->setGeometry(StripWidth + 200, 206, 90, 28);
    m_thread->setObjectName(QStringLiteral("QDThread"));
    m_thread->SetCaption(QStringLiteral("正在建立报表数据......"));

    connect(m_ok, &QPushButton::clicked, this, &TEnrolForm::Enrol);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TEnrolForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient strip(0, 0, StripWidth, height());
    strip.setColorAt(0, QColor(24, 70, 140));
    strip.setColorAt(1, QColor(70, 140, 200));
    painter.fillRect(QRect(0, 0, StripWidth, height()), strip);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, StripWidth, height()), Qt::AlignCenter, QStringLiteral("档\n案\n管\n理"));
}

void TEnrolForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_company->setFocus();
}

void TEnrolForm::keyPressEvent(QKeyEvent* event) {
    if (!TQDChild::DialogKey(this, event, m_ok, Qt::Key_F3, m_close, Qt::Key_F4)) {
        QDialog::keyPressEvent(event);
    }
}

bool TEnrolForm::Refuse(const QString& message, QWidget* focus) {
    Information(message, this);
    focus->setFocus();
    return false;
}

void TEnrolForm::Enrol() {
    const QString company = m_company->text().trimmed();
    const QString id = m_userId->text().trimmed().toUpper();
    const QString name = m_userName->text().trimmed();
    const QString password = m_password->text().trimmed();
    const QString confirm = m_confirm->text().trimmed();
    if (company.isEmpty()) {
        Refuse(QStringLiteral("必须输入单位名称"), m_company);
        return;
    }
    if (id.isEmpty()) {
        Refuse(QStringLiteral("必须输入用户编号"), m_userId);
        return;
    }
    if (name.isEmpty()) {
        Refuse(QStringLiteral("必须输入用户姓名"), m_userName);
        return;
    }
    if (password.isEmpty()) {
        Refuse(QStringLiteral("必须输入用户口令"), m_password);
        return;
    }
    if (confirm.isEmpty()) {
        Refuse(QStringLiteral("必须确认用户口令"), m_confirm);
        return;
    }
    if (password != confirm) {
        Refuse(QStringLiteral("口令确认错误"), m_password);
        return;
    }
    // The same checks every later save of these rows makes, so that the
    // organisation and user windows can save what enrolment stored.
    const struct {
        const char* table;
        const char* column;
        const QString& value;
        QWidget* edit;
    } stored[] = {{"SYS_COMPANY_TABLE", "COMPANY_NAME", company, m_company},
                  {"SYS_USER_TABLE", "USE_ID", id, m_userId},
                  {"SYS_USER_TABLE", "USE_NAME", name, m_userName}};
    for (const auto& field : stored) {
        const TColumnDef* column = TSchemaCatalogue::Column(QLatin1String(field.table), QLatin1String(field.column));
        const QString label = field.edit->property("QDLabelText").toString();
        const QString problem = column ? TSchemaCatalogue::WidthProblem(*column, field.value, label) : QString();
        if (!problem.isEmpty()) {
            Refuse(problem, field.edit);
            return;
        }
    }

    const bool companyExists = ValueNumber(QStringLiteral("SELECT COUNT(COMPANY_ID) FROM SYS_COMPANY_TABLE ")) > 0;
    const bool companyStored =
        companyExists ? Execute(QStringLiteral("UPDATE SYS_COMPANY_TABLE SET COMPANY_NAME = ?"), {company})
                      : Execute(QStringLiteral("INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,COMPANY_NAME) VALUES('000001',?)"),
                                {company});
    if (!companyStored) {
        Information(QStringLiteral("单位名称注册错误"), this);
        return;
    }
    Execute(QStringLiteral("DELETE  FROM SYS_USER_TABLE WHERE USE_ID = ?"), {id});
    TDM::Today();
    const QString hash = TPassword::Hash(password);
    if (hash.isEmpty() ||
        !Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_PASSWORD,USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,CREATE_NAME,"
                                "CREATE_DATE) VALUES(?,?,?,'是','有效',?,?)"),
                 {hash, id, name, name, QDGlobal::StartDateText})) {
        Information(QStringLiteral("用户注册错误"), this);
        return;
    }

    QDGlobal::CurrentUserIsAdministrator = true;
    QDGlobal::CurrentUserName = name;
    QDGlobal::CurrentUserId = id;
    QDGlobal::CurrentImeName = m_ime->currentText();
    QDGlobal::EnrolledThisRun = true;
    WriteSetting(QLatin1String(SettingNames::Imes), QDGlobal::CurrentImeName);
    QDGlobal::CurrentCompanyName = company;

    if (Execute(QStringLiteral("DELETE FROM SYS_RIGHT_TABLE"))) {
        const int rows[8][2] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 1}, {2, 2}};
        for (const auto& row : rows) {
            Execute(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,"
                                   "BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT)VALUES(?,?,?,'是','是','是','是','是','是','是')"),
                    {id, row[0], row[1]});
        }
    }

    hide();
    TSetAutoIDForm numbering;
    TModalSeam::Exec(numbering);

    Information(QStringLiteral("您的用户名称是：") + name + QStringLiteral("\n\r") + QStringLiteral("用户编号是：") + id +
                QStringLiteral("\n\r") + QStringLiteral("您的口令是：") + password + QStringLiteral("       "));

    BuildPrintTemplateNames();
    accept();
    TShell::OpenDocument(ManualPath());
}

void TEnrolForm::BuildPrintTemplateNames() {
    struct Template {
        const char* id;
        const char* index;
        QString name;
        const char* type;
    };
    const Template templates[] = {
        {"200700000007", "ArchiveForm", QStringLiteral("档案资料"), "M"},
        {"200700000008", "QueryArchiveDetail", QStringLiteral("档案明细资料查询报表"), "M"},
        {"200700000009", "SelectArchivesDetailForm", QStringLiteral("档案明细资料报表"), "MD"},
        {"200700000010", "SelectArchivesLend", QStringLiteral("档案借阅单"), "MD"},
        {"200700000011", "QueryArchiveLendForm", QStringLiteral("档案借阅资料查询报表"), "M"},
    };
    TQDQuery query;
    query.setObjectName(QStringLiteral("Query"));
    query.SqlType = TSqlType::urStandard;
    query.SetTableName(QStringLiteral("SYS_PRINT_NAME_TABLE"), false);
    query.SetSql(QStringLiteral("SELECT  *  FROM  SYS_PRINT_NAME_TABLE WHERE PRINT_ID = ''"));
    query.UpdateObject.ModifySQL = QStringLiteral(
        "update SYS_PRINT_NAME_TABLE set PRINT_INDEX = :PRINT_INDEX, PRINT_NAME = :PRINT_NAME, PRINT_TYPE = :PRINT_TYPE, "
        "PRINT_ID = :PRINT_ID where PRINT_INDEX = :OLD_PRINT_INDEX and PRINT_ID = :OLD_PRINT_ID");
    query.UpdateObject.InsertSQL = QStringLiteral(
        "insert into SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID) values (:PRINT_INDEX, "
        ":PRINT_NAME, :PRINT_TYPE, :PRINT_ID)");
    query.UpdateObject.DeleteSQL = QStringLiteral(
        "delete from SYS_PRINT_NAME_TABLE where PRINT_INDEX = :OLD_PRINT_INDEX and PRINT_ID = :OLD_PRINT_ID");
    query.Silent = true;

    bool ok = query.Open();
    m_thread->SetProgressBars(true);
    m_thread->SetMaximum(4);
    m_thread->Start();
    m_thread->SetPosition(1);
    // All five rows are written together; rows kept from an earlier enrolment stay.
    TTransaction transaction;
    for (int i = 0; ok && i < 5; ++i) {
        const Template& row = templates[i];
        const bool present = ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_PRINT_NAME_TABLE WHERE PRINT_INDEX = ? AND PRINT_ID = ?"),
                                         {QLatin1String(row.index), QLatin1String(row.id)}) > 0;
        if (!present) {
            ok = query.Insert() && query.SetValue(QStringLiteral("PRINT_ID"), QLatin1String(row.id)) &&
                 query.SetValue(QStringLiteral("PRINT_INDEX"), QLatin1String(row.index)) &&
                 query.SetValue(QStringLiteral("PRINT_NAME"), row.name) &&
                 query.SetValue(QStringLiteral("PRINT_TYPE"), QLatin1String(row.type)) && query.Save();
        }
        if (i < 4) {
            m_thread->SetPosition(i + 2);
        }
    }
    ok = ok && transaction.Commit();
    if (!ok) {
        query.Cancel();
        transaction.Rollback();
        query.Close();
        m_thread->Stop();
        Information(QStringLiteral("报表建立过程发生错误"), this);
    }
    query.Close();
    m_thread->Stop();
}

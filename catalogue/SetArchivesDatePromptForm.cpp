#include "catalogue/SetArchivesDatePromptForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtSql/QSqlQuery>
#include <cmath>

#include "data/MessageBoxes.h"
#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDComboBox.h"
#include "framework/QDEdit.h"

TSetArchivesDatePromptForm::TSetArchivesDatePromptForm(const QStringList& dateLabels, QWidget* parent)
    : QDialog(parent), m_fields(new TQDComboBox(this)), m_days(new TQDEdit(this)), m_ok(new QPushButton(QStringLiteral("确定"), this)) {
    setObjectName(QStringLiteral("SetArchivesDatePromptForm"));
    setWindowTitle(QStringLiteral("档案提醒字段选择设置窗口"));
    setFixedSize(383, 172);
    auto* fieldLabel = new QLabel(QStringLiteral("提醒字段选择"), this);
    auto* daysLabel = new QLabel(QStringLiteral("提醒天数输入"), this);
    fieldLabel->setBuddy(m_fields);
    daysLabel->setBuddy(m_days);
    m_fields->setObjectName(QStringLiteral("ComboBox1"));
    m_fields->addItems(dateLabels);
    m_fields->addItems({QString(), QString()});
    m_days->setObjectName(QStringLiteral("DaysEdit"));
    m_days->SetEditType(TEditTypes::etInteger);
    fieldLabel->setGeometry(24, 24, 90, 24);
    m_fields->setGeometry(120, 24, 220, 24);
    daysLabel->setGeometry(24, 64, 90, 24);
    m_days->setGeometry(120, 64, 100, 24);
    m_ok->setGeometry(146, 116, 90, 28);
    m_ok->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &TSetArchivesDatePromptForm::Confirm);
    // The current setting.
    m_fields->setCurrentIndex(std::max(0, static_cast<int>(m_fields->findText(ParameterValue(QStringLiteral("提醒名称"))))));
    m_days->setText(QString::number(QDGlobal::ReminderDays));
}

void TSetArchivesDatePromptForm::Confirm() {
    if (!m_fields->currentText().isEmpty() && m_days->text().trimmed().isEmpty()) {
        Information(QStringLiteral("必须输入提醒天数"), this);
        m_days->setFocus();
        return;
    }
    accept();
}

bool TSetArchivesDatePromptForm::Run(QWidget* owner) {
    QStringList labels, names;
    QSqlQuery dates = OpenQuery(QStringLiteral("SELECT FIELD_NAME, FIELD_DISPLAY_NAME FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_TYPE IN "
                                               "('Date', 'DATE') ORDER BY FIELD_ORDER"));
    while (dates.next()) {
        names.append(dates.value(0).toString());
        labels.append(dates.value(1).toString());
    }
    dates.finish();
    if (labels.isEmpty()) {
        Information(QStringLiteral("档案字段没有日期字段,不能设置提醒字段"), owner);
        SetParameter(QStringLiteral("提醒字段"), QStringLiteral("否"));
        QDGlobal::ReminderField.clear();
        return false;
    }
    TSetArchivesDatePromptForm form(labels, owner);
    if (TModalSeam::Exec(form) != QDialog::Accepted) {
        return false;
    }
    const QString chosen = form.FieldBox()->currentText();
    if (!chosen.isEmpty()) {
        QDGlobal::ReminderField = names.at(labels.indexOf(chosen));
    }
    // An empty entry with a column already set keeps that column watching.
    if (!QDGlobal::ReminderField.isEmpty()) {
        SetParameter(QStringLiteral("提醒名称"), chosen);
        SetParameter(QStringLiteral("提醒字段"), QDGlobal::ReminderField);
        SetParameter(QStringLiteral("提醒天数"), form.DaysEdit()->text().trimmed());
        QDGlobal::ReminderDays = static_cast<int>(std::lround(ParseNumber(form.DaysEdit()->text())));
    } else {
        SetParameter(QStringLiteral("提醒字段"), QStringLiteral("否"));
    }
    return true;
}

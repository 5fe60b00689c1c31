#include "catalogue/SetTitleNameForm.h"

#include <QLabel>
#include <QPushButton>

#include "data/MessageBoxes.h"
#include "data/ProgramNames.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/QDEdit.h"

TSetTitleNameForm::TSetTitleNameForm(QWidget* parent)
    : QDialog(parent)
    , m_title(new TQDEdit(this))
    , m_save(new QPushButton(QStringLiteral("保存"), this))
    , m_close(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("SetTitleNameForm"));
    setWindowTitle(QStringLiteral("标题编辑修改窗口"));
    setFixedSize(301, 153);
    auto* label = new QLabel(QStringLiteral("标题"), this);
    label->setBuddy(m_title);
    label->setGeometry(20, 30, 40, 24);
    m_title->setObjectName(QStringLiteral("TitleEdit"));
    m_title->setMaxLength(18);
    m_title->setGeometry(64, 30, 210, 24);
    m_save->setGeometry(60, 96, 80, 28);
    m_close->setGeometry(160, 96, 80, 28);
    m_save->setAutoDefault(false);
    m_close->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &TSetTitleNameForm::Save);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetTitleNameForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_title->setText(QDGlobal::DetailTitle);
    m_title->setFocus();
}

void TSetTitleNameForm::Save() {
    const QString title = m_title->text().trimmed();
    if (title.isEmpty()) {
        Information(QStringLiteral("必须输入标题"), this);
        m_title->setFocus();
        return;
    }
    const QString current = ValueText(QStringLiteral("SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1 And PROGRAM_ID = 3"));
    if (!current.isEmpty() &&
        Execute(QStringLiteral("UPDATE SYS_PROGRAM_TABLE SET PROGRAM_NAME = ? WHERE COMPOSE_ID = 1 And PROGRAM_ID = 3"),
                {title + ProgramNames::ItemQuerySuffix})) {
        QDGlobal::DetailTitle = title;
        emit TitleChanged(title);
    }
    accept();
}

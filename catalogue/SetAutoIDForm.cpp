#include "catalogue/SetAutoIDForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"

TSetAutoIDForm::TSetAutoIDForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_archive(new QCheckBox(QStringLiteral("系统自动填写档案编号"), this))
    , m_detail(new QCheckBox(QStringLiteral("系统自动填写档案明细编号"), this))
    , m_lend(new QCheckBox(QStringLiteral("系统自动填写档案借阅编号"), this))
    , m_backup(new QCheckBox(QStringLiteral("系统自动备份数据"), this))
    , m_overdue(new QCheckBox(QStringLiteral("启动借阅档案过期未还提醒"), this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this)) {
    setWindowTitle(QStringLiteral("编号方式设置窗口"));
    setObjectName(QStringLiteral("SetAutoIDForm"));
    setFixedSize(604, 230);
    auto* group = new QGroupBox(QStringLiteral("档案编号方式及重复检查设置"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* modes = new QGridLayout(group);
    const QString captions[4] = {QStringLiteral("统一档案编号"), QStringLiteral("按一级档案类别编号"),
                                 QStringLiteral("按档案类别编号"), QStringLiteral("不检查重复编号")};
    for (int i = 0; i < 4; ++i) {
        m_modes[i] = new QRadioButton(captions[i], group);
        m_modes[i]->setObjectName(QStringLiteral("Mode%1").arg(i));
        modes->addWidget(m_modes[i], i / 2, i % 2);
    }
    const int left = 20, column = 300;
    m_archive->setGeometry(left, 14, 270, 24);
    m_detail->setGeometry(left, 42, 270, 24);
    m_lend->setGeometry(left, 70, 270, 24);
    m_backup->setGeometry(column, 14, 270, 24);
    m_overdue->setGeometry(column, 42, 270, 24);
    group->setGeometry(left, 100, 604 - 2 * left, 76);
    m_ok->setGeometry((604 - 90) / 2, 188, 90, 28);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TSetAutoIDForm::SaveAndClose);
}

void TSetAutoIDForm::showEvent(QShowEvent* event) {
    Load();
    QDialog::showEvent(event);
}

void TSetAutoIDForm::Load() {
    m_detail->setText(QStringLiteral("系统自动填写") + QDGlobal::DetailTitle + QStringLiteral("编号"));
    m_archive->setChecked(IsParameterOn(ArchiveNumbering));
    m_detail->setChecked(IsParameterOn(DetailNumbering));
    m_lend->setChecked(IsParameterOn(LendNumbering));
    m_overdue->setChecked(IsParameterOn(OverdueReminder));
    m_backup->setChecked(!IsParameterOn(NoAutomaticBackup));
    QDGlobal::CategoryNumbering = static_cast<int>(std::lround(ParseNumber(ParameterValue(CategoryNumberingName))));
    const int mode = QDGlobal::CategoryNumbering;
    m_modes[mode >= 0 && mode < 4 ? mode : 0]->setChecked(true);
}

void TSetAutoIDForm::SaveAndClose() {
    auto flag = [](bool on) { return on ? QStringLiteral("是") : QStringLiteral("否"); };
    int mode = 0;
    for (int i = 0; i < 4; ++i) {
        if (m_modes[i]->isChecked()) mode = i;
    }
    // Each write reports its own failure; the dialog closes all the same.
    SetParameter(ArchiveNumbering, flag(m_archive->isChecked()));
    SetParameter(DetailNumbering, flag(m_detail->isChecked()));
    SetParameter(LendNumbering, flag(m_lend->isChecked()));
    SetParameter(OverdueReminder, flag(m_overdue->isChecked()));
    SetParameter(NoAutomaticBackup, flag(!m_backup->isChecked()));
    SetParameter(CategoryNumberingName, QString::number(mode));
    QDGlobal::CategoryNumbering = mode;
    accept();
}

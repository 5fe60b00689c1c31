#include "catalogue/SelectArchivesTypeForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/ArchiveTypeForm.h"
#include "data/MessageBoxes.h"
#include "framework/QDTreeView.h"

TSelectArchivesTypeForm::TSelectArchivesTypeForm(QWidget* parent)
    : QDialog(parent)
    , m_tree(new TQDTreeView(this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this))
    , m_close(new QPushButton(QStringLiteral("关闭"), this)) {
    setObjectName(QStringLiteral("SelectArchivesTypeForm"));
    setWindowTitle(QStringLiteral("档案类别选择窗口"));
    setFixedSize(504, 441);
    TArchiveTypeForm::PrepareTree(*m_tree);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { m_ok->click(); });
    connect(m_ok, &QPushButton::clicked, this, &TSelectArchivesTypeForm::Confirm);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);
}

QString TSelectArchivesTypeForm::SelectedTypeId() const {
    return m_tree->CurrentNode() ? TQDTreeView::KeyOf(m_tree->CurrentNode()) : QLatin1String(TArchiveTypeForm::RootKey);
}

QString TSelectArchivesTypeForm::SelectedTypeName() const {
    return m_tree->CurrentNode() ? TQDTreeView::TextOf(m_tree->CurrentNode()) : TArchiveTypeForm::RootText;
}

void TSelectArchivesTypeForm::Confirm() {
    if (TQDTreeView::LevelOf(m_tree->CurrentNode()) < 1) {
        Information(QStringLiteral("必须选择一个档案类别节点"), this);
        return;
    }
    accept();
}

#include "framework/SelectOptionForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <algorithm>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "framework/ModalSeam.h"

namespace {
constexpr int FormWidth = 300;
}  // namespace

TSelectOptionForm::TSelectOptionForm(const QString& title, const QStringList& captions, QWidget* parent)
    : QDialog(parent)
    , m_group(new QGroupBox(title, this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this))
    , m_cancel(new QPushButton(QStringLiteral("取消"), this)) {
    setWindowTitle(QStringLiteral("打印选择窗口"));
    m_group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* column = new QVBoxLayout(m_group);
    column->setSpacing(2);
    for (const QString& caption : captions) {
        auto* option = new QRadioButton(caption, m_group);
        option->setObjectName(QStringLiteral("Option%1").arg(m_options.size() + 1));
        column->addWidget(option);
        m_options.append(option);
    }
    column->addStretch();
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Laid out by the fonts' own heights: the sizes of the design assume a
    // smaller font and would make the options overlap.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addSpacing(20);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(m_group, 1);
    layout->addLayout(buttons);
    for (QPushButton* button : {m_ok, m_cancel}) button->setMinimumSize(90, 26);
    FitSize(FormWidth, 0);
}

void TSelectOptionForm::FitSize(int width, int height) {
    m_group->updateGeometry();
    layout()->invalidate();
    const QSize wanted = layout()->sizeHint();
    setFixedSize(std::max(width, wanted.width()), std::max(height, wanted.height()));
}

void TSelectOptionForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F3) {
        m_ok->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSelectOptionForm::UseSortSizes(int count) {
    if (count <= 8) {
        return;
    }
    // Twelve options do not fit one column in the sort chooser's height: two.
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    delete m_group->layout();
    for (int i = 0; i < m_options.size(); ++i) {
        grid->addWidget(m_options[i], i % 6, i / 6);
    }
    m_group->setLayout(grid);
    constexpr int groupHeight = 166;
    if (m_group->sizeHint().height() <= groupHeight) {
        m_group->setFixedHeight(groupHeight);
    }
    // The window height includes its caption bar, as the other sizes of the
    // program do; the client area is what remains, grown when the font needs it.
    FitSize(FormWidth, 252 - 25);
}

void TSelectOptionForm::SetSelected(int number) {
    if (number >= 1 && number <= m_options.size()) {
        m_options[number - 1]->setChecked(true);
    } else {
        for (QRadioButton* option : m_options) {
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    }
}

int TSelectOptionForm::Selected() const {
    for (int i = 0; i < m_options.size(); ++i) {
        if (m_options[i]->isChecked()) {
            return i + 1;
        }
    }
    return 0;
}

int SelectOption(const QString& title, const QStringList& captions, int preselected, QWidget* owner) {
    TSelectOptionForm form(title, captions, owner);
    form.SetSelected(preselected);
    if (TModalSeam::Exec(form) != QDialog::Accepted) {
        return 0;
    }
    return form.Selected();
}

QString SelectSortOrder(const QStringList& names, const QStringList& columns, const QString& alias, QWidget* owner) {
    QStringList captions;
    for (const QString& name : names.mid(0, 12)) {
        captions.append(QStringLiteral("按") + name + QStringLiteral("排序"));
    }
    if (captions.isEmpty()) {
        return {};
    }
    TSelectOptionForm form(QStringLiteral("排序方式"), captions, owner);
    form.UseSortSizes(static_cast<int>(captions.size()));
    form.SetSelected(1);
    if (TModalSeam::Exec(form) != QDialog::Accepted) {
        return {};
    }
    const int chosen = form.Selected();
    if (chosen < 1 || chosen > columns.size()) {
        return {};
    }
    const QString column = columns.at(chosen - 1);
    return QStringLiteral(" ORDER BY ") + (alias.isEmpty() ? column : alias + QLatin1Char('.') + column);
}

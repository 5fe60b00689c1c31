#include "framework/InputYearForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "data/MessageBoxes.h"
#include "framework/ModalSeam.h"

TInputYearForm::TInputYearForm(QWidget* parent)
    : QDialog(parent)
    , m_year(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this))
    , m_close(new QPushButton(QStringLiteral("关闭"), this)) {
    setWindowTitle(QStringLiteral("删除年份输入窗口"));
    auto* label = new QLabel(QStringLiteral("删除年份"), this);
    label->setBuddy(m_year);
    m_year->setObjectName(QStringLiteral("YearEdit"));
    m_year->setMaxLength(4);
    // The year goes into a delete statement; only digits may reach it.
    m_year->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_year));
    m_year->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_close->setObjectName(QStringLiteral("CloseButton"));
    m_ok->setAutoDefault(true);
    m_close->setAutoDefault(false);

    label->setGeometry(24, 24, 70, 24);
    m_year->setGeometry(100, 24, 120, 24);
    m_ok->setGeometry(40, 70, 80, 26);
    m_close->setGeometry(140, 70, 80, 26);
    setFixedSize(260, 112);

    m_year->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, &TInputYearForm::Confirm);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

bool TInputYearForm::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the year moves on to 确定 and confirms nothing by itself.
    if (watched == m_year && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ok->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TInputYearForm::Year() const { return m_year->text().trimmed(); }

void TInputYearForm::Confirm() {
    const QString year = Year();
    if (year.isEmpty()) {
        Information(QStringLiteral("必须输入删除数据的年份"), this);
        m_year->setFocus();
        return;
    }
    if (year.size() != 4) {
        Information(QStringLiteral("错误的年份,正确的年份如2000年是:\"2000\""), this);
        m_year->setFocus();
        return;
    }
    accept();
}

QString InputYear(QWidget* owner) {
    TInputYearForm form(owner);
    return TModalSeam::Exec(form) == QDialog::Accepted ? form.Year() : QString();
}

#include "framework/SelectDateForm.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "framework/ModalSeam.h"

TSelectDateForm::TSelectDateForm(QWidget* parent)
    : QDialog(parent)
    , m_calendar(new QCalendarWidget(this))
    , m_ok(new QPushButton(QStringLiteral("确定"), this))
    , m_cancel(new QPushButton(QStringLiteral("取消"), this)) {
    setWindowTitle(QStringLiteral("日期选择窗口"));
    m_calendar->setObjectName(QStringLiteral("MonthCalendar"));
    m_calendar->setGridVisible(true);
    m_calendar->setNavigationBarVisible(true);
    auto* prior = new QPushButton(QStringLiteral("上月"), this);
    auto* next = new QPushButton(QStringLiteral("下月"), this);
    prior->setObjectName(QStringLiteral("PriorMonthButton"));
    next->setObjectName(QStringLiteral("NextMonthButton"));
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    m_ok->setDefault(true);
    connect(prior, &QPushButton::clicked, this, [this] {
        m_calendar->setSelectedDate(m_calendar->selectedDate().addMonths(-1));
    });
    connect(next, &QPushButton::clicked, this, [this] {
        m_calendar->setSelectedDate(m_calendar->selectedDate().addMonths(1));
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prior);
    buttons->addWidget(next);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addLayout(buttons);
}

QDate TSelectDateForm::ParseDate(const QString& text) {
    for (const QString& format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-M-d"),
                                  QStringLiteral("yyyy/MM/dd"), QStringLiteral("yyyy/M/d")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid()) {
            return date;
        }
    }
    return {};
}

std::optional<QDate> TSelectDateForm::StartDate(const QString& current, const QString& defaultDate) {
    QString text = current;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        // "2015-03-25 10:30": the hour digits before the colon go with the time.
        text = text.left(qMax<qsizetype>(0, colon - 2));
    }
    text = text.trimmed();
    const QDate date = ParseDate(text.isEmpty() ? defaultDate.trimmed() : text);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

QString SelectDate(const QString& current, const QString& defaultDate, QWidget* owner) {
    TSelectDateForm form(owner);
    if (const std::optional<QDate> start = TSelectDateForm::StartDate(current, defaultDate)) {
        form.Calendar()->setSelectedDate(*start);
    }
    if (TModalSeam::Exec(form) != QDialog::Accepted) {
        return {};
    }
    return form.Calendar()->selectedDate().toString(QStringLiteral("yyyy-MM-dd"));
}

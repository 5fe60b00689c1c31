#include "app/ShowForm.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "data/DM.h"
#include "framework/QD3DLabel.h"

namespace {
int& SplashMilliseconds() {
    static int milliseconds = 3000;
    return milliseconds;
}
}  // namespace

int TShowForm::SplashTime() { return SplashMilliseconds(); }
void TShowForm::SetSplashTime(int milliseconds) { SplashMilliseconds() = milliseconds; }

TShowForm::TShowForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("ShowForm"));
    setFixedSize(371, 229);
    auto* title = new TQD3DLabel(QStringLiteral("档案管理系统"), this);
    title->setObjectName(QStringLiteral("QD3DLabel1"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(29);
    font.setBold(true);
    title->setFont(font);
    title->SetTextColor(Qt::yellow);
    title->SetShadeColors(Qt::white, Qt::black);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 70, 371, 50);
    auto* version = new QLabel(QStringLiteral("单机版  版本 %1").arg(QStringLiteral(QDARCHIVES_VERSION)), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    version->setStyleSheet(QStringLiteral("color: white"));
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version->setGeometry(0, 190, 355, 24);
    m_timer->setObjectName(QStringLiteral("tmMainTimer"));
    m_timer->setSingleShot(true);
    // Today's date is known from the first window on.
    TDM::Today();
    if (QScreen* screen = QApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TShowForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(18, 52, 110));
    sky.setColorAt(1, QColor(40, 110, 170));
    painter.fillRect(rect(), sky);
    // A row of archive boxes along the bottom.
    const QColor boxes[] = {QColor(196, 150, 80), QColor(170, 120, 60), QColor(210, 170, 100)};
    for (int i = 0; i < 9; ++i) {
        const QRectF box(14 + i * 38, 140, 32, 44);
        painter.setPen(QPen(QColor(90, 60, 30), 1));
        painter.setBrush(boxes[i % 3]);
        painter.drawRoundedRect(box, 2, 2);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(box.left() + 8, box.top() + 8, 16, 10));
    }
    painter.setPen(QPen(QColor(255, 255, 255, 120), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TShowForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_timer->start(SplashTime());
}

void TShowForm::ShowAndWait() {
    QEventLoop wait;
    connect(m_timer, &QTimer::timeout, &wait, &QEventLoop::quit);
    show();
    repaint();
    if (m_timer->isActive()) {
        wait.exec();
    }
}

#include "framework/ThreadForm.h"

#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cmath>

TAnimationStrip::TAnimationStrip(QWidget* parent) : QWidget(parent), m_timer(new QTimer(this)) {
    m_timer->setInterval(80);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % 20;
        update();
    });
}

void TAnimationStrip::Start() { m_timer->start(); }
void TAnimationStrip::StopAnimation() { m_timer->stop(); }
bool TAnimationStrip::IsRunning() const { return m_timer->isActive(); }

namespace {

void DrawFolder(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top() + r.height() * 0.2);
    path.lineTo(r.left() + r.width() * 0.35, r.top() + r.height() * 0.2);
    path.lineTo(r.left() + r.width() * 0.45, r.top());
    path.lineTo(r.right(), r.top());
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(250, 210, 90));
    p.drawPath(path);
}

void DrawSheet(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    for (int i = 1; i <= 3; ++i) {
        const qreal y = r.top() + r.height() * i / 4.5;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void DrawBin(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(QColor(190, 200, 210));
    p.drawRect(r.adjusted(r.width() * 0.1, r.height() * 0.15, -r.width() * 0.1, 0));
    p.drawRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.15));
}

void DrawLens(QPainter& p, const QPointF& centre) {
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.setBrush(QColor(200, 230, 255, 160));
    p.drawEllipse(centre, 9, 9);
    p.drawLine(centre + QPointF(6, 6), centre + QPointF(15, 15));
}

}  // namespace

void TAnimationStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = height() - 8, w = width();
    const QRectF left(20, 4 + h * 0.2, h * 1.1, h * 0.8);
    const QRectF right(w - 20 - h * 1.1, 4 + h * 0.2, h * 1.1, h * 0.8);
    const qreal t = m_frame / 19.0;
    switch (m_kind) {
        case TOptionKind::crCopy:
        case TOptionKind::crDelete: {
            DrawFolder(p, left);
            if (m_kind == TOptionKind::crCopy) {
                DrawFolder(p, right);
            } else {
                DrawBin(p, right);
            }
            const qreal x = left.center().x() + (right.center().x() - left.center().x()) * t;
            const qreal y = 4 + h * 0.45 - std::sin(t * 3.14159) * h * 0.4;
            DrawSheet(p, QRectF(x - h * 0.2, y - h * 0.25, h * 0.4, h * 0.5));
            break;
        }
        case TOptionKind::crFind: {
            DrawFolder(p, QRectF(w / 2 - h * 0.7, 4 + h * 0.2, h * 1.4, h * 0.8));
            const qreal x = w / 2 + std::sin(t * 6.28318) * h;
            DrawLens(p, QPointF(x, 4 + h * 0.45));
            break;
        }
    }
}

TThreadForm::TThreadForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_animation(new TAnimationStrip(this))
    , m_stop(new QPushButton(QStringLiteral("停止"), this)) {
    setWindowTitle(QStringLiteral("提示窗口"));
    setObjectName(QStringLiteral("ThreadForm"));
    m_animation->setGeometry(8, 4, ClientWidth - 16, 50);
    // Bar 3 is the highest, bar 1 the lowest.
    const int tops[3] = {106, 82, 58};
    for (int i = 0; i < 3; ++i) {
        m_bars[i] = new QProgressBar(this);
        m_bars[i]->setObjectName(QStringLiteral("ProgressBar%1").arg(i + 1));
        m_bars[i]->setGeometry(12, tops[i], ClientWidth - 24, 18);
        m_bars[i]->setTextVisible(false);
        m_bars[i]->hide();
    }
    m_stop->setObjectName(QStringLiteral("StopButton"));
    m_stop->setGeometry((ClientWidth - 80) / 2, 136, 80, 26);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_stopPressed = true; });
    SetStopVisible(false);
}

QProgressBar* TThreadForm::Bar(int number) const {
    return number >= 1 && number <= 3 ? m_bars[number - 1] : nullptr;
}

void TThreadForm::SetStopVisible(bool visible) {
    m_stop->setVisible(visible);
    setFixedSize(ClientWidth, visible ? ClientHeight : ClientHeightWithoutStop);
}

void TThreadForm::showEvent(QShowEvent* event) {
    m_stopPressed = false;
    QDialog::showEvent(event);
}

#include "framework/QD3DLabel.h"

#include <QPainter>

TQD3DLabel::TQD3DLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void TQD3DLabel::SetShadeColors(const QColor& light, const QColor& dark) {
    m_light = light;
    m_dark = dark;
    update();
}

void TQD3DLabel::SetTextColor(const QColor& color) {
    m_text = color;
    update();
}

void TQD3DLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect();
    const int flags = static_cast<int>(alignment());
    painter.setPen(m_light);
    painter.drawText(area.translated(-1, -1), flags, text());
    painter.setPen(m_dark);
    painter.drawText(area.translated(2, 2), flags, text());
    painter.setPen(m_text);
    painter.drawText(area, flags, text());
}

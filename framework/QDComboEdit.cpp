#include "framework/QDComboEdit.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>

namespace {
QIcon DropGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) painter.drawEllipse(QPointF(3.5 + i * 4.5, 11), 1.3, 1.3);
    return QIcon(pixmap);
}
}  // namespace

TQDComboEdit::TQDComboEdit(QWidget* parent) : TQDEdit(parent), m_button(addAction(DropGlyph(), QLineEdit::TrailingPosition)) {
    m_button->setObjectName(QStringLiteral("DropButton"));
    connect(m_button, &QAction::triggered, this, [this] {
        if (OnButtonClick) OnButtonClick();
    });
}

void TQDComboEdit::SetButtonEnabled(bool enabled) {
    m_button->setEnabled(enabled);
    m_button->setVisible(enabled);
}

bool TQDComboEdit::ButtonEnabled() const { return m_button->isEnabled() && m_button->isVisible(); }

int TQDComboEdit::TextAreaWidth() const {
    int right = width();
    for (QToolButton* button : findChildren<QToolButton*>()) {
        if (button->isVisible() && button->defaultAction() == m_button) right = std::min(right, button->x());
    }
    return right;
}

void TQDComboEdit::SetDirectInput(bool direct) {
    m_direct = direct;
    setReadOnly(!direct);
}

void TQDComboEdit::keyPressEvent(QKeyEvent* event) {
    // Alt+Down presses the button.
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        if (ButtonEnabled()) m_button->trigger();
        return;
    }
    TQDEdit::keyPressEvent(event);
}

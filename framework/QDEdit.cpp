#include "framework/QDEdit.h"

#include <QKeyEvent>

#include "framework/FocusColors.h"

TQDEdit::TQDEdit(QWidget* parent) : QLineEdit(parent), m_colors(new TFocusColors(this)) { setProperty("Tag", 0); }

void TQDEdit::SetPasswordChar() {
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void TQDEdit::keyPressEvent(QKeyEvent* event) {
    if (m_upper && !event->text().isEmpty() && event->text() != event->text().toUpper()) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), event->text().toUpper(), event->isAutoRepeat(),
                        static_cast<ushort>(event->count()));
        QLineEdit::keyPressEvent(&upper);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

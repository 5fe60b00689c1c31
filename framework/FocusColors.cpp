#include "framework/FocusColors.h"

#include <QEvent>
#include <QWidget>

#include "data/QDGlobal.h"
#include "framework/UiHelpers.h"

TFocusColors::TFocusColors(QWidget* control)
    : QObject(control)
    , m_control(control)
    , m_normal(ColorFromWindows(QDGlobal::EditColor))
    , m_focused(ColorFromWindows(QDGlobal::FocusColor)) {
    control->installEventFilter(this);
    Paint(false);
}

void TFocusColors::SetColors(const QColor& normal, const QColor& focused) {
    m_normal = normal;
    m_focused = focused;
    Paint(m_control->hasFocus());
}

bool TFocusColors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_control) {
        if (event->type() == QEvent::FocusIn) {
            Paint(true);
        } else if (event->type() == QEvent::FocusOut) {
            Paint(false);
        }
    }
    return QObject::eventFilter(watched, event);
}

void TFocusColors::Paint(bool focused) {
    QPalette palette = m_control->palette();
    palette.setColor(QPalette::Base, focused ? m_focused : m_normal);
    m_control->setPalette(palette);
}

#include "framework/QDChild.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <cmath>
#include <stdexcept>

#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "framework/FocusColors.h"
#include "framework/QDEdit.h"
#include "framework/UiHelpers.h"

TQDChild::TQDChild(QWidget* form) : QObject(form), m_form(form) {
    if (form->property("QDChildAttached").toBool()) {
        throw std::logic_error("TQDChild控件只能有一个");
    }
    form->setProperty("QDChildAttached", true);
    setObjectName(QStringLiteral("QDChild"));
    Color = ColorFromWindows(QDGlobal::BrowseColor);
    LabelColor = ColorFromWindows(QDGlobal::DisplayOnlyColor);
    EditColor = ColorFromWindows(QDGlobal::EditColor);
    ColorOnFocus = ColorFromWindows(QDGlobal::FocusColor);
    form->installEventFilter(this);
    qApp->installEventFilter(this);
    // A form's datasets go with the form (each releases its statements as it is
    // freed) and its grids save their layouts as they are freed; a hidden
    // pop-up keeps its rows for the caller to read.
}

TQDChild::~TQDChild() {
    if (qApp) {
        qApp->removeEventFilter(this);
    }
}

TRights TQDChild::CheckRights(const QString& groupName, const QString& functionName, const QString& userId) {
    return TRightsStore::RightsOf(groupName, functionName, userId);
}

QString TQDChild::ReadRight(const QString& userId, int composeId, int programId, int index) {
    return TRightsStore::ReadRight(userId, composeId, programId, index);
}

bool TQDChild::WriteRight(const QString& userId, int composeId, int programId, int index, const QString& value) {
    if (DataBaseName.isEmpty()) {
        Information(QStringLiteral("DataBaseName必须有一个值"));
        return false;
    }
    return TRightsStore::WriteRight(userId, composeId, programId, index, value);
}

QFont TQDChild::LanguageFont(const QString& language) {
    if (language == QStringLiteral("GB")) {
        QFont font(QStringLiteral("宋体"));
        font.setPointSize(9);
        return font;
    }
    QFont font(QStringLiteral("新細明體"));
    font.setPointSize(10);
    return font;
}

void TQDChild::ApplyTheme() {
    const QFont font = LanguageFont(Language);
    for (TQDQuery* query : m_form->findChildren<TQDQuery*>()) {
        query->SqlType = SqlType;
    }
    for (QWidget* control : m_form->findChildren<QWidget*>()) {
        const int tag = control->property("Tag").toInt();
        if (auto* colors = control->findChild<TFocusColors*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (tag == 3) {
                colors->SetColors(LabelColor, LabelColor);
            } else if (tag == 100) {
                colors->SetColors(EditColor, ColorOnFocus);
            } else {
                colors->SetColors(Color, Color);
            }
            control->setFont(font);
        } else if (qobject_cast<QLabel*>(control) && tag == 0) {
            control->setFont(font);
        } else if (auto* grid = qobject_cast<QAbstractItemView*>(control)) {
            QPalette palette = grid->palette();
            palette.setColor(QPalette::Base, Color);
            grid->setPalette(palette);
            grid->viewport()->setCursor(Qt::PointingHandCursor);
            if (tag != 100) {
                grid->setFont(font);
            }
        }
    }
}

void TQDChild::MoveFocus(QWidget* window, bool forward) {
    QWidget* current = QApplication::focusWidget();
    if (!current || !window) {
        return;
    }
    QWidget* candidate = current;
    for (int guard = 0; guard < 1000; ++guard) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (!candidate || candidate == current) {
            return;
        }
        if ((candidate == window || window->isAncestorOf(candidate)) && candidate->isEnabled() &&
            candidate->isVisibleTo(window) && (candidate->focusPolicy() & Qt::TabFocus) &&
            !qobject_cast<QMdiSubWindow*>(candidate) && candidate->focusProxy() == nullptr) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

bool TQDChild::DialogKey(QWidget* window, QKeyEvent* event, QAbstractButton* ok, int okKey, QAbstractButton* close,
                         int closeKey) {
    if (event->key() == okKey && ok) {
        ok->click();
        return true;
    }
    if (event->key() == closeKey && close) {
        close->click();
        return true;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget())) {
            button->click();
        } else {
            MoveFocus(window, true);
        }
        return true;
    }
    return false;
}

namespace {
bool IsMemo(const QWidget* widget) {
    return qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget);
}
bool IsGrid(const QWidget* widget) {
    return qobject_cast<const QAbstractItemView*>(widget) && !qobject_cast<const QComboBox*>(widget->parentWidget());
}
}  // namespace

bool TQDChild::HandleKey(QWidget* focused, QKeyEvent* event) {
    if (!EnterMove || Options == 0) {
        return false;
    }
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    if ((enter && (Options & 1)) || (key == Qt::Key_Down && (Options & 2))) {
        if (key == Qt::Key_Down && (IsGrid(focused) || IsMemo(focused))) {
            return false;
        }
        if (enter) {
            if (focused->property("QDHandlesEnter").toBool()) {
                return false;
            }
            if (auto* edit = qobject_cast<TQDEdit*>(focused); edit && edit->OnSelect) {
                bool handled = false;
                edit->OnSelect(handled);
                if (handled) {
                    return true;
                }
            }
            // A data-aware memo takes Enter as a new line.
            if (IsMemo(focused) && focused->property("QDDataAware").toBool()) {
                return false;
            }
            if (auto* button = qobject_cast<QAbstractButton*>(focused)) {
                button->click();
                return true;
            }
        }
        MoveFocus(m_form, true);
        return true;
    }
    if (key == Qt::Key_Up && (Options & 2)) {
        if (IsGrid(focused) || IsMemo(focused)) {
            return false;
        }
        MoveFocus(m_form, false);
        return true;
    }
    return false;
}

bool TQDChild::CloseQuery() {
    for (TQDQuery* query : m_form->findChildren<TQDQuery*>()) {
        if (query->property("Tag").toInt() == 0 && query->IsEditing()) {
            Information(CloseRefusal, m_form);
            return false;
        }
    }
    return !OnCloseQuery || OnCloseQuery();
}

void TQDChild::WatchSubWindow() {
    auto* sub = qobject_cast<QMdiSubWindow*>(m_form->parentWidget());
    if (!sub || m_watchingSubWindow) {
        return;
    }
    m_watchingSubWindow = true;
    connect(sub, &QMdiSubWindow::windowStateChanged, this, [this, sub](Qt::WindowStates, Qt::WindowStates now) {
        if (m_closedPosted) {
            return;
        }
        if (now & Qt::WindowMinimized) {
            if (!m_minimised) {
                m_minimised = true;
                emit Hidden(m_form);
            }
        } else if (m_minimised) {
            m_minimised = false;
            if (FixedTop != 0) {
                sub->move(sub->x(), FixedTop);
            }
            emit Shown(m_form);
        } else if (now & Qt::WindowMaximized) {
            emit Shown(m_form);
        }
    });
}

bool TQDChild::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget == QApplication::focusWidget() && (widget == m_form || m_form->isAncestorOf(widget)) &&
            HandleKey(widget, static_cast<QKeyEvent*>(event))) {
            return true;
        }
        return false;
    }
    if (watched != m_form) {
        return false;
    }
    switch (event->type()) {
        case QEvent::Show:
            if (!m_shownOnce) {
                m_shownOnce = true;
                if (OnFirstShow) {
                    OnFirstShow();
                }
            }
            break;
        case QEvent::Close: {
            auto* close = static_cast<QCloseEvent*>(event);
            if (!CloseQuery()) {
                close->ignore();
                return true;
            }
            if (!m_closedPosted) {
                m_closedPosted = true;
                emit Closed(m_form);
            }
            break;
        }
        default:
            break;
    }
    return false;
}

QWidget* TQDChild::ShowChild(int mode) {
    auto* sub = qobject_cast<QMdiSubWindow*>(m_form->parentWidget());
    QWidget* frame = sub ? static_cast<QWidget*>(sub) : m_form;
    QWidget* area = sub && sub->mdiArea() ? sub->mdiArea()->viewport() : nullptr;
    const QSize outer = area ? area->size() : QSize(1024, 768);
    frame->adjustSize();
    WatchSubWindow();
    emit Shown(m_form);
    if (!frame->isVisible()) {
        if (mode != 1 && !NotTopShow && !sub) {
            m_form->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        }
        frame->show();
    }
    // Placed by the size it has once shown: a window may size itself then.
    const int top = std::min(90, static_cast<int>(std::lround((outer.height() - frame->height()) / 2.0 + 5)));
    const int left = std::max(2, static_cast<int>(std::lround((outer.width() - frame->width()) / 2.0 - 1)));
    if (m_form->property("Tag").toInt() == 10) {
        frame->move(-4, -4);
    } else {
        frame->move(left, FixedTop != 0 ? FixedTop : top);
    }
    return m_form;
}

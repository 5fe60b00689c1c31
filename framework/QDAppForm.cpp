#include "framework/QDAppForm.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

TQDAppForm::TQDAppForm(QWidget* parent) : TQDBaseForm(parent), m_toolBar(new QToolBar(this)), m_panel(new QWidget(this)) {
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(24, 32));
    // The tool bar holds the keyboard while no edit does; a sub-window that
    // is activated hands the focus back to it only if it can take focus.
    m_toolBar->setFocusPolicy(Qt::ClickFocus);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_panel, 1);

    struct Button {
        const char* name;
        QString caption;
        Qt::Key key;
        bool visible, enabled;
        void (TQDAppForm::*handler)();
    };
    const Button buttons[] = {
        {"button_add", QStringLiteral("增加F5"), Qt::Key_F5, true, true, &TQDAppForm::Add},
        {"button_edit", QStringLiteral("编辑F6"), Qt::Key_F6, true, true, &TQDAppForm::EditRow},
        {"button_delete", QStringLiteral("删除F7"), Qt::Key_F7, true, true, &TQDAppForm::DeleteRow},
        {"button_save", QStringLiteral("保存F8"), Qt::Key_F8, true, false, &TQDAppForm::SaveRow},
        {"button_cancel", QStringLiteral("取消F9"), Qt::Key_F9, true, false, &TQDAppForm::CancelRow},
        {"button_find", QStringLiteral("查找F10"), Qt::Key_F10, true, true, &TQDAppForm::Find},
        {"button_First", QStringLiteral("头一条"), Qt::Key_unknown, false, true, &TQDAppForm::First},
        {"button_Prior", QStringLiteral("前一条 "), Qt::Key_unknown, false, true, &TQDAppForm::Prior},
        {"button_next", QStringLiteral("下一条"), Qt::Key_unknown, false, true, &TQDAppForm::Next},
        {"button_Last", QStringLiteral("末一条"), Qt::Key_unknown, false, true, &TQDAppForm::Last},
        {"Button_Other", QStringLiteral("补充"), Qt::Key_unknown, false, true, &TQDAppForm::Other},
        {"button_check", QStringLiteral("确认"), Qt::Key_unknown, true, true, &TQDAppForm::Check},
        {"button_print", QStringLiteral("打印F11"), Qt::Key_F11, true, true, &TQDAppForm::Print},
        {"button_close", QStringLiteral("关闭F12"), Qt::Key_F12, true, true, nullptr},
    };
    for (const Button& button : buttons) {
        QAction* action = AddButton(button.name, button.caption, button.key, button.visible, button.enabled);
        if (button.handler) {
            connect(action, &QAction::triggered, this, button.handler);
        }
    }
    connect(ToolButton(QStringLiteral("button_close")), &QAction::triggered, this, [this] {
        if (QWidget* frame = parentWidget(); frame && frame->inherits("QMdiSubWindow")) {
            frame->close();
        } else {
            close();
        }
    });
}

QAction* TQDAppForm::AddButton(const char* name, const QString& caption, Qt::Key key, bool visible, bool enabled) {
    QAction* action = m_toolBar->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setVisible(visible);
    action->setEnabled(enabled);
    if (key != Qt::Key_unknown) {
        // The key acts only while its button is enabled, and only in this window.
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    m_actions.insert(QLatin1String(name), action);
    return action;
}

void TQDAppForm::showEvent(QShowEvent* event) {
    TQDBaseForm::showEvent(event);
    // The first key press goes to the tool bar, not into an edit.
    if (m_toolBar->isVisible() && !m_toolBar->hasFocus()) {
        m_toolBar->setFocus();
    }
}

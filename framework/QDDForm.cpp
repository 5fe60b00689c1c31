#include "framework/QDDForm.h"

#include <QAction>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "data/DM.h"
#include "data/MessageBoxes.h"
#include "framework/DataAware.h"
#include "framework/QDChild.h"
#include "framework/QDDataSource.h"
#include "framework/QDNDBGrid.h"

TQDDForm::TQDDForm(QWidget* parent)
    : TQDBaseForm(parent)
    , m_query(new TQDQuery(this))
    , m_ds(new TQDDataSource(this))
    , m_toolBar(new QToolBar(this))
    , m_panel(new QWidget(this)) {
    m_query->setObjectName(QStringLiteral("Query"));
    m_query->SqlType = ProgramSqlType;
    m_query->DatabaseName = QStringLiteral("QDArchivesDataBase");
    m_query->SetView(this);
    m_ds->SetDataSet(m_query);
    m_ds->ActiveColor = true;
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(24, 32));
    m_panel->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_panel, 1);

    using B = TQDDataSource::TButton;
    struct Button {
        const char* name;
        QString caption;
        Qt::Key key;
        bool visible, enabled;
        B role;
        void (TQDDForm::*handler)();
    };
    const Button buttons[] = {
        {"button_add", QStringLiteral("增加F5"), Qt::Key_F5, true, true, B::Add, &TQDDForm::Add},
        {"button_edit", QStringLiteral("编辑F6"), Qt::Key_F6, true, true, B::Edit, &TQDDForm::EditRow},
        {"button_delete", QStringLiteral("删除F7"), Qt::Key_F7, true, true, B::Delete, &TQDDForm::DeleteRow},
        {"button_save", QStringLiteral("保存F8"), Qt::Key_F8, true, false, B::Save, &TQDDForm::SaveRow},
        {"button_cancel", QStringLiteral("取消F9"), Qt::Key_F9, true, false, B::Cancel, &TQDDForm::CancelRow},
        {"button_find", QStringLiteral("查找F10"), Qt::Key_F10, true, true, B::Find, &TQDDForm::Find},
        {"button_First", QStringLiteral("头一条"), Qt::Key_unknown, false, true, B::First, &TQDDForm::First},
        {"button_Prior", QStringLiteral("前一条 "), Qt::Key_unknown, false, true, B::Prior, &TQDDForm::Prior},
        {"button_next", QStringLiteral("下一条"), Qt::Key_unknown, false, true, B::Next, &TQDDForm::Next},
        {"button_Last", QStringLiteral("末一条"), Qt::Key_unknown, false, true, B::Last, &TQDDForm::Last},
        {"Button_Other", QStringLiteral("补充"), Qt::Key_unknown, false, true, B::Other, nullptr},
        {"button_check", QStringLiteral("确认"), Qt::Key_unknown, false, true, B::Check, &TQDDForm::Check},
        {"button_print", QStringLiteral("打印F11"), Qt::Key_F11, true, true, B::Print, &TQDDForm::Print},
        {"button_close", QStringLiteral("关闭F12"), Qt::Key_F12, true, true, B::Close, nullptr},
    };
    for (const Button& button : buttons) {
        QAction* action = AddButton(button.name, button.caption, button.key, button.visible, button.enabled);
        m_ds->SetButton(button.role, action);
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

QAction* TQDDForm::AddButton(const char* name, const QString& caption, Qt::Key key, bool visible, bool enabled) {
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

void TQDDForm::showEvent(QShowEvent* event) {
    TQDBaseForm::showEvent(event);
    if (m_prepared) {
        return;
    }
    m_prepared = true;
    if (LookUpRights()) {
        for (const char* name : {"button_add", "button_edit", "button_delete"}) {
            ToolButton(QLatin1String(name))->setEnabled(Rights[AddRight]);
        }
        ToolButton(QStringLiteral("button_print"))->setEnabled(Rights[PrintRight]);
        ToolButton(QStringLiteral("button_check"))->setEnabled(Rights[VerifyRight]);
    } else {
        Rights[AddRight] = true;
        for (const char* name : {"button_add", "button_edit", "button_delete"}) {
            ToolButton(QLatin1String(name))->setEnabled(true);
        }
    }
    PrepareQuery(*m_query);
    PrepareDataSource(*m_ds);
    m_ds->ApplyEditState();
    if (m_toolBar->isVisible()) {
        m_toolBar->setFocus();
    }
}

void TQDDForm::Add() {
    if (!m_query->Active()) {
        return;
    }
    TDM::Today();
    PrepareQuery(*m_query);
    if (m_query->Insert()) {
        IsAdding = true;
        IsEditing = false;
        IsChecked = false;
    }
}

void TQDDForm::EditRow() {
    if (!m_query->Active() || m_query->IsEmpty()) {
        return;
    }
    TDM::Today();
    PrepareQuery(*m_query);
    if (m_query->Edit()) {
        IsAdding = false;
        IsEditing = true;
        IsChecked = false;
    }
}

void TQDDForm::DeleteRow() {
    if (m_query->Active() && !m_query->IsEmpty()) {
        m_query->Delete();
    }
}

void TQDDForm::SaveRow() {
    if (!m_query->Active()) {
        return;
    }
    IsChecked = false;
    // Text still in the focused edit goes to its column first.
    if (auto* aware = dynamic_cast<TQDDataAware*>(focusWidget())) {
        aware->StoreToField();
    }
    m_toolBar->setFocus();
    if (m_query->IsEditing()) {
        m_query->Save();
    }
}

void TQDDForm::CancelRow() {
    if (m_query->Active()) {
        m_query->Cancel();
    }
}

void TQDDForm::Check() {
    if (!m_query->Active() || m_query->IsEmpty()) {
        return;
    }
    IsAdding = IsEditing = false;
    IsChecked = true;
}

void TQDDForm::First() {
    if (!m_query->Active() || m_query->IsEmpty()) {
        Information(QStringLiteral("没有数据记录"), this);
        return;
    }
    m_query->First();
}

void TQDDForm::Last() {
    if (!m_query->Active() || m_query->IsEmpty()) {
        Information(QStringLiteral("没有数据记录"), this);
        return;
    }
    m_query->Last();
}

void TQDDForm::Prior() {
    if (!m_query->Active() || m_query->IsEmpty()) {
        Information(QStringLiteral("没有数据记录"), this);
        return;
    }
    if (m_query->RecNo() <= 0) {
        Information(QStringLiteral("已到第一个纪录"), this);
        return;
    }
    m_query->Prior();
}

void TQDDForm::Next() {
    if (!m_query->Active() || m_query->IsEmpty()) {
        Information(QStringLiteral("没有数据记录"), this);
        return;
    }
    const int before = m_query->RecNo();
    m_query->Next();
    if (m_query->RecNo() == before) {
        Information(QStringLiteral("已到最后一个纪录"), this);
    }
}

void TQDDForm::SetGridsEnabled(bool enabled) {
    for (TQDNDBGrid* grid : findChildren<TQDNDBGrid*>()) {
        if (grid->property("Tag").toInt() != 1) grid->setEnabled(enabled);
    }
}

void TQDDForm::FocusActiveControl(const QString& controlName, unsigned) {
    if (QWidget* control = findChild<QWidget*>(controlName)) {
        control->setFocus();
    }
}

void TQDDForm::FocusField(const QString& fieldName, QObject* editControl) {
    if (auto* control = qobject_cast<QWidget*>(editControl)) {
        control->setFocus();
        return;
    }
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (auto* aware = dynamic_cast<TQDDataAware*>(widget);
            aware && aware->DataField().compare(fieldName, Qt::CaseInsensitive) == 0) {
            widget->setFocus();
            return;
        }
    }
}

void TQDDForm::RefreshFooters() {
    for (TQDNDBGrid* grid : findChildren<TQDNDBGrid*>()) {
        grid->RefreshFooters();
    }
}

QString TQDDForm::ControlText(QObject* editControl) const {
    if (auto* edit = qobject_cast<QLineEdit*>(editControl)) {
        return edit->text();
    }
    return {};
}

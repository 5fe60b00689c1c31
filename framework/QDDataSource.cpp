#include "framework/QDDataSource.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "data/QDGlobal.h"
#include "framework/DataAware.h"
#include "framework/FocusColors.h"
#include "framework/UiHelpers.h"

TQDDataSource::TQDDataSource(QWidget* form) : QObject(form), m_form(form), ColorOnFocus(ColorFromWindows(QDGlobal::FocusColor)) {
    setObjectName(QStringLiteral("DS"));
}

void TQDDataSource::SetDataSet(TQDQuery* dataSet) {
    if (m_stateConnection) {
        disconnect(m_stateConnection);
    }
    m_dataSet = dataSet;
    emit DataChanged();
}

void TQDDataSource::SetButton(TButton role, QObject* button) { m_buttons[static_cast<size_t>(role)] = button; }

QObject* TQDDataSource::Button(TButton role) const { return m_buttons[static_cast<size_t>(role)]; }

void TQDDataSource::AddSmallButton(QObject* button) { m_small.append(button); }

void TQDDataSource::BindStateChange() {
    if (m_stateConnection) {
        disconnect(m_stateConnection);
    }
    if (m_dataSet) {
        m_stateConnection = connect(m_dataSet, &TQDQuery::StateChanged, this, [this] {
            if (ActiveColor) {
                StateChanged();
            }
        });
    }
}

bool TQDDataSource::Editing() const { return m_dataSet && m_dataSet->IsEditing(); }

void TQDDataSource::StateChanged() {
    ApplyEditState();
    const bool browsing = !Editing();
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (!m_buttons[i]) {
            continue;
        }
        const auto role = static_cast<TButton>(i);
        const bool editButton = role == TButton::Save || role == TButton::Cancel;
        m_buttons[i]->setProperty("enabled", editButton ? !browsing : browsing);
    }
    for (const QPointer<QObject>& button : m_small) {
        if (button) button->setProperty("enabled", browsing);
    }
    ApplyRights();
}

void TQDDataSource::ApplyRights() {
    auto refuse = [this](TButton role, bool right) {
        if (!right && Button(role)) {
            Button(role)->setProperty("enabled", false);
        }
    };
    refuse(TButton::Add, RightAdd);
    refuse(TButton::New, RightAdd);
    refuse(TButton::Edit, RightEdit);
    refuse(TButton::Delete, RightDelete);
    refuse(TButton::Print, RightPrint);
    refuse(TButton::Check, RightCheck);
}

void TQDDataSource::ApplyEditState() {
    const bool editing = Editing();
    for (QWidget* control : m_form->findChildren<QWidget*>()) {
        int tag = control->property("Tag").toInt();
        if (IS_MASTER_CHANGE) {
            if (tag >= 500) continue;
        } else if (IS_DETAIL_CHANGE) {
            if (tag < 500) continue;
            tag -= 500;
        }
        if (tag == 100) {
            continue;
        }
        const bool defaultMode = !IS_MASTER_CHANGE && !IS_DETAIL_CHANGE;
        if (auto* grid = qobject_cast<QAbstractItemView*>(control); grid && !qobject_cast<QComboBox*>(control->parentWidget())) {
            if (tag != 1) {
                grid->setEnabled(!editing);
            }
            continue;
        }
        if (defaultMode && (tag == 5 || tag == 30) && !dynamic_cast<TQDDataAware*>(control)) {
            control->setEnabled(!editing);
            continue;
        }
        auto* aware = dynamic_cast<TQDDataAware*>(control);
        if (!aware) {
            continue;
        }
        if (aware->DataSource() && aware->DataSource() != this) {
            continue;  // bound to the other source of the window
        }
        if (auto* colors = control->findChild<TFocusColors*>(QString(), Qt::FindDirectChildrenOnly)) {
            colors->SetColors(editing ? EditColor : BrowseColor, editing ? ColorOnFocus : BrowseColor);
        }
        const bool alwaysReadOnly = tag == 2 || tag == 3 || tag == 4 || tag == 7;
        aware->SetDataReadOnly(alwaysReadOnly || !editing);
        if (tag == 3 || tag == 4) {
            control->setFocusPolicy(Qt::ClickFocus);
        }
    }
}

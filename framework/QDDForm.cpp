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

TQDDForm::TQDDForm(QWidget* parent) : TQDAppForm(parent), m_query(new TQDQuery(this)), m_ds(new TQDDataSource(this)) {
    m_query->setObjectName(QStringLiteral("Query"));
    m_query->SqlType = ProgramSqlType;
    m_query->DatabaseName = QStringLiteral("QDArchivesDataBase");
    m_query->SetView(this);
    m_ds->SetDataSet(m_query);
    m_ds->ActiveColor = true;
    // 确认 is for the windows that check rows; a single-dataset window hides it.
    ToolButton(QStringLiteral("button_check"))->setVisible(false);
    using B = TQDDataSource::TButton;
    const std::pair<const char*, B> roles[] = {
        {"button_add", B::Add},       {"button_edit", B::Edit},   {"button_delete", B::Delete}, {"button_save", B::Save},
        {"button_cancel", B::Cancel}, {"button_find", B::Find},   {"button_First", B::First},   {"button_Prior", B::Prior},
        {"button_next", B::Next},     {"button_Last", B::Last},   {"Button_Other", B::Other},   {"button_check", B::Check},
        {"button_print", B::Print},   {"button_close", B::Close}};
    for (const auto& [name, role] : roles) {
        m_ds->SetButton(role, ToolButton(QLatin1String(name)));
    }
}

void TQDDForm::showEvent(QShowEvent* event) {
    TQDAppForm::showEvent(event);
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
    if (m_printOff) {
        ToolButton(QStringLiteral("button_print"))->setEnabled(false);
    }
    PrepareQuery(*m_query);
    PrepareDataSource(*m_ds);
    m_ds->ApplyEditState();
}

void TQDDForm::KeepPrintOff() {
    m_printOff = true;
    m_ds->SetButton(TQDDataSource::TButton::Print, nullptr);
    ToolButton(QStringLiteral("button_print"))->setEnabled(false);
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
    ToolBar()->setFocus();
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

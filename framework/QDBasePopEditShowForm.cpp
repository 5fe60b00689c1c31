#include "framework/QDBasePopEditShowForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/DM.h"
#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "framework/DataAware.h"
#include "framework/QDBaseForm.h"
#include "framework/QDChild.h"
#include "framework/QDDataSource.h"
#include "framework/UiHelpers.h"

namespace {
const QString CloseRefused = QStringLiteral("必须先按“保存”或“取消”按钮后才能关闭窗口");
}

TQDBasePopEditShowForm::TQDBasePopEditShowForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_ds(new TQDDataSource(this))
    , m_panel(new QWidget(this))
    , m_child(new TQDChild(this)) {
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_ds->ActiveColor = true;
    TDM::Today();
    using B = TQDDataSource::TButton;
    auto* rows = new QGridLayout;
    const struct {
        const char* name;
        QString caption;
        bool enabled;
        B role;
        void (TQDBasePopEditShowForm::*handler)();
        int row, column;
    } buttons[] = {
        {"button_add", QStringLiteral("增加[F5]"), true, B::Add, &TQDBasePopEditShowForm::Add, 0, 0},
        {"button_edit", QStringLiteral("编辑[F6]"), true, B::Edit, &TQDBasePopEditShowForm::EditRow, 0, 1},
        {"button_delete", QStringLiteral("删除[F7]"), true, B::Delete, &TQDBasePopEditShowForm::DeleteRow, 0, 2},
        {"button_save", QStringLiteral("保存[F8]"), false, B::Save, &TQDBasePopEditShowForm::SaveRow, 0, 3},
        {"button_cancel", QStringLiteral("取消[F9]"), false, B::Cancel, &TQDBasePopEditShowForm::CancelRow, 0, 4},
        {"button_print", QStringLiteral("打印[F11]"), true, B::Print, &TQDBasePopEditShowForm::Print, 0, 5},
        {"button_First", QStringLiteral("首条"), true, B::First, &TQDBasePopEditShowForm::First, 1, 0},
        {"button_Prior", QStringLiteral("前条"), true, B::Prior, &TQDBasePopEditShowForm::Prior, 1, 1},
        {"button_next", QStringLiteral("下条"), true, B::Next, &TQDBasePopEditShowForm::Next, 1, 2},
        {"button_Last", QStringLiteral("末条"), true, B::Last, &TQDBasePopEditShowForm::Last, 1, 3},
        {"button_ok", QStringLiteral("确定[F3]"), true, B::Other, &TQDBasePopEditShowForm::Confirm, 1, 4},
        {"button_close", QStringLiteral("关闭[F12]"), true, B::Close, nullptr, 1, 5},
    };
    for (const auto& button : buttons) {
        auto* push = new QPushButton(button.caption, this);
        push->setObjectName(QLatin1String(button.name));
        push->setEnabled(button.enabled);
        push->setAutoDefault(false);
        m_buttons.insert(QLatin1String(button.name), push);
        m_ds->SetButton(button.role, push);
        rows->addWidget(push, button.row, button.column);
        if (button.handler) connect(push, &QPushButton::clicked, this, button.handler);
    }
    connect(Button(QStringLiteral("button_close")), &QPushButton::clicked, this, &TQDBasePopEditShowForm::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel, 1);
    layout->addLayout(rows);
}

void TQDBasePopEditShowForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    AssignLabelBuddies(this);
    ResolveRights(this);
    for (const char* name : {"button_add", "button_edit", "button_delete"}) {
        Button(QLatin1String(name))->setEnabled(Rights[AddRight]);
    }
    Button(QStringLiteral("button_print"))->setEnabled(Rights[PrintRight]);
    m_ds->SetDataSet(m_dataSet);
    if (m_dataSet) {
        m_callerView = m_dataSet->View();
        m_dataSet->SetView(this);
    }
    TQDBaseForm::PrepareDataSource(*m_ds, Rights);
    m_ds->ApplyEditState();
    m_ds->StateChanged();
}

void TQDBasePopEditShowForm::hideEvent(QHideEvent* event) {
    // The dataset is the caller's again.
    if (m_dataSet && m_dataSet->View() == this) {
        m_dataSet->SetView(m_callerView);
    }
    QDialog::hideEvent(event);
}

void TQDBasePopEditShowForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Coming back to an editor whose row is being edited without a way to save it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_dataSet && m_dataSet->IsEditing() &&
        !Button(QStringLiteral("button_save"))->isEnabled()) {
        m_dataSet->Cancel();
    }
}

void TQDBasePopEditShowForm::keyPressEvent(QKeyEvent* event) {
    const QHash<int, const char*> keys{{Qt::Key_F3, "button_ok"},     {Qt::Key_F5, "button_add"},    {Qt::Key_F6, "button_edit"},
                                       {Qt::Key_F7, "button_delete"}, {Qt::Key_F8, "button_save"},   {Qt::Key_F9, "button_cancel"},
                                       {Qt::Key_F11, "button_print"}, {Qt::Key_F12, "button_close"}};
    if (const char* name = keys.value(event->key(), nullptr)) {
        QPushButton* button = Button(QLatin1String(name));
        if (button && button->isEnabled()) button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TQDBasePopEditShowForm::closeEvent(QCloseEvent* event) {
    if (m_dataSet && m_dataSet->IsEditing()) {
        Information(CloseRefused, this);
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TQDBasePopEditShowForm::reject() {
    if (m_dataSet && m_dataSet->IsEditing()) {
        Information(CloseRefused, this);
        return;
    }
    QDialog::reject();
}

void TQDBasePopEditShowForm::Add() {
    if (!m_dataSet || !m_dataSet->Active()) return;
    TDM::Today();
    TQDBaseForm::PrepareQuery(*m_dataSet);
    m_dataSet->Insert();
}

void TQDBasePopEditShowForm::EditRow() {
    if (!Navigable()) return;
    TDM::Today();
    TQDBaseForm::PrepareQuery(*m_dataSet);
    m_dataSet->Edit();
}

void TQDBasePopEditShowForm::DeleteRow() {
    if (Navigable()) m_dataSet->Delete();
}

void TQDBasePopEditShowForm::SaveRow() {
    if (!m_dataSet || !m_dataSet->IsEditing()) return;
    if (auto* aware = dynamic_cast<TQDDataAware*>(focusWidget())) aware->StoreToField();
    Button(QStringLiteral("button_save"))->setFocus();
    m_dataSet->Save();
}

void TQDBasePopEditShowForm::CancelRow() {
    if (m_dataSet) m_dataSet->Cancel();
}

void TQDBasePopEditShowForm::Confirm() {
    if (!Navigable()) {
        Information(QStringLiteral("必须选择一个记录"), this);
        return;
    }
    accept();
}

void TQDBasePopEditShowForm::First() {
    if (Navigable()) m_dataSet->First();
}

void TQDBasePopEditShowForm::Last() {
    if (Navigable()) m_dataSet->Last();
}

void TQDBasePopEditShowForm::Prior() {
    if (!Navigable()) return;
    if (m_dataSet->RecNo() <= 0) {
        Information(QStringLiteral("已到第一个纪录"), this);
        return;
    }
    m_dataSet->Prior();
}

void TQDBasePopEditShowForm::Next() {
    if (!Navigable()) return;
    const int before = m_dataSet->RecNo();
    m_dataSet->Next();
    if (m_dataSet->RecNo() == before) Information(QStringLiteral("已到最后一个纪录"), this);
}

void TQDBasePopEditShowForm::FocusField(const QString& fieldName, QObject* editControl) {
    if (auto* control = qobject_cast<QWidget*>(editControl)) {
        control->setFocus();
        return;
    }
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (auto* aware = dynamic_cast<TQDDataAware*>(widget); aware && aware->DataField().compare(fieldName, Qt::CaseInsensitive) == 0) {
            widget->setFocus();
            return;
        }
    }
}

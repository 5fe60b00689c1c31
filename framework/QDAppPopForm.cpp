#include "framework/QDAppPopForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/DM.h"
#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "framework/QDBaseForm.h"
#include "framework/QDChild.h"
#include "framework/QDDataSource.h"
#include "framework/QDNDBGrid.h"
#include "framework/UiHelpers.h"

TQDAppPopForm::TQDAppPopForm(QWidget* parent)
    : QDialog(parent)
    , m_query(new TQDQuery(this))
    , m_ds(new TQDDataSource(this))
    , m_grid(new TQDNDBGrid(this))
    , m_top(new QWidget(this))
    , m_child(new TQDChild(this)) {
    setFixedSize(598, 360);
    // A list without rights of its own may still be maintained by its opener.
    Rights[AddRight] = true;
    m_query->setObjectName(QStringLiteral("Query"));
    m_query->SetView(this);
    m_ds->SetDataSet(m_query);
    m_ds->ActiveColor = true;
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_grid->SetDataSource(m_ds);
    m_top->setObjectName(QStringLiteral("Panel3"));
    if (QDGlobal::StartDateText.isEmpty() || ProgramSqlType != TSqlType::urSql_Server) {
        TDM::Today();
    }
    using B = TQDDataSource::TButton;
    auto* rows = new QGridLayout;
    const struct {
        const char* name;
        QString caption;
        bool enabled;
        B role;
        void (TQDAppPopForm::*handler)();
        int row, column;
    } buttons[] = {
        {"button_add", QStringLiteral("新增[F5]"), true, B::Add, &TQDAppPopForm::Add, 0, 0},
        {"button_edit", QStringLiteral("编辑[F6]"), true, B::Edit, &TQDAppPopForm::EditRow, 0, 1},
        {"button_delete", QStringLiteral("删除[F7]"), true, B::Delete, &TQDAppPopForm::DeleteRow, 0, 2},
        {"button_find", QStringLiteral("查找[F10]"), true, B::Find, &TQDAppPopForm::Find, 0, 3},
        {"button_save", QStringLiteral("保存[F8]"), false, B::Save, &TQDAppPopForm::SaveRow, 0, 4},
        {"button_cancel", QStringLiteral("取消[F9]"), false, B::Cancel, &TQDAppPopForm::CancelRow, 0, 5},
        {"button_print", QStringLiteral("打印[F11]"), true, B::Print, &TQDAppPopForm::Print, 0, 6},
        {"button_ok", QStringLiteral("确定[F3]"), true, B::Other, &TQDAppPopForm::Confirm, 1, 2},
        {"button_close", QStringLiteral("关闭[F12]"), true, B::Close, nullptr, 1, 4},
    };
    for (const auto& button : buttons) {
        QPushButton* push = AddButton(button.name, button.caption, button.enabled);
        m_ds->SetButton(button.role, push);
        rows->addWidget(push, button.row, button.column);
        if (button.handler) connect(push, &QPushButton::clicked, this, button.handler);
    }
    connect(Button(QStringLiteral("button_close")), &QPushButton::clicked, this, &TQDAppPopForm::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(rows);
}

QPushButton* TQDAppPopForm::AddButton(const char* name, const QString& caption, bool enabled) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setEnabled(enabled);
    button->setAutoDefault(false);
    m_buttons.insert(QLatin1String(name), button);
    return button;
}

void TQDAppPopForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    AssignLabelBuddies(this);
    ApplyInputMethod(this, QDGlobal::CurrentImeName);
    m_child->CloseRefusal = CloseRefusal();
    ResolveRights(this);
    for (const char* name : {"button_add", "button_edit", "button_delete"}) {
        Button(QLatin1String(name))->setEnabled(Rights[AddRight]);
    }
    Button(QStringLiteral("button_print"))->setEnabled(Rights[PrintRight]);
    TQDBaseForm::PrepareQuery(*m_query);
    TQDBaseForm::PrepareDataSource(*m_ds, Rights);
    m_ds->ApplyEditState();
    QPushButton* ok = Button(QStringLiteral("button_ok"));
    if (ok->isEnabled() && ok->isVisible()) {
        ok->setFocus();
    }
    m_grid->setFocus();
}

void TQDAppPopForm::keyPressEvent(QKeyEvent* event) {
    const QHash<int, const char*> keys{{Qt::Key_F3, "button_ok"},     {Qt::Key_F5, "button_add"},   {Qt::Key_F6, "button_edit"},
                                       {Qt::Key_F7, "button_delete"}, {Qt::Key_F8, "button_save"},  {Qt::Key_F9, "button_cancel"},
                                       {Qt::Key_F10, "button_find"},  {Qt::Key_F11, "button_print"}, {Qt::Key_F12, "button_close"}};
    if (const char* name = keys.value(event->key(), nullptr)) {
        QPushButton* button = Button(QLatin1String(name));
        if (button && button->isEnabled()) {
            button->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

QString TQDAppPopForm::CloseRefusal() const { return m_child->CloseRefusal; }

void TQDAppPopForm::closeEvent(QCloseEvent* event) {
    if (m_query->IsEditing()) {
        Information(CloseRefusal(), this);
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TQDAppPopForm::reject() {
    if (m_query->IsEditing()) {
        Information(CloseRefusal(), this);
        return;
    }
    QDialog::reject();
}

void TQDAppPopForm::Add() {
    if (!m_query->Active()) return;
    TDM::Today();
    TQDBaseForm::PrepareQuery(*m_query);
    m_query->Insert();
}

void TQDAppPopForm::EditRow() {
    if (!m_query->Active() || m_query->IsEmpty()) return;
    TDM::Today();
    TQDBaseForm::PrepareQuery(*m_query);
    m_query->Edit();
}

void TQDAppPopForm::DeleteRow() {
    if (m_query->Active() && !m_query->IsEmpty()) m_query->Delete();
}

void TQDAppPopForm::SaveRow() {
    if (m_query->IsEditing()) {
        Button(QStringLiteral("button_save"))->setFocus();
        m_query->Save();
    }
}

void TQDAppPopForm::CancelRow() { m_query->Cancel(); }

void TQDAppPopForm::Confirm() {
    if (!m_query->Active() || m_query->IsEmpty()) {
        Information(QStringLiteral("必须选择一个记录"), this);
        return;
    }
    accept();
}

void TQDAppPopForm::SetGridsEnabled(bool enabled) { m_grid->setEnabled(enabled); }

void TQDAppPopForm::FocusField(const QString&, QObject* editControl) {
    if (auto* control = qobject_cast<QWidget*>(editControl)) control->setFocus();
}

void TQDAppPopForm::RefreshFooters() { m_grid->RefreshFooters(); }

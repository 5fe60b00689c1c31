#include "records/SelectEditForm.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/QDDBEdit.h"
#include "framework/QDDataSource.h"
#include "framework/QDNDBGrid.h"

TSelectEditForm::TSelectEditForm(const QString& column, const QString& displayName, const QString& table, QWidget* parent)
    : TQDAppPopForm(parent)
    , m_column(column)
    , m_displayName(displayName)
    , m_table(table)
    , m_label(new QLabel(Panel3()))
    , m_input(new TQDDBEdit(Panel3())) {
    setObjectName(QStringLiteral("SelectEditForm"));
    setWindowTitle(displayName + QStringLiteral("数据选择编辑窗口"));
    m_label->setBuddy(m_input);
    m_input->setObjectName(QStringLiteral("InputLine"));
    // The line is the search field while browsing and the value's editor while
    // a value is added or changed; the state pass leaves it alone.
    m_input->setProperty("Tag", 100);
    // Adding, changing and deleting values are always allowed here.
    Rights.fill(true);
    auto* top = new QHBoxLayout(Panel3());
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_label);
    top->addWidget(m_input, 1);
    auto* all = new QPushButton(QStringLiteral("全部数据"), this);
    all->setObjectName(QStringLiteral("AllButton"));
    all->setAutoDefault(false);
    top->addWidget(all);
    connect(all, &QPushButton::clicked, this, &TSelectEditForm::ShowAll);
    Button(QStringLiteral("button_add"))->setText(QStringLiteral("增加[F5]"));
    Button(QStringLiteral("button_find"))->hide();
    Button(QStringLiteral("button_print"))->hide();

    TQDQuery* query = Query();
    query->SqlType = ProgramSqlType;
    query->SetTableName(table, false);
    query->UpdateObject.ModifySQL = QStringLiteral("UPDATE ") + table + QStringLiteral("\nSET\n  ") + column + QStringLiteral(" = :") +
                                    column + QStringLiteral(",\n  EDIT_NAME = :EDIT_NAME,\n  EDIT_DATE = :EDIT_DATE,\n  CREATE_NAME = "
                                                            ":CREATE_NAME,\n  CREATE_DATE = :CREATE_DATE\nWHERE\n  ") +
                                    column + QStringLiteral(" = :OLD_") + column;
    query->UpdateObject.InsertSQL = QStringLiteral("INSERT INTO ") + table + QStringLiteral("\n  (") + column +
                                    QStringLiteral(", EDIT_NAME, EDIT_DATE, CREATE_NAME, CREATE_DATE)\nVALUES\n  (:") + column +
                                    QStringLiteral(", :EDIT_NAME, :EDIT_DATE, :CREATE_NAME, :CREATE_DATE)");
    query->UpdateObject.DeleteSQL = QStringLiteral("DELETE FROM ") + table + QStringLiteral("\nWHERE\n  ") + column +
                                    QStringLiteral(" = :OLD_") + column;
    TCheckData duplicate;
    duplicate.Fields[0] = {column, column, {}, {}, QStringLiteral("C")};
    duplicate.Message = displayName + QStringLiteral("重复");
    duplicate.TriggerField = column;
    duplicate.SelectPrefix = QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ");
    duplicate.MustBeAbsent = true;
    duplicate.NoRegenerate = true;
    query->CheckData = {duplicate};
    query->InsertData = {{QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), {}, 0, QDGlobal::CurrentUserName, {}, QStringLiteral("A"), {}},
                         {QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), {}, 0, QDGlobal::StartDateText, {}, QStringLiteral("A"), {}}};
    query->EditData = {{QStringLiteral("EDIT_NAME"), {}, QDGlobal::CurrentUserName},
                       {QStringLiteral("EDIT_DATE"), {}, QDGlobal::StartDateText}};
    TFieldsData value;
    value.FieldName = column;
    value.DisplayLabel = displayName;
    value.DisplayWidth = 60;
    value.Required = true;
    value.EditControl = m_input;
    const QList<std::pair<const char*, QString>> audit{{"CREATE_NAME", QStringLiteral("建档人员")}, {"CREATE_DATE", QStringLiteral("建档日期")},
                                                       {"EDIT_NAME", QStringLiteral("修改人员")}, {"EDIT_DATE", QStringLiteral("修改日期")}};
    query->FieldsData = {value};
    for (const auto& [name, label] : audit) {
        TFieldsData column;
        column.FieldName = QLatin1String(name);
        column.DisplayLabel = label;
        query->FieldsData.append(column);
    }
    connect(query, &TQDQuery::StateChanged, this, &TSelectEditForm::FollowState);
    connect(query, &TQDQuery::CurrentChanged, this, &TSelectEditForm::FollowState);
    connect(DBGrid(), &QAbstractItemView::doubleClicked, this, &TSelectEditForm::Confirm);
    m_input->Bind(DS(), column);
    // Enter in the line searches while browsing.
    m_input->OnSelect = [this](bool& handled) {
        if (!Query()->IsEditing()) {
            Search();
            handled = true;
        }
    };
    ShowAll();
}

void TSelectEditForm::FollowState() {
    const bool editing = Query()->IsEditing();
    m_label->setText(editing ? m_displayName : QStringLiteral("按回车键进行查找"));
    m_input->setReadOnly(false);
    // 确定 follows 增加.
    Button(QStringLiteral("button_ok"))->setEnabled(Button(QStringLiteral("button_add"))->isEnabled());
}

void TSelectEditForm::ShowAll() {
    Query()->SetSql(QStringLiteral("SELECT *  FROM ") + m_table + QStringLiteral(" ORDER BY ") + m_column);
    Query()->Open();
    DBGrid()->ApplyDescriptors(Query()->FieldsData);
    FollowState();
}

void TSelectEditForm::Search() {
    const QString typed = m_input->text().trimmed();
    Query()->SetSql(QStringLiteral("SELECT * FROM ") + m_table + QStringLiteral(" WHERE ") + m_column + QStringLiteral(" LIKE ") +
                    QuotedStr(QLatin1Char('%') + typed + QLatin1Char('%')) + QStringLiteral(" ORDER BY ") + m_column);
    Query()->Open();
    DBGrid()->ApplyDescriptors(Query()->FieldsData);
    FollowState();
    m_input->setText(typed);
    m_input->setFocus();
}

void TSelectEditForm::Add() {
    TQDAppPopForm::Add();
    m_input->setFocus();
}

void TSelectEditForm::EditRow() {
    TQDAppPopForm::EditRow();
    m_input->setFocus();
}

void TSelectEditForm::SaveRow() {
    if (!Query()->IsEditing()) return;
    Query()->SetValue(m_column, m_input->text());
    TQDAppPopForm::SaveRow();
    if (!Query()->IsEditing()) DBGrid()->setFocus();
}

void TSelectEditForm::CancelRow() {
    TQDAppPopForm::CancelRow();
    DBGrid()->setFocus();
}

void TSelectEditForm::Confirm() {
    if (Query()->IsEditing()) {
        return;  // 确定 acts only while no value is being added or changed
    }
    TQDAppPopForm::Confirm();
}

QString TSelectEditForm::ChosenValue() const { return Query()->Text(m_column); }

QString TSelectEditForm::CloseRefusal() const { return QStringLiteral("必须保存或取消新增、修改的数据"); }

void TSelectEditForm::keyPressEvent(QKeyEvent* event) {
    // 关闭 is off while a value is being edited, but F12 still answers.
    if (event->key() == Qt::Key_F12 && Query()->IsEditing()) {
        Information(CloseRefusal(), this);
        return;
    }
    TQDAppPopForm::keyPressEvent(event);
}

#include "admin/CompanyForm.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/FindFormDialog.h"
#include "framework/QDDBEdit.h"
#include "framework/QueryHelpers.h"
#include "framework/QDDataSource.h"
#include "framework/QDNDBGrid.h"

TCompanyForm::TCompanyForm(QWidget* parent)
    : TQDDForm(parent), m_grid(new TQDNDBGrid(Panel1())), m_name(nullptr), m_find(new TFindFormDialog(this)) {
    setObjectName(QStringLiteral("CompanyForm"));
    setWindowTitle(QStringLiteral("单位资料编辑窗口"));
    ComposeName = QStringLiteral("档案管理");
    ProgramName = QStringLiteral("单位名称录入编辑");
    resize(760, 460);

    TQDQuery* query = Query();
    query->SetTableName(QStringLiteral("SYS_COMPANY_TABLE"), false);
    query->SetSql(QStringLiteral("SELECT  *  FROM  SYS_COMPANY_TABLE"));
    query->UpdateObject = TQDUpdateSql::ForTable(QStringLiteral("SYS_COMPANY_TABLE"));

    auto* fields = new QGridLayout;
    struct Field {
        const char* column;
        QString label;
    };
    const Field edits[] = {{"COMPANY_NAME", QStringLiteral("单位名称")}, {"COMPANY_ADDRESS", QStringLiteral("单位地址")},
                           {"COMPANY_POSTCODE", QStringLiteral("邮编")},  {"COMPANY_PHONE", QStringLiteral("电话")},
                           {"NOTE", QStringLiteral("备注")}};
    int row = 0;
    for (const Field& field : edits) {
        auto* label = new QLabel(field.label, Panel1());
        auto* edit = new TQDDBEdit(Panel1());
        edit->setObjectName(QStringLiteral("QDDBEdit_") + QLatin1String(field.column));
        edit->Bind(DS(), QLatin1String(field.column));
        label->setBuddy(edit);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
        ++row;
        if (!m_name) m_name = edit;
    }
    query->ActiveControl = m_name->objectName();
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->SetDataSource(DS());
    auto* layout = new QVBoxLayout(Panel1());
    layout->addLayout(fields);
    layout->addWidget(m_grid, 1);

    const QList<std::pair<const char*, QString>> columns{
        {"COMPANY_ID", QStringLiteral("单位编号")},  {"COMPANY_NAME", QStringLiteral("单位名称")},
        {"COMPANY_ADDRESS", QStringLiteral("单位地址")}, {"COMPANY_POSTCODE", QStringLiteral("邮编")},
        {"COMPANY_PHONE", QStringLiteral("电话")},   {"NOTE", QStringLiteral("备注")},
        {"CREATE_NAME", QStringLiteral("建档人员")}, {"CREATE_DATE", QStringLiteral("建档日期")},
        {"EDIT_NAME", QStringLiteral("修改人员")},   {"EDIT_DATE", QStringLiteral("修改日期")}};
    for (const auto& [column, label] : columns) {
        TFieldsData descriptor;
        descriptor.FieldName = QLatin1String(column);
        descriptor.DisplayLabel = label;
        const bool date = QString::fromLatin1(column).endsWith(QLatin1String("_DATE"));
        descriptor.Kind = date ? QStringLiteral("D") : QStringLiteral("C");
        descriptor.SearchKind = date ? QStringLiteral("D") : QStringLiteral("T");
        query->FieldsData.append(descriptor);
    }
    query->FieldsData[1].Required = true;
    query->FieldsData[1].EditControl = m_name;

    TInsertData id;
    id.FieldName = QStringLiteral("COMPANY_ID");
    id.FieldCaption = QStringLiteral("单位编号");
    id.Kind = QStringLiteral("C");
    id.Length = 6;
    query->InsertData = {id,
                         {QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), {}, 0, QDGlobal::CurrentUserName, {}, QStringLiteral("A"), {}},
                         {QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), {}, 0, QDGlobal::StartDateText, {}, QStringLiteral("A"), {}}};
    query->EditData = {{QStringLiteral("EDIT_NAME"), {}, QDGlobal::CurrentUserName},
                       {QStringLiteral("EDIT_DATE"), {}, QDGlobal::StartDateText}};
    TCheckData check;
    check.Fields[0] = {QStringLiteral("COMPANY_ID"), QStringLiteral("COMPANY_ID"), {}, {}, QStringLiteral("C")};
    check.Message = QStringLiteral("单位重复");
    check.TriggerField = QStringLiteral("COMPANY_ID");
    check.SelectPrefix = QStringLiteral("SELECT COMPANY_ID FROM SYS_COMPANY_TABLE WHERE ");
    check.MustBeAbsent = true;
    query->CheckData = {check};
    m_find->Form()->Caption = QStringLiteral("单位资料");
    m_find->Form()->SetAllDataVisible(true);
    m_find->SetDescriptors(query->FieldsData);
}

void TCompanyForm::Find() {
    if (!m_find->Execute()) {
        return;
    }
    const QString condition = m_find->Condition();
    RunCounted(*Query(), condition.isEmpty() ? QStringLiteral("SELECT  *  FROM  SYS_COMPANY_TABLE")
                                             : QStringLiteral("SELECT * FROM SYS_COMPANY_TABLE WHERE ") + condition);
    m_grid->ApplyDescriptors(Query()->FieldsData);
}

void TCompanyForm::showEvent(QShowEvent* event) {
    TQDDForm::showEvent(event);
    if (!m_opened) {
        m_opened = true;
        Query()->Open();
        m_grid->ApplyDescriptors(Query()->FieldsData);
        DS()->StateChanged();
    }
}

void TCompanyForm::Add() {
    // One organisation, whatever the list shows: a search may have emptied it.
    if (!ValueText(QStringLiteral("SELECT 1 FROM SYS_COMPANY_TABLE LIMIT 1")).isEmpty()) {
        Information(QStringLiteral("单位名称只能有一个"), this);
        return;
    }
    TQDDForm::Add();
}

void TCompanyForm::SaveRow() {
    const bool wasEditing = Query()->IsEditing();
    TQDDForm::SaveRow();
    if (wasEditing && !Query()->IsEditing()) {
        QDGlobal::CurrentCompanyName = Query()->Text(QStringLiteral("COMPANY_NAME"));
        emit CompanyRenamed(QDGlobal::CurrentCompanyName);
    }
}

#include "catalogue/ArchiveTypeForm.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidgetItem>

#include "data/MessageBoxes.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/QDDBEdit.h"
#include "framework/QDDataSource.h"
#include "framework/QDTreeView.h"
#include "framework/UiHelpers.h"

void TArchiveTypeForm::SetTreeQueries(TQDTreeView& tree, QTreeWidgetItem* node) {
    const int level = TQDTreeView::LevelOf(node);
    const QString children = QStringLiteral("SELECT ARCHIVE_TYPE_ID,ARCHIVE_TYPE_NAME,ORDER_ID FROM QD_ARCHIVE_TYPE_TABLE WHERE PRIOR_ID =");
    if (level == 0) {
        tree.ChildrenQuery = {children + QStringLiteral(" 'G001'"), QString(), QStringLiteral("ORDER BY ORDER_ID"), 0, {}};
    } else {
        tree.ChildrenQuery = {children, QStringLiteral("C"), QStringLiteral("ORDER BY ORDER_ID"), 0, {}};
    }
    if (level >= 3) {
        tree.HasChildrenQuery = {};  // nothing lies below the fourth level
    } else {
        tree.HasChildrenQuery = {QStringLiteral("SELECT Count(ARCHIVE_TYPE_ID) FROM QD_ARCHIVE_TYPE_TABLE WHERE PRIOR_ID ="),
                                 QStringLiteral("C")};
    }
}

void TArchiveTypeForm::PrepareTree(TQDTreeView& tree) {
    tree.RootKey = QLatin1String(RootKey);
    tree.RootText = RootText;
    tree.HasChildrenQuery = {{}, QStringLiteral("A")};
    tree.OnExpanding = [&tree](QTreeWidgetItem* node) { SetTreeQueries(tree, node); };
    QPalette palette = tree.palette();
    palette.setColor(QPalette::Base, ColorFromWindows(14875896));
    tree.setPalette(palette);
    tree.BuildTree();
    tree.setCurrentItem(tree.Root());
}

TArchiveTypeForm::TArchiveTypeForm(QWidget* parent) : TQDDForm(parent), m_tree(new TQDTreeView(Panel1())) {
    setObjectName(QStringLiteral("ArchiveTypeForm"));
    setWindowTitle(QStringLiteral("档案类别录入编辑窗口"));
    ComposeName = QStringLiteral("档案管理");
    ProgramName = QStringLiteral("档案类别资料录入编辑");
    resize(760, 480);
    ToolButton(QStringLiteral("button_find"))->setVisible(false);
    // The printed type list comes with the reports.
    KeepPrintOff();

    TQDQuery* query = Query();
    query->SetTableName(QStringLiteral("QD_ARCHIVE_TYPE_TABLE"), false);
    query->UpdateObject = TQDUpdateSql::ForTable(QStringLiteral("QD_ARCHIVE_TYPE_TABLE"));

    auto* fields = new QGridLayout;
    auto addEdit = [&](const char* column, const QString& label, int row, int tag) {
        auto* caption = new QLabel(label, Panel1());
        auto* edit = new TQDDBEdit(Panel1());
        edit->setObjectName(QStringLiteral("QDDBEdit_") + QLatin1String(column));
        edit->setProperty("Tag", tag);
        edit->Bind(DS(), QLatin1String(column));
        caption->setBuddy(edit);
        fields->addWidget(caption, row, 0);
        fields->addWidget(edit, row, 1);
        return edit;
    };
    m_name = addEdit("ARCHIVE_TYPE_NAME", QStringLiteral("档案类别"), 0, 0);
    addEdit("NOTE", QStringLiteral("备注"), 1, 0);
    m_order = addEdit("ORDER_ID", QStringLiteral("序号"), 2, 0);
    m_order->SetEditType(TEditTypes::etInteger);
    addEdit("EDIT_NAME", QStringLiteral("修改人员"), 3, 4);
    addEdit("EDIT_DATE", QStringLiteral("修改日期"), 4, 4);
    addEdit("CREATE_NAME", QStringLiteral("建档人员"), 5, 4);
    addEdit("CREATE_DATE", QStringLiteral("建档日期"), 6, 4);
    auto* hint = new QLabel(QStringLiteral("一级档案分类可以定义档案的字段名称和数量，不同类别的档案可以有不同的字段。"), Panel1());
    hint->setWordWrap(true);
    fields->addWidget(hint, 7, 0, 1, 2);
    fields->setRowStretch(8, 1);
    auto* layout = new QHBoxLayout(Panel1());
    layout->addWidget(m_tree, 1);
    layout->addLayout(fields, 1);
    query->ActiveControl = m_name->objectName();

    TFieldsData name;
    name.FieldName = QStringLiteral("ARCHIVE_TYPE_NAME");
    name.DisplayLabel = QStringLiteral("档案类别");
    name.Kind = QStringLiteral("C");
    name.Required = true;
    name.EditControl = m_name;
    TFieldsData order;
    order.FieldName = QStringLiteral("ORDER_ID");
    order.DisplayLabel = QStringLiteral("序号");
    order.Kind = QStringLiteral("N");
    order.Required = true;
    order.EditControl = m_order;
    query->FieldsData = {order, name};

    TCheckData siblings;
    siblings.Fields[0] = {QStringLiteral("PRIOR_ID"), QStringLiteral("PRIOR_ID"), {}, {}, QStringLiteral("C")};
    siblings.Fields[1] = {QStringLiteral("ORDER_ID"), QStringLiteral("ORDER_ID"), {}, {}, QStringLiteral("C")};
    siblings.Message = QStringLiteral("序号重复");
    siblings.TriggerField = QStringLiteral("PRIOR_ID");
    siblings.SelectPrefix = QStringLiteral("SELECT ARCHIVE_TYPE_ID FROM QD_ARCHIVE_TYPE_TABLE WHERE ");
    siblings.MustBeAbsent = true;
    query->CheckData = {siblings};

    PrepareTree(*m_tree);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) { NodeSelected(node); });
}

void TArchiveTypeForm::showEvent(QShowEvent* event) {
    TQDDForm::showEvent(event);
    if (!m_opened) {
        m_opened = true;
        Requery();
        m_tree->setFocus();
    }
}

void TArchiveTypeForm::Requery() {
    Query()->SetSql(QStringLiteral("SELECT  *  FROM  QD_ARCHIVE_TYPE_TABLE WHERE  ARCHIVE_TYPE_ID = ") + QuotedStr(m_key) +
                    QStringLiteral(" ORDER BY ORDER_ID"));
    Query()->Open();
    DS()->StateChanged();
}

void TArchiveTypeForm::NodeSelected(QTreeWidgetItem* node) {
    m_key = node ? TQDTreeView::KeyOf(node) : QLatin1String(RootKey);
    if (!Query()->IsEditing()) {
        Requery();
    }
}

bool TArchiveTypeForm::SelectKey(const QString& key) {
    if (key == QLatin1String(RootKey)) {
        m_tree->setCurrentItem(m_tree->Root());
        return true;
    }
    // Open the branch from the root down: each three digits is one level.
    QTreeWidgetItem* node = m_tree->Root();
    for (int length = 3; node && length <= key.size(); length += 3) {
        m_tree->LoadChildren(node);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < node->childCount(); ++i) {
            if (TQDTreeView::KeyOf(node->child(i)) == key.left(length)) next = node->child(i);
        }
        node = next;
    }
    if (!node) {
        return false;
    }
    m_tree->setCurrentItem(node);
    return true;
}

void TArchiveTypeForm::Add() {
    QTreeWidgetItem* node = m_tree->CurrentNode();
    if (!node) {
        Information(QStringLiteral("必须选择一个节点"), this);
        return;
    }
    if (TQDTreeView::LevelOf(node) >= 4) {
        Information(QStringLiteral("挡案类别只能有四级"), this);
        return;
    }
    const QString parent = TQDTreeView::KeyOf(node);
    const QString scope = QStringLiteral("PRIOR_ID = ") + QuotedStr(parent);
    TInsertData prior{QStringLiteral("PRIOR_ID"), QStringLiteral("上级类别"), {}, 0, parent, {}, QStringLiteral("A"), {}};
    TInsertData id{QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("类别编号"), scope, 3, {}, {}, QStringLiteral("C"),
                   parent == QLatin1String(RootKey) ? QString() : parent};
    TInsertData order{QStringLiteral("ORDER_ID"), QStringLiteral("序号"), scope, 0, {}, {}, QStringLiteral("C"), {}};
    TInsertData creator{QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), {}, 0, QDGlobal::CurrentUserName, {}, QStringLiteral("A"), {}};
    TInsertData created{QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), {}, 0, QDGlobal::StartDateText, {}, QStringLiteral("A"), {}};
    Query()->InsertData = {prior, id, order, creator, created};
    TQDDForm::Add();
}

void TArchiveTypeForm::EditRow() {
    QTreeWidgetItem* node = m_tree->CurrentNode();
    if (!node) {
        Information(QStringLiteral("必须选择一个节点"), this);
        return;
    }
    if (TQDTreeView::LevelOf(node) == 0) {
        return;
    }
    Query()->EditData = {{QStringLiteral("EDIT_NAME"), {}, QDGlobal::CurrentUserName},
                         {QStringLiteral("EDIT_DATE"), {}, QDGlobal::StartDateText}};
    TQDDForm::EditRow();
}

void TArchiveTypeForm::SaveRow() {
    const bool inserting = Query()->State() == TDataSetState::Insert;
    const bool editing = Query()->State() == TDataSetState::Edit;
    if (!inserting && !editing) {
        return;
    }
    TQDDForm::SaveRow();
    if (Query()->IsEditing()) {
        return;  // refused; the row stays for correction
    }
    const QString id = Query()->Text(QStringLiteral("ARCHIVE_TYPE_ID"));
    const QString name = Query()->Text(QStringLiteral("ARCHIVE_TYPE_NAME"));
    QTreeWidgetItem* node = m_tree->CurrentNode();
    if (inserting && node) {
        // A branch not read yet shows the new type when it is opened.
        if (!TQDTreeView::HasPlaceholder(node)) {
            m_tree->AddChild(node, id, name);
            node->setExpanded(true);
        }
    } else if (editing) {
        m_tree->RenameKey(id, name);
    }
    Requery();
}

void TArchiveTypeForm::DeleteRow() {
    QTreeWidgetItem* node = m_tree->CurrentNode();
    if (!node) {
        Information(QStringLiteral("必须选择一个节点"), this);
        return;
    }
    if (TQDTreeView::LevelOf(node) == 0) {
        Information(QStringLiteral("根节点不能删除"), this);
        return;
    }
    if (node->childCount() > 0) {
        Information(QStringLiteral("请先删除该挡案类别的下级档案类别"), this);
        return;
    }
    const QString id = TQDTreeView::KeyOf(node);
    if (ValueNumber(QStringLiteral("SELECT COUNT(ARCHIVE_TYPE_ID) FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_TYPE_ID = ?"), {id}) > 0) {
        Information(QStringLiteral("档案数据库中有对该档案类别的档案记录，该档案类别不能删除"), this);
        return;
    }
    if (!Query()->Active() || Query()->IsEmpty()) {
        return;
    }
    if (Query()->Delete()) {
        QTreeWidgetItem* parent = node->parent();
        m_tree->DeleteNode(node, true);
        m_tree->setCurrentItem(parent);
    }
}

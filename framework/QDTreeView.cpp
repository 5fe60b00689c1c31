#include "framework/QDTreeView.h"

#include <QHeaderView>
#include <QStyle>
#include <QtSql/QSqlQuery>

#include "data/DatabaseError.h"
#include "data/MessageBoxes.h"
#include "data/SqlHelpers.h"
#include "framework/UiHelpers.h"

namespace {
constexpr int KeyRole = Qt::UserRole;
const QString Placeholder = QStringLiteral("temp");
}  // namespace

TQDTreeView::TQDTreeView(QWidget* parent) : QTreeWidget(parent), SelectColor(ColorFromWindows(12615680)) {
    setObjectName(QStringLiteral("QDTreeView"));
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    viewport()->setCursor(Qt::PointingHandCursor);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
        LoadChildren(node);
        UpdateIcon(node);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) { UpdateIcon(node); });
}

QString TQDTreeView::KeyOf(const QTreeWidgetItem* node) { return node ? node->data(0, KeyRole).toString() : QString(); }

int TQDTreeView::LevelOf(const QTreeWidgetItem* node) {
    int level = -1;
    for (; node; node = node->parent()) ++level;
    return level;
}

bool TQDTreeView::HasPlaceholder(const QTreeWidgetItem* node) {
    return node && node->childCount() == 1 && node->child(0)->text(0) == Placeholder && KeyOf(node->child(0)).isEmpty();
}

bool TQDTreeView::BuildTree() {
    clear();
    if (RootKey.isEmpty() || RootText.isEmpty()) {
        Information(QStringLiteral("没有节点ID或没有节点名称，不能建立节点"));
        return false;
    }
    // The selected node shows on this colour with white text.
    QPalette colours = palette();
    colours.setColor(QPalette::Highlight, SelectColor);
    colours.setColor(QPalette::HighlightedText, Qt::white);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, SelectColor);
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
    setPalette(colours);
    auto* root = new QTreeWidgetItem(this, {RootText});
    root->setData(0, KeyRole, RootKey);
    AddPlaceholderIfNeeded(root);
    UpdateIcon(root);
    return true;
}

void TQDTreeView::AddPlaceholderIfNeeded(QTreeWidgetItem* node) {
    if (HasChildrenQuery.quoteMode == QLatin1String("A")) {
        new QTreeWidgetItem(node, {Placeholder});
        return;
    }
    if (HasChildrenQuery.head.isEmpty()) {
        return;
    }
    const bool quoted = HasChildrenQuery.quoteMode == QLatin1String("C");
    const double children = quoted ? ValueNumber(HasChildrenQuery.head + QStringLiteral(" ?"), {KeyOf(node)})
                                   : ValueNumber(HasChildrenQuery.head);
    if (children > 0) {
        new QTreeWidgetItem(node, {Placeholder});
    }
}

QTreeWidgetItem* TQDTreeView::AddChild(QTreeWidgetItem* parent, const QString& key, const QString& text) {
    auto* node = new QTreeWidgetItem(parent, {text});
    node->setData(0, KeyRole, key);
    UpdateIcon(node);
    UpdateIcon(parent);
    return node;
}

void TQDTreeView::LoadChildren(QTreeWidgetItem* node) {
    if (!HasPlaceholder(node)) {
        return;
    }
    if (OnExpanding) {
        OnExpanding(node);
    }
    delete node->takeChild(0);
    const bool quoted = ChildrenQuery.quoteMode == QLatin1String("C");
    QSqlQuery rows = OpenQuery(ChildrenQuery.head + (quoted ? QStringLiteral(" ?") : QString()) + QLatin1Char(' ') + ChildrenQuery.orderTail,
                               quoted ? QVariantList{KeyOf(node)} : QVariantList{});
    QList<std::pair<QString, QString>> children;
    while (rows.next()) {
        QString text = rows.value(1).toString();
        if (ChildrenQuery.width > 0) text = text.rightJustified(ChildrenQuery.width, QLatin1Char('0'));
        children.append({rows.value(0).toString(), text + ChildrenQuery.suffix});
    }
    rows.finish();
    for (const auto& [key, text] : children) {
        QTreeWidgetItem* child = AddChild(node, key, text);
        AddPlaceholderIfNeeded(child);
        UpdateIcon(child);
    }
    UpdateIcon(node);
}

void TQDTreeView::UpdateIcon(QTreeWidgetItem* node) {
    if (!node) return;
    const QStyle::StandardPixmap picture = node->childCount() == 0 ? QStyle::SP_FileIcon
                                           : node->isExpanded()     ? QStyle::SP_DirOpenIcon
                                                                    : QStyle::SP_DirClosedIcon;
    node->setIcon(0, style()->standardIcon(picture));
}

QTreeWidgetItem* TQDTreeView::FindKey(const QString& key) const {
    QTreeWidgetItemIterator it(const_cast<TQDTreeView*>(this));
    for (; *it; ++it) {
        if (KeyOf(*it) == key && !key.isEmpty()) return *it;
    }
    return nullptr;
}

void TQDTreeView::RenameKey(const QString& key, const QString& text) {
    QTreeWidgetItemIterator it(this);
    for (; *it; ++it) {
        if (KeyOf(*it) == key) (*it)->setText(0, text);
    }
}

bool TQDTreeView::DeleteNode(QTreeWidgetItem* node, bool force) {
    if (!node) return false;
    if (node->childCount() > 0 && !force) {
        Information(QStringLiteral("请先删除该节点的子节点"), this);
        return false;
    }
    QTreeWidgetItem* parent = node->parent();
    delete node;
    UpdateIcon(parent);
    return true;
}

#pragma once

#include <QColor>
#include <QTreeWidget>
#include <functional>

// A tree whose branches are read from the database when they are first
// opened. A node not yet read carries one placeholder child "temp".
class TQDTreeView : public QTreeWidget {
    Q_OBJECT
public:
    struct TChildrenQuery {
        QString head;        // the statement up to the parent's key
        QString quoteMode;   // "C": the key is compared as text; empty: the head names the parent already
        QString orderTail;   // " ORDER BY …"
        int width = 0;       // zero-padded text width, 0 for none
        QString suffix;
    };
    struct THasChildrenQuery {
        QString head;
        QString quoteMode;  // "C" as above; "A": every new node gets a placeholder without asking
    };

    explicit TQDTreeView(QWidget* parent = nullptr);

    QString RootKey;
    QString RootText;
    TChildrenQuery ChildrenQuery;
    THasChildrenQuery HasChildrenQuery;
    QColor SelectColor;
    // Runs before a node's children are read: sets the two queries for its level.
    std::function<void(QTreeWidgetItem* node)> OnExpanding;

    bool BuildTree();
    QTreeWidgetItem* Root() const { return topLevelItemCount() ? topLevelItem(0) : nullptr; }
    QTreeWidgetItem* AddChild(QTreeWidgetItem* parent, const QString& key, const QString& text);
    void RenameKey(const QString& key, const QString& text);
    void SetText(QTreeWidgetItem* node, const QString& text) { node->setText(0, text); }
    // Refused with "请先删除该节点的子节点" when the node has children, unless forced.
    bool DeleteNode(QTreeWidgetItem* node, bool force = false);
    static QString KeyOf(const QTreeWidgetItem* node);
    static QString TextOf(const QTreeWidgetItem* node) { return node ? node->text(0) : QString(); }
    static int LevelOf(const QTreeWidgetItem* node);
    static bool HasPlaceholder(const QTreeWidgetItem* node);
    QTreeWidgetItem* CurrentNode() const { return currentItem(); }
    QTreeWidgetItem* FindKey(const QString& key) const;
    // Reads the node's children now when they were not read yet.
    void LoadChildren(QTreeWidgetItem* node);

private:
    void AddPlaceholderIfNeeded(QTreeWidgetItem* node);
    void UpdateIcon(QTreeWidgetItem* node);
};

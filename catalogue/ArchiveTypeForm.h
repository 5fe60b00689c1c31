#pragma once

#include "framework/QDDForm.h"

class QTreeWidgetItem;
class TQDDBEdit;
class TQDTreeView;

// The archive type tree "档案类别录入编辑窗口": types of up to four levels
// under the root "档案类别", numbered from their parent's id.
class TArchiveTypeForm : public TQDDForm {
    Q_OBJECT
public:
    static constexpr auto RootKey = "G001";
    static inline const QString RootText = QStringLiteral("档案类别");

    explicit TArchiveTypeForm(QWidget* parent = nullptr);

    TQDTreeView* Tree() const { return m_tree; }
    TQDDBEdit* NameEdit() const { return m_name; }
    TQDDBEdit* OrderEdit() const { return m_order; }
    QString CurrentKey() const { return m_key; }
    // Selects the node of the key, reading branches as needed; false when absent.
    bool SelectKey(const QString& key);

    void Add() override;
    void EditRow() override;
    void DeleteRow() override;
    void SaveRow() override;

    // The tree queries for a node of the level about to be opened.
    static void SetTreeQueries(TQDTreeView& tree, QTreeWidgetItem* node);
    // Builds the type tree in a tree view, as both type windows show it.
    static void PrepareTree(TQDTreeView& tree);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void NodeSelected(QTreeWidgetItem* node);
    void Requery();

    TQDTreeView* m_tree;
    TQDDBEdit* m_name;
    TQDDBEdit* m_order;
    QString m_key = QLatin1String(RootKey);
    bool m_opened = false;
};

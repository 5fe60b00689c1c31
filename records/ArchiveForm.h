#pragma once

#include <QPointer>
#include <functional>

#include "framework/QDDForm.h"

class QLabel;
class QPushButton;
class QTreeWidgetItem;
class TFindFormDialog;
class TQDNDBGrid;
class TQDTreeView;
class TSelectArchivesTypeForm;

// The volume register "档案资料录入编辑窗口": the type tree, the volumes of
// the selected type and its sub-types, and the volume editor behind it.
class TArchiveForm : public TQDDForm {
    Q_OBJECT
public:
    explicit TArchiveForm(QWidget* parent = nullptr);
    ~TArchiveForm() override;

    TQDTreeView* Tree() const { return m_tree; }
    TQDNDBGrid* Grid() const { return m_grid; }
    QLabel* ConditionLabel() const { return m_condition; }
    QPushButton* BottomButton(int index) const { return m_bottom.value(index); }
    QString CurrentTypeId() const { return m_typeId; }
    TSelectArchivesTypeForm* TypeChooser();

    // Opened with a ready search (the start-up date reminder): no dialog.
    void SetPreset(const QString& condition, const QString& caption);
    // Rebuilds the list for the current type, search and order.
    void BuildList(bool force = false);

    void Add() override;
    void EditRow() override;
    void DeleteRow() override;
    void Find() override;
    void Batch();
    void Move();
    // "设 置": the field definitions or the date reminder.
    void Settings();

    // The buttons under the list, in their order.
    enum TBottomButton { ItemsButton = 0, FilesButton, PicturesButton, LendingsButton };
    // Opens the button's window for the current volume and returns it (the
    // button stays off while it is open); a button without one stays off.
    using TOpener = std::function<QWidget*(const QString& archiveRecordId)>;
    void SetOpener(TBottomButton button, TOpener open);
    void OpenBottom(TBottomButton button);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void NodeSelected(QTreeWidgetItem* node);
    bool TreeReady();
    void OpenEditor(int start);
    void ChooseOrder();
    // A click on a column header orders the list by it; again reverses.
    void OrderByColumn(int column);
    void UpdateButtons();
    // Keys of every listed volume, first row first.
    QStringList ListedIds();
    // "操作选择" with the first preselected: 1-based, 0 when cancelled.
    int ChooseOperation(const QStringList& operations);
    bool BatchMove();
    bool BatchDelete();
    // The definitions changed: checks, columns, everyone's grid layout, list.
    void FieldsChanged();
    void LookupSearchValue(QString& shown, QString& value, const QString& field);

    TQDTreeView* m_tree;
    TQDNDBGrid* m_grid;
    QLabel* m_condition;
    QList<QPushButton*> m_bottom;
    QList<TOpener> m_openers{{}, {}, {}, {}};
    QList<QPointer<QWidget>> m_windows{{}, {}, {}, {}};
    TFindFormDialog* m_find;
    QPointer<TSelectArchivesTypeForm> m_chooser;
    QString m_typeId = QStringLiteral("G001");
    QString m_typeName;
    QString m_lastListed;
    QString m_search;
    QString m_caption;
    QString m_order;
    QString m_orderCaption;
    bool m_autoNumbering = false;
    bool m_hasPreset = false;
    bool m_opened = false;
    bool m_listed = false;
};

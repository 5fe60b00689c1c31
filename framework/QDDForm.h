#pragma once

#include <QHash>

#include "data/QDQuery.h"
#include "data/QueryView.h"
#include "framework/QDBaseForm.h"

class QAction;
class QToolBar;
class QVBoxLayout;
class TQDDataSource;

// A window over one dataset with the record tool bar: add, edit, delete,
// save, cancel, find, navigation, 确认, print and close on F5 … F12.
class TQDDForm : public TQDBaseForm, public TQDQueryView {
    Q_OBJECT
public:
    explicit TQDDForm(QWidget* parent = nullptr);

    TQDQuery* Query() const { return m_query; }
    TQDDataSource* DS() const { return m_ds; }
    QWidget* Panel1() const { return m_panel; }
    QToolBar* ToolBar() const { return m_toolBar; }
    // The tool-bar button of that objectName (button_add, button_save …).
    QAction* ToolButton(const QString& name) const { return m_actions.value(name); }

    bool IsAdding = false;
    bool IsEditing = false;
    bool IsChecked = false;

    // Record actions; derived windows call them from their own handlers.
    virtual void Add();
    virtual void EditRow();
    virtual void DeleteRow();
    virtual void SaveRow();
    virtual void CancelRow();
    virtual void Check();
    virtual void Find() {}
    virtual void Print() {}
    void First();
    void Prior();
    void Next();
    void Last();

    // The query's view of the window.
    void SetGridsEnabled(bool enabled) override;
    void FocusActiveControl(const QString& controlName, unsigned color) override;
    void FocusField(const QString& fieldName, QObject* editControl) override;
    QString ControlText(QObject* editControl) const override;
    void RefreshFooters() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QAction* AddButton(const char* name, const QString& caption, Qt::Key key, bool visible, bool enabled);

    TQDQuery* m_query;
    TQDDataSource* m_ds;
    QToolBar* m_toolBar;
    QWidget* m_panel;
    QHash<QString, QAction*> m_actions;
    bool m_prepared = false;
};

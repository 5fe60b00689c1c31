#pragma once

#include <QHash>

#include "framework/QDBaseForm.h"

class QAction;
class QToolBar;

// A window with the record tool bar: add, edit, delete, save, cancel, find,
// navigation, 补充, 确认, print and close, the F5 … F12 keys acting only while
// their button is enabled.
class TQDAppForm : public TQDBaseForm {
    Q_OBJECT
public:
    explicit TQDAppForm(QWidget* parent = nullptr);

    QToolBar* ToolBar() const { return m_toolBar; }
    QWidget* Panel1() const { return m_panel; }
    // The tool-bar button of that objectName (button_add, button_save …).
    QAction* ToolButton(const QString& name) const { return m_actions.value(name); }

    bool IsChecked = false;

    virtual void Add() {}
    virtual void EditRow() {}
    virtual void DeleteRow() {}
    virtual void SaveRow() {}
    virtual void CancelRow() {}
    virtual void Check() { IsChecked = true; }
    virtual void Find() {}
    virtual void Print() {}
    virtual void First() {}
    virtual void Prior() {}
    virtual void Next() {}
    virtual void Last() {}
    virtual void Other() {}

protected:
    void showEvent(QShowEvent* event) override;
    // A further tool-bar button of a derived window, with its key.
    QAction* AddButton(const char* name, const QString& caption, Qt::Key key, bool visible, bool enabled);

private:
    QToolBar* m_toolBar;
    QWidget* m_panel;
    QHash<QString, QAction*> m_actions;
};

#pragma once

#include <QDialog>
#include <QHash>

#include "data/QDQuery.h"
#include "data/QueryView.h"
#include "framework/RightsBlock.h"

class QPushButton;
class QVBoxLayout;
class TQDChild;
class TQDDataSource;
class TQDNDBGrid;

// The modal pick-and-maintain list: its own dataset and grid, the record
// buttons and 确定 / 关闭. Hidden, not freed, on close, so the opener can read
// the chosen row.
class TQDAppPopForm : public QDialog, public TQDQueryView, public TQDRightsBlock {
    Q_OBJECT
public:
    explicit TQDAppPopForm(QWidget* parent = nullptr);

    TQDQuery* Query() const { return m_query; }
    TQDDataSource* DS() const { return m_ds; }
    TQDNDBGrid* DBGrid() const { return m_grid; }
    QWidget* Panel3() const { return m_top; }
    QPushButton* Button(const QString& name) const { return m_buttons.value(name); }

    virtual void Add();
    virtual void EditRow();
    virtual void DeleteRow();
    virtual void SaveRow();
    virtual void CancelRow();
    virtual void Find() {}
    virtual void Print() {}
    virtual void Confirm();

    void SetGridsEnabled(bool enabled) override;
    void FocusField(const QString& fieldName, QObject* editControl) override;
    void RefreshFooters() override;

protected:
    // What closing over a row being added or changed says, by every way of
    // closing (关闭, Esc, the window's close button).
    virtual QString CloseRefusal() const;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QPushButton* AddButton(const char* name, const QString& caption, bool enabled);

    TQDQuery* m_query;
    TQDDataSource* m_ds;
    TQDNDBGrid* m_grid;
    QWidget* m_top;
    TQDChild* m_child;
    QHash<QString, QPushButton*> m_buttons;
};

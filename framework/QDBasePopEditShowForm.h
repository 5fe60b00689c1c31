#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>

#include "data/QDQuery.h"
#include "data/QueryView.h"
#include "framework/RightsBlock.h"

class QPushButton;
class TQDChild;
class TQDDataSource;

// The modal record editor: it edits a dataset its caller hands in, with the
// record buttons, navigation and 确定 / 关闭. Hidden, not freed, on close.
class TQDBasePopEditShowForm : public QDialog, public TQDQueryView, public TQDRightsBlock {
    Q_OBJECT
public:
    explicit TQDBasePopEditShowForm(QWidget* parent = nullptr);

    // The caller's dataset; bound when the editor shows.
    void SetDataSet(TQDQuery* dataSet) { m_dataSet = dataSet; }
    TQDQuery* DataSet() const { return m_dataSet; }
    TQDDataSource* DS() const { return m_ds; }
    QWidget* Panel1() const { return m_panel; }
    QPushButton* Button(const QString& name) const { return m_buttons.value(name); }

    virtual void Add();
    virtual void EditRow();
    virtual void DeleteRow();
    virtual void SaveRow();
    virtual void CancelRow();
    virtual void Print() {}
    virtual void Confirm();
    void First();
    void Prior();
    void Next();
    void Last();

    void FocusField(const QString& fieldName, QObject* editControl) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool Navigable() const { return m_dataSet && m_dataSet->Active() && !m_dataSet->IsEmpty(); }

    QPointer<TQDQuery> m_dataSet;
    TQDQueryView* m_callerView = nullptr;
    TQDDataSource* m_ds;
    QWidget* m_panel;
    TQDChild* m_child;
    QHash<QString, QPushButton*> m_buttons;
};

#pragma once

#include "data/QDQuery.h"
#include "data/QueryView.h"
#include "framework/QDAppForm.h"

class TQDDataSource;

// A tool-bar window over one dataset, Query, with its data source DS.
class TQDDForm : public TQDAppForm, public TQDQueryView {
    Q_OBJECT
public:
    explicit TQDDForm(QWidget* parent = nullptr);

    TQDQuery* Query() const { return m_query; }
    TQDDataSource* DS() const { return m_ds; }

    bool IsAdding = false;
    bool IsEditing = false;

    void Add() override;
    void EditRow() override;
    void DeleteRow() override;
    void SaveRow() override;
    void CancelRow() override;
    void Check() override;
    void First() override;
    void Prior() override;
    void Next() override;
    void Last() override;

    // The query's view of the window.
    void SetGridsEnabled(bool enabled) override;
    void FocusActiveControl(const QString& controlName, unsigned color) override;
    void FocusField(const QString& fieldName, QObject* editControl) override;
    QString ControlText(QObject* editControl) const override;
    void RefreshFooters() override;

protected:
    void showEvent(QShowEvent* event) override;
    // For a window whose printing is not there yet: the print button stays
    // off whatever the rights and the list's state.
    void KeepPrintOff();

private:
    TQDQuery* m_query;
    TQDDataSource* m_ds;
    bool m_prepared = false;
    bool m_printOff = false;
};

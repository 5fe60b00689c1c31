#pragma once

#include "framework/QDDForm.h"

class TFindFormDialog;
class TQDDBEdit;
class TQDNDBGrid;

// The organisation's details "单位资料编辑窗口": the one row of SYS_COMPANY_TABLE.
class TCompanyForm : public TQDDForm {
    Q_OBJECT
public:
    explicit TCompanyForm(QWidget* parent = nullptr);

    TQDNDBGrid* Grid() const { return m_grid; }
    TQDDBEdit* NameEdit() const { return m_name; }

    void Add() override;
    void SaveRow() override;
    void Find() override;
    TFindFormDialog* FindDialog() const { return m_find; }

signals:
    // The organisation's name changed; the main window retitles itself.
    void CompanyRenamed(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TQDNDBGrid* m_grid;
    TQDDBEdit* m_name;
    TFindFormDialog* m_find;
    bool m_opened = false;
};

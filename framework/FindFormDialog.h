#pragma once

#include <QObject>
#include <memory>

#include "framework/QDFindForm.h"

// The search component a window owns: it creates its search window once and
// keeps it, so the conditions stay between openings.
class TFindFormDialog : public QObject {
    Q_OBJECT
public:
    explicit TFindFormDialog(QObject* parent = nullptr, bool simple = false);
    ~TFindFormDialog() override;

    TQDFindForm* Form() const { return m_form.get(); }
    void SetDescriptors(const TFieldsDataArray& descriptors) { m_form->SetDescriptors(descriptors); }
    // Runs the window; true when the user confirmed.
    bool Execute();
    QStringList Fragments() const { return m_form->Fragments(); }
    // "(" + the fragments + ")", or empty for all data.
    QString Condition() const;
    QString DisplayText() const { return m_form->DisplayText(); }
    bool AllData() const { return m_form->AllData(); }
    void Clear() { m_form->ClearConditions(); }

private:
    std::unique_ptr<TQDFindForm> m_form;
};

// The same for the one-condition window.
class TFindSimpleFormDialog : public TFindFormDialog {
    Q_OBJECT
public:
    explicit TFindSimpleFormDialog(QObject* parent = nullptr) : TFindFormDialog(parent, true) {}
    QString Fragment() const { return Fragments().value(0); }
};

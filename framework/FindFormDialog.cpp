#include "framework/FindFormDialog.h"

#include "framework/ModalSeam.h"

TFindFormDialog::TFindFormDialog(QObject* parent, bool simple) : QObject(parent) {
    if (simple) {
        m_form = std::make_unique<TQDFindSimpleForm>();
    } else {
        m_form = std::make_unique<TQDFindForm>();
    }
}

TFindFormDialog::~TFindFormDialog() = default;

bool TFindFormDialog::Execute() { return TModalSeam::Exec(*m_form) == QDialog::Accepted; }

QString TFindFormDialog::Condition() const {
    if (m_form->AllData() || m_form->Fragments().isEmpty()) {
        return {};
    }
    return QLatin1Char('(') + m_form->Fragments().join(QString()) + QLatin1Char(')');
}

#include "framework/RightsBlock.h"

#include <QWidget>

#include "data/QDGlobal.h"
#include "framework/QDChild.h"

void TQDRightsBlock::HandRights(const TRights& rights) {
    Rights = rights;
    m_handed = true;
}

TRights TQDRightsBlock::BrowseOnly(const TRights& rights) {
    TRights reduced = rights;
    for (TRightIndex index : {AddRight, EditRight, DeleteRight, PrintRight, VerifyRight}) {
        reduced[index] = false;
    }
    return reduced;
}

bool TQDRightsBlock::ResolveRights(const QWidget* self) {
    if (!ComposeName.isEmpty() && !ProgramName.isEmpty()) {
        Rights = TQDChild::CheckRights(ComposeName, ProgramName, QDGlobal::CurrentUserId);
        return true;
    }
    if (m_handed || !self) {
        return false;
    }
    for (const QWidget* opener = self->parentWidget(); opener; opener = opener->parentWidget()) {
        if (const auto* block = dynamic_cast<const TQDRightsBlock*>(opener)) {
            Rights = block->Rights;
            return false;
        }
    }
    return false;
}

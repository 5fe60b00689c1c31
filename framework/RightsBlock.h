#pragma once

#include <QString>

#include "data/Rights.h"

class QWidget;

// The rights block every function window carries. A window that names its
// function looks its rights up; one that names none (the pop-up editors and
// lists) runs with the rights of the window that opened it, so a register's
// editor can do exactly what the register can, and a browse-only opener passes
// browse-only on. An opener that wants its pop-up to have less hands the
// reduced rights in.
class TQDRightsBlock {
public:
    virtual ~TQDRightsBlock() = default;

    QString ComposeName;
    QString ProgramName;
    TRights Rights{};

    // Rights the opener decided on; they win over the inherited ones.
    void HandRights(const TRights& rights);
    bool RightsHanded() const { return m_handed; }

    // The same rights without add, edit, delete, print and 确认.
    static TRights BrowseOnly(const TRights& rights);

protected:
    // Fills Rights on show: the function's own rights when both names are
    // set (true), otherwise the handed-in rights or the nearest opener's.
    bool ResolveRights(const QWidget* self);

private:
    bool m_handed = false;
};

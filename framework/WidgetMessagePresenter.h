#pragma once

#include "data/MessageBoxes.h"

// Shows messages as modal, topmost message boxes owned by the given window, else
// by the active window (brought forward first), else by no window.
class TWidgetMessagePresenter final : public TMessagePresenter {
public:
    bool Show(TMessageKind kind, const QString& title, const QString& text, QObject* owner) override;
};

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// What a query needs from the window around it: grids to disable while a row
// is edited, controls to focus and colour, the text still in an edit control,
// the user's column order. The form framework implements it; the query itself
// draws nothing.
class TQDQueryView {
public:
    virtual ~TQDQueryView() = default;
    virtual void SetGridsEnabled(bool enabled) {}
    virtual void FocusActiveControl(const QString& controlName, unsigned color) {}
    virtual void FocusField(const QString& fieldName, QObject* editControl) {}
    virtual QString ControlText(QObject* editControl) const { return {}; }
    virtual void LayoutForgotten() {}
    virtual void RefreshFooters() {}
};

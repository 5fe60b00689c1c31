#pragma once

#include <QString>

class TQDDataSource;

// The one contract every data-aware control keeps: it shows one column of the
// current row, writes what the user typed back into it, can be made read-only,
// and says when what it holds cannot be stored.
class TQDDataAware {
public:
    virtual ~TQDDataAware() = default;
    virtual QString DataField() const = 0;
    virtual TQDDataSource* DataSource() const = 0;
    // Shows the column's value of the current row (or of the row being edited).
    virtual void LoadFromField() = 0;
    // Writes the control's text into the column; false when it was refused.
    virtual bool StoreToField() = 0;
    virtual void SetDataReadOnly(bool readOnly) = 0;
    virtual bool IsInvalid() const = 0;
};

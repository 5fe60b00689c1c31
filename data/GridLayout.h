#pragma once

#include <QList>
#include <QString>

#include "data/QueryRules.h"

// One user's column widths (and for ordered grids the column order) of one
// grid of one window, kept in a layout table and tracked while the window is
// open. Widths are pixels; they are compared in characters (pixels × 0.16).
class TGridLayout {
public:
    struct TColumn {
        QString name;
        int width = 0;
        int loadedWidth = 0;
        int position = 0;
        int loadedPosition = 0;
        bool loaded = false;  // false: seen only in this window, so counted as changed
    };

    QString Table;
    QString FormName;
    QString GridName;
    QString UserId;
    bool Ordered = false;

    static int Characters(int pixels);
    static int Pixels(int characters);

    bool HasIdentity() const { return !FormName.isEmpty() && !Table.isEmpty(); }
    const QList<TColumn>& Columns() const { return m_columns; }
    bool IsTracking() const { return !m_columns.isEmpty(); }
    bool IsReset() const { return m_reset; }
    const TColumn* Find(const QString& name) const;

    // Reads the stored rows; false when the statement failed.
    bool Read(bool byPosition);
    // Saved widths into the descriptors: narrow columns hidden (their row
    // deleted) unless they carry a sum or count footer; columns without a row
    // hidden when the user has saved any. Returns the names in saved order.
    QStringList ApplyToDescriptors(TFieldsDataArray& descriptors);
    // A column's width or place as the grid now shows it.
    void Track(const QString& name, int width, int position);
    // Writes what changed; nothing after a reset or with one column or less.
    void Save();
    void Forget() { m_columns.clear(); }

    // Messages: "是否恢复默认显示设置", "请关闭窗口后再重新打开", errors.
    bool RestoreDefault();
    bool ResetForAllUsers();
    bool HideColumn(const QString& name);

private:
    QList<TColumn> m_columns;
    bool m_reset = false;
};

#pragma once

#include <QDate>
#include <QString>

// The archive-date reminder of the start-up: how many volumes reached the
// watched date column's reminder day, and the search the register opens with
// when the user wants to see them.
struct TDateReminder {
    QString Label;        // the column's display name
    qlonglong Count = 0;  // volumes at or past the cut-off
    QString Condition;    // the register's search condition
    QString Description;  // the register's search caption

    // Empty label when no reminder is due: no watched column, a column
    // without a definition, or no volume old enough.
    static TDateReminder Check(const QString& field, int days, const QDate& today);
    QString Question() const;
};

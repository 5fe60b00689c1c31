#pragma once

#include <QDate>
#include <QString>

#include "data/SqlType.h"

// Every piece of statement text that differs between database editions comes
// from here. A further edition is one more branch in each function.
class TDialect {
public:
    // Part of a text column, 1-based start.
    static QString SubString(TSqlType type, const QString& column, int start, int length);
    // Statement that reads the server clock for time-stamp identifiers; empty
    // when the local clock is used.
    static QString TimeStampClockStatement(TSqlType type);
    // Statement that reads today's date from the server; empty for the local clock.
    static QString TodayStatement(TSqlType type);
    // A date as a literal of statement text, quotes included.
    static QString DateLiteral(TSqlType type, const QDate& date);
    static QString YearOf(TSqlType type, const QString& column);
    static QString MonthOf(TSqlType type, const QString& column);
    static QString DayOf(TSqlType type, const QString& column);
    // A number column whose empty values count as 0 (only the server needs it).
    static QString NullAsZero(TSqlType type, const QString& column);
    // Condition selecting an archive type and all types below it; empty for an
    // empty prefix. Starts with a blank, as callers append it to "WHERE"/"AND".
    static QString ArchiveTypeCondition(TSqlType type, const QString& prefix, const QString& alias = {});
    // The text-comparison form of the type condition, as the other editions
    // write it; the local engine's form above must select the same rows.
    static QString ArchiveTypeConditionBySubString(TSqlType type, const QString& prefix,
                                                   const QString& alias = {});
    // Length of the type id prefix compared by the type condition.
    static int ArchiveTypePrefixLength(const QString& prefix);
};

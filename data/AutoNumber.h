#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantList>

#include "data/QueryRules.h"
#include "data/SqlType.h"

// Statements and arithmetic of automatic values: running numbers (plain, per
// year, month or day, with a prefix and a scope) and time stamps.
class TAutoNumber {
public:
    // The characters of the date part for a kind: "" (C), year (Y), period
    // (M), day (D). period is "YYYYMM", day "YYYYMMDD".
    static QString DatePart(const QString& kind, const QString& period, const QString& day);
    // Width of the running part: L for C, L - 4, L - 6, L - 8 for Y, M, D.
    static int SequenceWidth(const QString& kind, int length);

    // The statement reading the largest existing value, as every edition writes it.
    static QString MaximumStatement(TSqlType type, const TInsertData& rule, const QString& table,
                                    const QString& datePart);

    // The same answer read from an index: the largest value of the column
    // among the rows that start with prefix + date part, cut to the running
    // part. Empty when this form does not apply (then use MaximumStatement).
    static QString IndexedMaximumStatement(const TInsertData& rule, const QString& table, const QString& datePart,
                                           QVariantList* values);

    // Next number after the largest value: its first w characters (zero-filled
    // on the right) plus one, zero-padded to w; width 0 the plain number plus one.
    static QString NextNumber(const QString& maximum, int width);

    static QString TimeStamp(const QDateTime& moment);
};

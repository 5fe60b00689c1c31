#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class TQDQuery;

// The rule records a window hands to its query: column descriptors, checks
// against other tables, and automatic values. Plain data; members in the order
// the windows fill them.

struct TFieldsData {
    QString FieldName;
    QString DisplayLabel;
    int DisplayWidth = 0;  // > 0 sets the width; -1 shown with width 0; -2 hidden
    bool DigitCells = false;
    int DigitCellCount = 0;
    QString FooterField;
    QString FooterKind;  // "@Sum", "@Count", a fixed text, or empty
    QString FooterFormat;
    QString Decimals;
    QString RoundMode;
    QString Kind;  // "N" number, "D" date, "C" text
    QString SearchText;
    QString TablePrefix;
    QString SearchKind;
    QString LookupTable;
    QString LookupColumn;
    QString LookupKey;
    bool Required = false;
    QPointer<QObject> EditControl;
    bool Visible = true;
};
using TFieldsDataArray = QList<TFieldsData>;

struct TCheckFieldsData {
    QString FieldName;    // column of the query
    QString CheckColumn;  // column of the checked table
    QString SavedValue;   // value when editing began
    QString FixedValue;   // used instead of the row's value when set
    QString ValueKind;    // "N", "C" or "D"
};

struct TCheckData {
    static constexpr int FieldCount = 11;
    TCheckFieldsData Fields[FieldCount];
    QString Message;
    QString FillFields;     // comma-separated columns filled from the found row
    QString TriggerField;   // the check applies only when the query has this column
    QString ExtraCondition; // appended to the condition (program text, values quoted)
    bool CheckInBatch = false;
    QString SelectPrefix;   // "SELECT … WHERE "
    bool MustBeAbsent = false;
    bool SkipIfEmpty = false;
    bool AskOnly = false;
    bool NoRegenerate = false;
};
using TCheckDataArray = QList<TCheckData>;

struct TInsertData {
    QString FieldName;
    QString FieldCaption;
    QString Condition;
    int Length = 0;
    QString Value;
    QPointer<TQDQuery> SourceDataSet;
    QString Kind;  // A, L, B, T, C, Y, M, D (any case)
    QString Prefix;
};
using TInsertDataArray = QList<TInsertData>;

struct TEditData {
    QString FieldName;
    QString Caption;
    QString Value;
};
using TEditDataArray = QList<TEditData>;

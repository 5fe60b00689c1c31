#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

#include "data/QueryRules.h"
#include "data/SqlType.h"

// What the user gave for one search condition.
struct TSearchValue {
    QString text;         // typed or picked value
    QString year, month;  // kind "Y"
    // From the owner's pick window: what it showed and what it returned.
    QString chosenText;
    QString chosenValue;
    bool chosen = false;
};

// Turns one search choice into condition text in a database's dialect. Values
// are always quoted or checked to be numbers: nothing typed reaches the
// statement as it was typed.
class TSearchCondition {
public:
    struct TResult {
        QString sql;
        QString displayValue;
        QString error;  // the message to show; empty on success
        bool Ok() const { return error.isEmpty(); }
    };

    // (SQL token, shown text), in the order the operator list offers them.
    static const QList<std::pair<QString, QString>>& Operators();
    static QString OperatorText(const QString& token);
    // Whether "相似" is offered for the descriptor.
    static bool OffersLike(const TFieldsData& field);
    // Kinds whose operator is fixed to "等于".
    static bool FixedOperator(const QString& searchKind);

    static TResult Build(TSqlType type, const TFieldsData& field, const QString& op, const TSearchValue& value);

    // The text edit's cleaning: full-width "；" twice, then "?", then ";" three times.
    static QString CleanTypedText(const QString& text);

private:
    static QString Column(const TFieldsData& field, const QString& column);
    static QString Literal(const QString& value, bool quote);
};

// The conditions of the multi-condition search window, joined with and / or.
class TSearchConditionList {
public:
    enum class TLogic { None, And, Or };

    // Adds a built condition; the message when the logic word is missing.
    QString Add(const QString& fragment, const QString& display, TLogic logic);
    void Remove(int index);
    void Clear();
    bool IsEmpty() const { return m_fragments.isEmpty(); }
    const QStringList& Fragments() const { return m_fragments; }
    const QStringList& DisplayLines() const { return m_display; }
    // The fragments for the statement, the first without its connective; the
    // message when there are none.
    QString Confirm(QStringList* fragments) const;
    QString DisplayText() const { return m_display.join(QString()); }

private:
    QStringList m_fragments;
    QStringList m_display;
};

#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// The insert, modify and delete statements a query writes its rows with.
// Parameters are :NAME for the row's new value and :OLD_NAME for the value the
// row had when editing began; they are always bound, never pasted in.
class TQDUpdateSql {
public:
    QString InsertSQL;
    QString ModifySQL;
    QString DeleteSQL;

    bool IsEmpty() const { return InsertSQL.isEmpty() && ModifySQL.isEmpty() && DeleteSQL.isEmpty(); }

    // Columns of the conditions "COLUMN = :OLD_COLUMN" of the modify statement,
    // which locate the row being written.
    QStringList KeyColumns() const;

    // The statement with every :NAME replaced by a positional placeholder, and
    // the parameter names in order.
    static QString Prepare(const QString& statement, QStringList* names);

    // Replaces the table named after INSERT INTO / UPDATE / DELETE FROM.
    static QString WithTable(const QString& statement, const QString& table);

    // Statements writing every column of a table, keyed by its key columns.
    static TQDUpdateSql ForTable(const QString& table);
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class TFieldKind { Text, Date, Float, Integer, Blob };

struct TColumnDef {
    QString name;
    TFieldKind kind = TFieldKind::Text;
    int width = 0;  // bytes in GBK for text columns, 0 otherwise
    bool key = false;
};

struct TTableDef {
    QString name;
    QList<TColumnDef> columns;
    QList<QStringList> indexes;  // each index lists its columns

    const TColumnDef* Column(const QString& name) const;
    QStringList KeyColumns() const;
};

// The one description of every table: the source of the CREATE statements, of
// the field kinds datasets give their fields, and of the width checks on input.
// The engine stores values loosely typed, so types are always taken from here.
class TSchemaCatalogue {
public:
    static const QList<TTableDef>& Tables();
    static const TTableDef* Table(const QString& name);
    static const TColumnDef* Column(const QString& table, const QString& column);

    static QString CreateTableStatement(const TTableDef& table);
    static QStringList CreateIndexStatements(const TTableDef& table);

    // Length of a text as the code page stores it (a Chinese character is 2 bytes);
    // nullopt when the code page cannot hold one of its characters.
    static std::optional<int> GbkLength(const QString& text);
    // Empty when the value fits the column, else the reason it does not,
    // naming the field by its label (the column name without one). Every
    // writer of typed text checks through here, so what one window stores the
    // others can read and save again.
    static QString WidthProblem(const TColumnDef& column, const QString& value, const QString& label = {});
    static QString TextProblem(const QString& label, const QString& value, int width);
};

#include "data/UpdateSql.h"

#include <QRegularExpression>

#include "data/SchemaCatalogue.h"

QStringList TQDUpdateSql::KeyColumns() const {
    static const QRegularExpression term(
        QStringLiteral("([A-Za-z_][A-Za-z0-9_.]*)\\s*=\\s*:OLD_([A-Za-z_][A-Za-z0-9_]*)"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList columns;
    auto it = term.globalMatch(ModifySQL);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        QString column = match.captured(1);
        if (const qsizetype dot = column.lastIndexOf(QLatin1Char('.')); dot >= 0) {
            column = column.mid(dot + 1);
        }
        if (!columns.contains(column, Qt::CaseInsensitive)) {
            columns.append(column);
        }
    }
    return columns;
}

QString TQDUpdateSql::Prepare(const QString& statement, QStringList* names) {
    QString result;
    result.reserve(statement.size());
    bool inQuote = false;
    for (qsizetype i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('\'')) {
            inQuote = !inQuote;
            result += c;
            continue;
        }
        if (!inQuote && c == QLatin1Char(':') && i + 1 < statement.size() &&
            (statement.at(i + 1).isLetter() || statement.at(i + 1) == QLatin1Char('_'))) {
            qsizetype end = i + 1;
            while (end < statement.size() && (statement.at(end).isLetterOrNumber() || statement.at(end) == QLatin1Char('_'))) {
                ++end;
            }
            names->append(statement.mid(i + 1, end - i - 1));
            result += QLatin1Char('?');
            i = end - 1;
            continue;
        }
        result += c;
    }
    return result;
}

QString TQDUpdateSql::WithTable(const QString& statement, const QString& table) {
    static const QRegularExpression head(QStringLiteral("^(\\s*(?:INSERT\\s+INTO|UPDATE|DELETE\\s+FROM)\\s+)([A-Za-z_][A-Za-z0-9_]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString result = statement;
    const QRegularExpressionMatch match = head.match(statement);
    if (match.hasMatch() && !table.isEmpty()) {
        result.replace(match.capturedStart(2), match.capturedLength(2), table);
    }
    return result;
}

TQDUpdateSql TQDUpdateSql::ForTable(const QString& table) {
    TQDUpdateSql sql;
    const TTableDef* def = TSchemaCatalogue::Table(table);
    if (!def) {
        return sql;
    }
    QStringList columns, values, sets, keys;
    for (const TColumnDef& column : def->columns) {
        columns.append(column.name);
        values.append(QLatin1Char(':') + column.name);
        sets.append(QStringLiteral("  ") + column.name + QStringLiteral(" = :") + column.name);
        if (column.key) {
            keys.append(QStringLiteral("  ") + column.name + QStringLiteral(" = :OLD_") + column.name);
        }
    }
    sql.InsertSQL = QStringLiteral("INSERT INTO ") + def->name + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                    QStringLiteral(") VALUES (") + values.join(QStringLiteral(", ")) + QLatin1Char(')');
    sql.ModifySQL = QStringLiteral("UPDATE ") + def->name + QStringLiteral(" SET\n") + sets.join(QStringLiteral(",\n")) +
                    QStringLiteral("\nwhere\n") + keys.join(QStringLiteral(" and\n"));
    sql.DeleteSQL = QStringLiteral("DELETE FROM ") + def->name + QStringLiteral("\nwhere\n") + keys.join(QStringLiteral(" and\n"));
    return sql;
}

#include "data/AutoNumber.h"

#include "data/Dialect.h"
#include "data/SqlHelpers.h"

QString TAutoNumber::DatePart(const QString& kind, const QString& period, const QString& day) {
    const QString k = kind.toUpper();
    if (k == QLatin1String("Y")) return period.left(4);
    if (k == QLatin1String("M")) return period;
    if (k == QLatin1String("D")) return day;
    return {};
}

int TAutoNumber::SequenceWidth(const QString& kind, int length) {
    const QString k = kind.toUpper();
    if (k == QLatin1String("Y")) return length - 4;
    if (k == QLatin1String("M")) return length - 6;
    if (k == QLatin1String("D")) return length - 8;
    return length;
}

QString TAutoNumber::MaximumStatement(TSqlType type, const TInsertData& rule, const QString& table,
                                      const QString& datePart) {
    const QString& column = rule.FieldName;
    const int p = static_cast<int>(rule.Prefix.size());
    const int d = static_cast<int>(datePart.size());
    QString statement;
    if (rule.Kind.toUpper() == QLatin1String("C") && rule.Length == 0) {
        statement = QStringLiteral("SELECT MAX(") + column + QStringLiteral(") From ") + table;
    } else {
        statement = QStringLiteral("SELECT MAX(") + TDialect::SubString(type, column, p + d + 1, rule.Length) +
                    QStringLiteral(") From ") + table;
        if (d == 0 && p > 0) {
            statement += QStringLiteral(" WHERE ") + TDialect::SubString(type, column, 1, p) + QStringLiteral(" = ") +
                         QuotedStr(rule.Prefix);
        } else if (d > 0) {
            statement += QStringLiteral(" WHERE ") + TDialect::SubString(type, column, p + 1, d) + QStringLiteral("= ") +
                         QuotedStr(datePart);
            if (p > 0) {
                statement += QStringLiteral(" AND  ") + TDialect::SubString(type, column, 1, p) + QStringLiteral(" = ") +
                             QuotedStr(rule.Prefix);
            }
        }
    }
    if (!rule.Condition.isEmpty()) {
        statement += (statement.contains(QLatin1String("WHERE"), Qt::CaseInsensitive) ? QStringLiteral(" AND ")
                                                                                      : QStringLiteral(" WHERE ")) +
                     rule.Condition;
    }
    return statement;
}

QString TAutoNumber::IndexedMaximumStatement(const TInsertData& rule, const QString& table, const QString& datePart,
                                             QVariantList* values) {
    if (rule.Kind.toUpper() == QLatin1String("C") && rule.Length == 0) {
        return {};
    }
    const QString& column = rule.FieldName;
    const QString start = rule.Prefix + datePart;
    const int from = static_cast<int>(start.size()) + 1;
    QString statement = QStringLiteral("SELECT SUBSTR(%1,%2,%3) FROM %4 WHERE ")
                            .arg(column)
                            .arg(from)
                            .arg(rule.Length)
                            .arg(table);
    if (start.isEmpty()) {
        statement += column + QStringLiteral(" IS NOT NULL");
    } else {
        // Every value that starts with the prefix and date lies in [start, upper).
        const QChar last = start.back();
        if (last.unicode() >= 0x7E) {
            return {};
        }
        QString upper = start;
        upper.back() = QChar(last.unicode() + 1);
        statement += column + QStringLiteral(" >= ? AND ") + column + QStringLiteral(" < ?");
        values->append(start);
        values->append(upper);
    }
    if (!rule.Condition.isEmpty()) {
        statement += QStringLiteral(" AND (") + rule.Condition + QLatin1Char(')');
    }
    // The running part sits at a fixed place after a common start, so the
    // largest cut-off value is the cut-off of the largest value.
    statement += QStringLiteral(" ORDER BY ") + column + QStringLiteral(" DESC LIMIT 1");
    return statement;
}

QString TAutoNumber::NextNumber(const QString& maximum, int width) {
    const QString zeros = QStringLiteral("000000000");
    if (width <= 0) {
        return QString::number(static_cast<qlonglong>(ParseNumber(maximum)) + 1);
    }
    const qlonglong next = static_cast<qlonglong>(ParseNumber((maximum + zeros).left(width))) + 1;
    return (zeros + QString::number(next)).right(width);
}

QString TAutoNumber::TimeStamp(const QDateTime& moment) { return moment.toString(QStringLiteral("yyMMddHHmmss")); }

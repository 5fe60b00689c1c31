#include "data/Dialect.h"

#include <cmath>

#include "data/SqlHelpers.h"

QString TDialect::SubString(TSqlType type, const QString& column, int start, int length) {
    switch (type) {
        case TSqlType::urStandard:
            return QStringLiteral("SUBSTR(%1,%2,%3)").arg(column).arg(start).arg(length);
        case TSqlType::urSql_Server:
            return QStringLiteral("SubString(%1,%2,%3)").arg(column).arg(start).arg(length);
        case TSqlType::urAccess:
            return QStringLiteral("MID(%1,%2,%3)").arg(column).arg(start).arg(length);
    }
    return {};
}

QString TDialect::TimeStampClockStatement(TSqlType type) {
    return type == TSqlType::urSql_Server ? QStringLiteral("SELECT getdate() As GDATE ") : QString();
}

QString TDialect::TodayStatement(TSqlType type) {
    return type == TSqlType::urSql_Server ? QStringLiteral("SELECT convert(char(10),getdate(),111) As GDATE ")
                                          : QString();
}

QString TDialect::DateLiteral(TSqlType type, const QDate& date) {
    // The local engine keeps dates as yyyy-MM-dd text and compares them as text,
    // so only that form orders correctly there.
    if (type == TSqlType::urStandard) {
        return QuotedStr(date.toString(QStringLiteral("yyyy-MM-dd")));
    }
    return QuotedStr(date.toString(QStringLiteral("MM/dd/yyyy")));
}

namespace {
QString DatePart(TSqlType type, const QString& column, const char* local, const char* server,
                 const char* access) {
    switch (type) {
        case TSqlType::urStandard:
            return QStringLiteral("CAST(strftime('%1',%2) AS INTEGER)").arg(QLatin1String(local), column);
        case TSqlType::urSql_Server:
            return QStringLiteral("Datepart(%1,%2)").arg(QLatin1String(server), column);
        case TSqlType::urAccess:
            return QStringLiteral("%1(%2)").arg(QLatin1String(access), column);
    }
    return {};
}
}  // namespace

QString TDialect::YearOf(TSqlType type, const QString& column) {
    return DatePart(type, column, "%Y", "yy", "YEAR");
}

QString TDialect::MonthOf(TSqlType type, const QString& column) {
    return DatePart(type, column, "%m", "mm", "MONTH");
}

QString TDialect::DayOf(TSqlType type, const QString& column) {
    return DatePart(type, column, "%d", "dd", "DAY");
}

QString TDialect::NullAsZero(TSqlType type, const QString& column) {
    return type == TSqlType::urSql_Server ? QStringLiteral("ISNULL(%1,0)").arg(column) : column;
}

int TDialect::ArchiveTypePrefixLength(const QString& prefix) {
    return 3 * static_cast<int>(std::lround(prefix.length() / 3.0));
}

QString TDialect::ArchiveTypeConditionBySubString(TSqlType type, const QString& prefix, const QString& alias) {
    if (prefix.isEmpty()) {
        return {};
    }
    const QString column = alias.isEmpty() ? QStringLiteral("ARCHIVE_TYPE_ID")
                                           : alias + QStringLiteral(".ARCHIVE_TYPE_ID");
    const int length = ArchiveTypePrefixLength(prefix);
    if (type == TSqlType::urStandard) {
        return QStringLiteral(" %1 = %2").arg(SubString(type, column, 1, length), QuotedStr(prefix));
    }
    return QStringLiteral(" SUBSTRING(%1  FROM 1  FOR  %2) = %3").arg(column).arg(length).arg(QuotedStr(prefix));
}

QString TDialect::ArchiveTypeCondition(TSqlType type, const QString& prefix, const QString& alias) {
    if (type != TSqlType::urStandard || prefix.isEmpty()) {
        return ArchiveTypeConditionBySubString(type, prefix, alias);
    }
    // "Starts with the prefix" as a range on the column, which the engine answers
    // from the type index. Only exact when the whole prefix is compared and its
    // last character has a successor in the same byte class.
    const QChar last = prefix.back();
    if (ArchiveTypePrefixLength(prefix) != prefix.length() || last.unicode() >= 0x7E) {
        return ArchiveTypeConditionBySubString(type, prefix, alias);
    }
    const QString column = alias.isEmpty() ? QStringLiteral("ARCHIVE_TYPE_ID")
                                           : alias + QStringLiteral(".ARCHIVE_TYPE_ID");
    QString upper = prefix;
    upper.back() = QChar(last.unicode() + 1);
    return QStringLiteral(" (%1 >= %2 AND %1 < %3)").arg(column, QuotedStr(prefix), QuotedStr(upper));
}

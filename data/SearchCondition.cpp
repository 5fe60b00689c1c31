#include "data/SearchCondition.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

#include "data/Dialect.h"
#include "data/SqlHelpers.h"

const QList<std::pair<QString, QString>>& TSearchCondition::Operators() {
    static const QList<std::pair<QString, QString>> operators{{QStringLiteral("Like"), QStringLiteral("相似")},
                                                              {QStringLiteral("="), QStringLiteral("等于")},
                                                              {QStringLiteral("<>"), QStringLiteral("不等于")},
                                                              {QStringLiteral("<="), QStringLiteral("小于等于")},
                                                              {QStringLiteral(">="), QStringLiteral("大于等于")}};
    return operators;
}

QString TSearchCondition::OperatorText(const QString& token) {
    for (const auto& [sql, text] : Operators()) {
        if (sql == token) return text;
    }
    return token;
}

bool TSearchCondition::OffersLike(const TFieldsData& field) {
    const QString& kind = field.SearchKind;
    static const QStringList never{QStringLiteral("Y"),  QStringLiteral("D"),   QStringLiteral("DLS"), QStringLiteral("B"),
                                   QStringLiteral("BLS"), QStringLiteral("ES"), QStringLiteral("ESB"), QStringLiteral("ELS")};
    if (never.contains(kind)) {
        return false;
    }
    const bool byNumber = kind == QLatin1String("T") || kind == QLatin1String("LS") || kind == QLatin1String("DT") ||
                          kind == QLatin1String("LDT");
    return !(byNumber && field.Kind == QLatin1String("N"));
}

bool TSearchCondition::FixedOperator(const QString& kind) {
    return kind == QLatin1String("BS") || kind == QLatin1String("LBS") || kind == QLatin1String("BT");
}

QString TSearchCondition::Column(const TFieldsData& field, const QString& column) {
    return field.TablePrefix.isEmpty() ? column : field.TablePrefix + QLatin1Char('.') + column;
}

QString TSearchCondition::Literal(const QString& value, bool quote) {
    if (!quote) {
        bool ok = false;
        QLocale::c().toDouble(value.trimmed(), &ok);
        if (ok) {
            return value.trimmed();
        }
    }
    // What is not a number is compared as text, never pasted in.
    return QuotedStr(value);
}

QString TSearchCondition::CleanTypedText(const QString& input) {
    auto cut = [](QString text, const QString& mark) {
        const qsizetype at = text.indexOf(mark);
        if (at >= 0) {
            text = text.mid(at + mark.size()).trimmed().left(200);
        }
        return text;
    };
    QString text = input.trimmed();
    for (int i = 0; i < 2; ++i) text = cut(text, QStringLiteral("；"));
    if (const qsizetype mark = text.indexOf(QLatin1Char('?')); mark >= 0) {
        text = text.left(mark).left(200);
    }
    for (int i = 0; i < 3; ++i) text = cut(text, QStringLiteral(";"));
    return text;
}

TSearchCondition::TResult TSearchCondition::Build(TSqlType type, const TFieldsData& field, const QString& op,
                                                  const TSearchValue& value) {
    TResult result;
    const QString& kind = field.SearchKind;
    if (field.FieldName.isEmpty()) {
        result.error = QStringLiteral("必须有一个查找字段");
        return result;
    }
    if (op.isEmpty()) {
        result.error = QStringLiteral("必须有一个查找关系");
        return result;
    }
    const QString col = Column(field, field.FieldName);
    const QString col2 = Column(field, field.SearchText.isEmpty() ? field.FieldName : field.SearchText);
    const QString v = value.text.trimmed();
    const bool isText = field.Kind == QLatin1String("C") || field.Kind.isEmpty();

    auto textCondition = [&](const QString& column, const QString& given) {
        if (op == QLatin1String("Like")) {
            return column + QStringLiteral(" Like ") + QuotedStr(QLatin1Char('%') + given + QLatin1Char('%'));
        }
        if (isText) {
            return column + QLatin1Char(' ') + op + QLatin1Char(' ') + QuotedStr(given);
        }
        static const QStringList nullAsZero{QStringLiteral("T"), QStringLiteral("LS"), QStringLiteral("B"),
                                            QStringLiteral("BLS"), QStringLiteral("S")};
        const QString left = nullAsZero.contains(kind) ? TDialect::NullAsZero(type, column) : column;
        return left + QLatin1Char(' ') + op + QLatin1Char(' ') + Literal(given, field.Kind == QLatin1String("D"));
    };

    static const QStringList textKinds{QStringLiteral("T"),  QStringLiteral("LS"),  QStringLiteral("B"),
                                       QStringLiteral("BLS"), QStringLiteral("S"),  QStringLiteral("DT"),
                                       QStringLiteral("LDT"), QStringLiteral("DSF"), QStringLiteral("BF")};
    if (kind == QLatin1String("Y")) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
        if (value.year.trimmed().isEmpty()) {
            result.error = QStringLiteral("必须有一个查找的年份");
        } else if (value.year.trimmed().size() != 4 || !digits.match(value.year.trimmed()).hasMatch()) {
            result.error = QStringLiteral("错误的年份,正确的年份如2000年是:“2000”");
        } else if (value.month.trimmed().isEmpty()) {
            result.error = QStringLiteral("必须有一个查找的月份");
        } else if (value.month.trimmed().size() != 2 || !digits.match(value.month.trimmed()).hasMatch()) {
            result.error = QStringLiteral("错误的月份,正确的月份如8月是:“08”");
        }
        if (!result.Ok()) {
            return result;
        }
        const int number = value.year.trimmed().toInt() * 100 + value.month.trimmed().toInt();
        result.displayValue = value.year.trimmed() + QStringLiteral("年") + value.month.trimmed() + QStringLiteral("月");
        result.sql = QStringLiteral("(100 * %1 + %2) %3 %4")
                         .arg(TDialect::YearOf(type, col), TDialect::MonthOf(type, col), op)
                         .arg(number);
        return result;
    }
    if (kind == QLatin1String("D") || kind == QLatin1String("DLS")) {
        if (v.isEmpty()) {
            result.error = QStringLiteral("必须有一个查找的日期");
            return result;
        }
        const QDate date = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
        if (v.size() != 10 || !date.isValid()) {
            result.error = QStringLiteral("错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”");
            return result;
        }
        const QString target = kind == QLatin1String("DLS") ? col2 : col;
        QString expression;
        if (field.Kind != QLatin1String("D") || type == TSqlType::urSql_Server) {
            expression = target + QLatin1Char(' ') + op + QLatin1Char(' ') + QuotedStr(v);
        } else if (type == TSqlType::urStandard) {
            // Dates are kept as yyyy-MM-dd text, which orders like the dates.
            expression = target + QLatin1Char(' ') + op + QLatin1Char(' ') + TDialect::DateLiteral(type, date);
        } else {
            expression = QStringLiteral("(10000 * YEAR(%1) +100 * MONTH(%1)) + DAY(%1) %2 %3")
                             .arg(target, op)
                             .arg(date.year() * 10000 + date.month() * 100 + date.day());
        }
        result.displayValue = v;
        result.sql = kind == QLatin1String("DLS") ? col + QLatin1Char(' ') + expression + QLatin1Char(')') : expression;
        return result;
    }
    if (kind == QLatin1String("ES") || kind == QLatin1String("ESB") || kind == QLatin1String("ELS")) {
        if (!value.chosen || value.chosenValue.isEmpty()) {
            result.error = QStringLiteral("必须从弹出的窗口里选择一个值");
            return result;
        }
        if (value.text != value.chosenText) {
            result.error = QStringLiteral("选择出来的值不能改变");
            return result;
        }
        result.displayValue = value.chosenText;
        result.sql = textCondition(col2, value.chosenValue) + (kind == QLatin1String("ELS") ? QStringLiteral(")") : QString());
        return result;
    }
    if (kind == QLatin1String("BS") || kind == QLatin1String("LBS")) {
        if (!value.chosen || value.chosenValue.isEmpty()) {
            result.error = QStringLiteral("必须有一个查找的值");
            return result;
        }
        result.displayValue = value.chosenText.isEmpty() ? value.text : value.chosenText;
        result.sql = kind == QLatin1String("BS") ? value.chosenValue : field.FieldName + value.chosenValue + QStringLiteral(")");
        return result;
    }
    if (v.isEmpty()) {
        result.error = QStringLiteral("必须有一个查找的值");
        return result;
    }
    result.displayValue = v;
    if (kind == QLatin1String("BT")) {
        result.sql = col + QStringLiteral(" LIKE ") + QuotedStr(QLatin1Char('%') + v + QLatin1Char('%'));
        return result;
    }
    if (kind == QLatin1String("DS")) {
        QString literal;
        if (op == QLatin1String("Like")) {
            literal = QuotedStr(QLatin1Char('%') + v + QLatin1Char('%'));
        } else {
            literal = Literal(v, isText || field.Kind == QLatin1String("D"));
        }
        result.sql = col2 + QStringLiteral(" IN (SELECT ") + field.LookupColumn + QStringLiteral(" FROM ") + field.LookupTable +
                     QStringLiteral(" WHERE ") + field.LookupKey + QLatin1Char(' ') + op + QLatin1Char(' ') + literal +
                     QStringLiteral(") ");
        return result;
    }
    if (!textKinds.contains(kind)) {
        result.error = QStringLiteral("必须有一个查找字段");
        return result;
    }
    QString condition = textCondition(col, v);
    if (kind == QLatin1String("BF") && value.chosen && !value.chosenValue.isEmpty()) {
        QString pattern = value.chosenValue;
        if (const qsizetype at = pattern.indexOf(QLatin1Char('@')); at >= 0) {
            pattern = pattern.left(at);
        }
        const qsizetype star = pattern.indexOf(QLatin1Char('*'));
        condition = star >= 0 ? (pattern.left(star) + condition + pattern.mid(star + 1)).trimmed() : pattern;
    }
    if (kind == QLatin1String("LS") || kind == QLatin1String("BLS")) {
        condition += QStringLiteral(") ");
    } else if (kind == QLatin1String("LDT")) {
        condition += QStringLiteral(")");
    }
    result.sql = condition;
    return result;
}

QString TSearchConditionList::Add(const QString& fragment, const QString& display, TLogic logic) {
    if (m_fragments.isEmpty()) {
        m_fragments.append(fragment);
        m_display.append(QLatin1Char(' ') + display);
        return {};
    }
    if (logic == TLogic::None) {
        return QStringLiteral("必须有一个查找逻辑");
    }
    const bool both = logic == TLogic::And;
    m_fragments.append((both ? QStringLiteral(" and ") : QStringLiteral(" or ")) + fragment);
    m_display.append((both ? QStringLiteral(" 并且 ") : QStringLiteral(" 或着 ")) + display);
    return {};
}

void TSearchConditionList::Remove(int index) {
    if (index < 0 || index >= m_fragments.size()) {
        return;
    }
    m_fragments.removeAt(index);
    m_display.removeAt(index);
    if (index == 0 && !m_display.isEmpty()) {
        // The new first line has nothing before it to join to.
        for (const QString& word : {QStringLiteral(" 并且 "), QStringLiteral(" 或着 ")}) {
            if (m_display[0].startsWith(word)) {
                m_display[0] = QLatin1Char(' ') + m_display[0].mid(word.size());
            }
        }
    }
}

void TSearchConditionList::Clear() {
    m_fragments.clear();
    m_display.clear();
}

QString TSearchConditionList::Confirm(QStringList* fragments) const {
    if (m_fragments.isEmpty()) {
        return QStringLiteral("没有查找表达式");
    }
    *fragments = m_fragments;
    for (const QString& word : {QStringLiteral(" and "), QStringLiteral(" or ")}) {
        if ((*fragments)[0].startsWith(word)) {
            (*fragments)[0] = (*fragments)[0].mid(word.size());
        }
    }
    return {};
}

#include "records/DateReminder.h"

#include <QRegularExpression>

#include "data/Dialect.h"
#include "data/SqlHelpers.h"
#include "data/SqlType.h"

TDateReminder TDateReminder::Check(const QString& field, int days, const QDate& today) {
    TDateReminder reminder;
    // The column name comes from a stored setting and goes into the
    // statements as a name, so only a plain column name that has a
    // definition row is taken.
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (field.isEmpty() || !plainName.match(field).hasMatch()) {
        return reminder;
    }
    const QString label = ValueText(
        QStringLiteral("SELECT FIELD_DISPLAY_NAME FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_NAME = ?"),
        {field});
    if (label.isEmpty()) {
        return reminder;
    }
    // Dates are compared in the form the engine keeps them in; a fixed
    // month-first text would order wrongly against stored ISO dates.
    const QString cutOff = TDialect::DateLiteral(ProgramSqlType, today.addDays(-days));
    const QString condition = QStringLiteral("((NOT(%1 IS NULL)) AND (%1 <= %2))").arg(field, cutOff);
    const double count = ValueNumber(
        QStringLiteral("SELECT COUNT(ARCHIVE_RECORD_ID) FROM QD_ARCHIVE_MASTER_TABLE WHERE ") + condition);
    if (count <= 0) {
        return reminder;
    }
    reminder.Label = label;
    reminder.Count = static_cast<qlonglong>(count);
    reminder.Condition = condition;
    reminder.Description = QStringLiteral("查找条件：(") + label + QStringLiteral(" - ") +
                           today.toString(QStringLiteral("yyyy'年'MM'月'dd'日'")) +
                           QStringLiteral(") 小于等于 ") + QString::number(days);
    return reminder;
}

QString TDateReminder::Question() const {
    return QStringLiteral("有 ") + QString::number(Count) + QStringLiteral(" 个档案的") + Label +
           QStringLiteral("到了设定的提醒日\r\n是否去看看这些档案");
}

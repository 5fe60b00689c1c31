#include "records/VolumeRegisterRules.h"

#include <QtSql/QSqlQuery>

#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/SqlHelpers.h"

namespace {

const QString kTable = QStringLiteral("QD_ARCHIVE_MASTER_TABLE");

TCheckData Duplicate(const QString& selected, const QString& field, const QString& message, bool askOnly) {
    TCheckData check;
    check.Fields[0].FieldName = field;
    check.Fields[0].CheckColumn = field;
    check.Fields[0].ValueKind = QStringLiteral("C");
    check.Message = message;
    check.TriggerField = field;
    check.SelectPrefix =
        QStringLiteral("SELECT ") + selected + QStringLiteral(" FROM QD_ARCHIVE_MASTER_TABLE WHERE ");
    check.MustBeAbsent = true;
    check.AskOnly = askOnly;
    return check;
}

QString DisplayName(const QString& field, const QString& fallback) {
    const QString name = ValueText(
        QStringLiteral("SELECT FIELD_DISPLAY_NAME FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_NAME = ?"),
        {field});
    return name.isEmpty() ? fallback : name;
}

TFieldsData Column(const QString& field, const QString& label, const QString& kind, int width = 0) {
    TFieldsData column;
    column.FieldName = field;
    column.DisplayLabel = label;
    column.Kind = kind;
    column.DisplayWidth = width;
    return column;
}

}  // namespace

TInsertDataArray TVolumeRegisterRules::InsertData(bool autoNumbering) {
    TInsertData key;
    key.FieldName = QStringLiteral("ARCHIVE_RECORD_ID");
    key.Kind = QStringLiteral("T");
    key.Prefix = QStringLiteral("A");
    key.Length = 12;
    TInsertData creator;
    creator.FieldName = QStringLiteral("CREATE_NAME");
    creator.FieldCaption = QStringLiteral("建档人员");
    creator.Value = QDGlobal::CurrentUserName;
    creator.Kind = QStringLiteral("A");
    TInsertData created = creator;
    created.FieldName = QStringLiteral("CREATE_DATE");
    created.FieldCaption = QStringLiteral("建档日期");
    created.Value = QDGlobal::StartDateText;
    TInsertDataArray rules{key, creator, created};
    if (autoNumbering) {
        TInsertData number;
        number.FieldName = QStringLiteral("ARCHIVE_ID");
        number.FieldCaption = DisplayName(number.FieldName, QStringLiteral("档案编号"));
        number.Kind = QStringLiteral("Y");
        number.Length = 10;
        rules.append(number);
    }
    return rules;
}

TEditDataArray TVolumeRegisterRules::EditData() {
    return {{QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), QDGlobal::CurrentUserName},
            {QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), QDGlobal::StartDateText}};
}

TCheckDataArray TVolumeRegisterRules::CheckData(bool autoNumbering, int categoryNumbering) {
    TCheckDataArray checks;
    const QString id = QStringLiteral("ARCHIVE_ID");
    if (categoryNumbering != 3) {
        TCheckData number =
            Duplicate(id, id, DisplayName(id, QStringLiteral("档案编号")) + QStringLiteral("重复"), false);
        number.CheckInBatch = autoNumbering;
        checks.append(number);
    }
    QSqlQuery repeatable =
        OpenQuery(QStringLiteral("SELECT FIELD_NAME,FIELD_DISPLAY_NAME FROM SYS_ARCHIVE_FIELD_TABLE "
                                 "WHERE FIELD_TYPE = 'String' AND FIELD_ITERATION = 1 ORDER BY FIELD_ORDER"));
    while (repeatable.next()) {
        const QString field = repeatable.value(0).toString();
        // The number has its own check above, unless numbers go unchecked.
        if (field == id && categoryNumbering != 3)
            continue;
        checks.append(
            Duplicate(id, field, repeatable.value(1).toString() + QStringLiteral("重复,是否保存"), true));
    }
    checks.append(Duplicate(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("ARCHIVE_RECORD_ID"),
                            QStringLiteral("纪录编号重复"), false));
    return checks;
}

TFieldsDataArray TVolumeRegisterRules::Columns() {
    TFieldsDataArray columns;
    TFieldsData type =
        Column(QStringLiteral("ARCHIVE_TYPE_NAME"), QStringLiteral("档案类别"), QStringLiteral("C"), 20);
    type.FooterKind = QStringLiteral("合计");
    columns.append(type);
    QSqlQuery definitions =
        OpenQuery(QStringLiteral("SELECT FIELD_NAME,FIELD_DISPLAY_NAME,FIELD_TYPE,FIELD_DISPLAY_WIDTH,"
                                 "FIELD_FIND_TYPE FROM SYS_ARCHIVE_FIELD_TABLE ORDER BY FIELD_ORDER"));
    while (definitions.next()) {
        const QString fieldType = definitions.value(2).toString();
        QString kind = QStringLiteral("C");
        if (fieldType == QLatin1String("Integer") || fieldType == QLatin1String("Float")) {
            kind = QStringLiteral("N");
        } else if (fieldType == QLatin1String("Date")) {
            kind = QStringLiteral("D");
        }
        TFieldsData column = Column(definitions.value(0).toString(), definitions.value(1).toString(), kind,
                                    definitions.value(3).toInt());
        column.SearchKind = definitions.value(4).toString();
        if (column.FieldName == QLatin1String("ARCHIVE_ID")) {
            column.FooterKind = QStringLiteral("@Count");
        } else if (kind == QLatin1String("N")) {
            column.FooterKind = QStringLiteral("@Sum");
        }
        columns.append(column);
    }
    columns.append(Column(QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), QStringLiteral("C")));
    columns.append(Column(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), QStringLiteral("D")));
    columns.append(Column(QStringLiteral("EDIT_NAME"), QStringLiteral("修改人员"), QStringLiteral("C")));
    columns.append(Column(QStringLiteral("EDIT_DATE"), QStringLiteral("修改日期"), QStringLiteral("D")));
    columns.append(
        Column(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("记录编号"), QStringLiteral("C"), -2));
    columns.append(
        Column(QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("档案类别编号"), QStringLiteral("C"), -2));
    return columns;
}

QList<QPair<QString, QString>> TVolumeRegisterRules::SortCandidates() {
    QList<QPair<QString, QString>> candidates;
    QSqlQuery definitions =
        OpenQuery(QStringLiteral("SELECT FIELD_DISPLAY_NAME,FIELD_NAME FROM SYS_ARCHIVE_FIELD_TABLE "
                                 "WHERE FIELD_ORDER_TYPE = '是' ORDER BY FIELD_ORDER"));
    while (definitions.next())
        candidates.append({definitions.value(0).toString(), definitions.value(1).toString()});
    return candidates;
}

void TVolumeRegisterRules::Configure(TQDQuery& list, bool autoNumbering, int categoryNumbering) {
    list.SetTableName(kTable, false);
    list.SqlType = ProgramSqlType;
    list.UpdateObject = TQDUpdateSql::ForTable(kTable);
    list.PeriodText = QDGlobal::StartDateText.left(4) + QDGlobal::StartDateText.mid(5, 2);
    list.DayText = QString(QDGlobal::StartDateText).remove(QLatin1Char('-'));
    list.InsertData = InsertData(autoNumbering);
    list.EditData = EditData();
    list.CheckData = CheckData(autoNumbering, categoryNumbering);
    list.FieldsData = Columns();
}

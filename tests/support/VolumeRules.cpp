#include "tests/support/VolumeRules.h"

#include "data/QDGlobal.h"

TCheckData DuplicateCheck(const QString& selectPrefix, const QString& field, const QString& message, bool askOnly) {
    TCheckData check;
    check.Fields[0].FieldName = field;
    check.Fields[0].CheckColumn = field;
    check.Fields[0].ValueKind = QStringLiteral("C");
    check.Message = message;
    check.TriggerField = field;
    check.SelectPrefix = selectPrefix;
    check.MustBeAbsent = true;
    check.AskOnly = askOnly;
    return check;
}

void ConfigureVolumeQuery(TQDQuery& query, bool numbering, const QString& sql) {
    const QString table = QStringLiteral("QD_ARCHIVE_MASTER_TABLE");
    query.SetTableName(table, false);
    query.SetSql(sql.isEmpty() ? QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID") : sql);
    query.SqlType = TSqlType::urStandard;
    query.UpdateObject = TQDUpdateSql::ForTable(table);
    query.PeriodText = QDGlobal::StartDateText.left(4) + QDGlobal::StartDateText.mid(5, 2);
    query.DayText = QString(QDGlobal::StartDateText).remove(QLatin1Char('-'));

    TInsertData key;
    key.FieldName = QStringLiteral("ARCHIVE_RECORD_ID");
    key.Kind = QStringLiteral("T");
    key.Prefix = QStringLiteral("A");
    key.Length = 12;
    TInsertData creator{QStringLiteral("CREATE_NAME"), QStringLiteral("建档人员"), {}, 0, QDGlobal::CurrentUserName, {},
                        QStringLiteral("A"), {}};
    TInsertData created{QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"), {}, 0, QDGlobal::StartDateText, {},
                        QStringLiteral("A"), {}};
    query.InsertData = {key, creator, created};
    if (numbering) {
        TInsertData number;
        number.FieldName = QStringLiteral("ARCHIVE_ID");
        number.FieldCaption = QStringLiteral("档案编号");
        number.Kind = QStringLiteral("Y");
        number.Length = 10;
        query.InsertData.append(number);
    }
    query.EditData = {{QStringLiteral("EDIT_NAME"), {}, QDGlobal::CurrentUserName},
                      {QStringLiteral("EDIT_DATE"), {}, QDGlobal::StartDateText}};

    TCheckData number = DuplicateCheck(QStringLiteral("SELECT ARCHIVE_ID FROM QD_ARCHIVE_MASTER_TABLE WHERE "),
                                       QStringLiteral("ARCHIVE_ID"), QStringLiteral("档案编号重复"));
    number.CheckInBatch = numbering;
    TCheckData name = DuplicateCheck(QStringLiteral("SELECT ARCHIVE_ID FROM QD_ARCHIVE_MASTER_TABLE WHERE "),
                                     QStringLiteral("ARCHIVE_NAME"), QStringLiteral("档案名称重复,是否保存"), true);
    TCheckData record = DuplicateCheck(QStringLiteral("SELECT ARCHIVE_RECORD_ID FROM QD_ARCHIVE_MASTER_TABLE WHERE "),
                                       QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("纪录编号重复"));
    query.CheckData = {number, name, record};

    TFieldsData id;
    id.FieldName = QStringLiteral("ARCHIVE_ID");
    id.DisplayLabel = QStringLiteral("档案编号");
    id.Kind = QStringLiteral("C");
    id.Required = true;
    TFieldsData title;
    title.FieldName = QStringLiteral("ARCHIVE_NAME");
    title.DisplayLabel = QStringLiteral("档案名称");
    title.Kind = QStringLiteral("C");
    title.Required = true;
    TFieldsData date;
    date.FieldName = QStringLiteral("DATE_FIELD1");
    date.DisplayLabel = QStringLiteral("档案日期");
    date.Kind = QStringLiteral("D");
    TFieldsData amount;
    amount.FieldName = QStringLiteral("NUMBER_FIELD1");
    amount.DisplayLabel = QStringLiteral("页数");
    amount.Kind = QStringLiteral("N");
    amount.FooterKind = QStringLiteral("@Sum");
    query.FieldsData = {id, title, date, amount};
}

#include <QtSql/QSqlQuery>
#include <QtTest>

#include "data/AutoNumber.h"
#include "data/Clock.h"
#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "tests/support/TestDatabase.h"

namespace {

TInsertData Rule(const QString& field, const QString& kind, int length, const QString& prefix = {},
                 const QString& condition = {}) {
    TInsertData rule;
    rule.FieldName = field;
    rule.FieldCaption = field;
    rule.Kind = kind;
    rule.Length = length;
    rule.Prefix = prefix;
    rule.Condition = condition;
    return rule;
}

// Inserts a row through a query with the one rule and returns the value it got.
QString Generate(const QString& table, const TInsertData& rule, const QString& period = QStringLiteral("201503"),
                 const QString& day = QStringLiteral("20150325")) {
    TQDQuery query;
    query.SetTableName(table);
    query.SqlType = TSqlType::urStandard;
    query.PeriodText = period;
    query.DayText = day;
    query.InsertData = {rule};
    if (!query.Open() || !query.Insert()) {
        return QStringLiteral("<failed>");
    }
    const QString value = query.Text(rule.FieldName);
    query.Cancel();
    return value;
}

void AddVolume(const QString& id, const QString& archiveId, const QString& type = QStringLiteral("001")) {
    QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, ARCHIVE_TYPE_ID) "
                                   "VALUES (?, ?, ?)"),
                    {id, archiveId, type}));
}

}  // namespace

class TestAutoNumber : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 30, 0)));
        QDGlobal::StartDateText = QStringLiteral("2015-03-25");
    }
    void cleanup() { TClock::Reset(); }

    void maximumStatementsOfEveryEdition_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("statement");
        const int local = int(TSqlType::urStandard), server = int(TSqlType::urSql_Server), access = int(TSqlType::urAccess);
        QTest::newRow("plain number") << server << "C" << 0 << "" << "" << "SELECT MAX(ORDER_ID) From T";
        QTest::newRow("counter with prefix") << server << "C" << 4 << "A" << ""
                                             << "SELECT MAX(SubString(ORDER_ID,2,4)) From T WHERE SubString(ORDER_ID,1,1) = 'A'";
        QTest::newRow("counter without prefix, scoped")
            << server << "C" << 4 << "" << "ARCHIVE_RECORD_ID = 'A1'"
            << "SELECT MAX(SubString(ORDER_ID,1,4)) From T WHERE ARCHIVE_RECORD_ID = 'A1'";
        QTest::newRow("year") << server << "Y" << 10 << "" << ""
                              << "SELECT MAX(SubString(ORDER_ID,5,10)) From T WHERE SubString(ORDER_ID,1,4)= '2015'";
        QTest::newRow("month with prefix, scoped")
            << access << "M" << 10 << "LY" << "X = 1"
            << "SELECT MAX(MID(ORDER_ID,9,10)) From T WHERE MID(ORDER_ID,3,6)= '201503' AND  MID(ORDER_ID,1,2) = 'LY' AND X = 1";
        QTest::newRow("day local") << local << "D" << 11 << "" << ""
                                   << "SELECT MAX(SUBSTR(ORDER_ID,9,11)) From T WHERE SUBSTR(ORDER_ID,1,8)= '20150325'";
        QTest::newRow("quote in prefix") << server << "C" << 3 << "0'" << ""
                                         << "SELECT MAX(SubString(ORDER_ID,3,3)) From T WHERE SubString(ORDER_ID,1,2) = '0'''";
    }

    void maximumStatementsOfEveryEdition() {
        QFETCH(int, type);
        QFETCH(QString, kind);
        QFETCH(int, length);
        QFETCH(QString, prefix);
        QFETCH(QString, condition);
        QFETCH(QString, statement);
        const TInsertData rule = Rule(QStringLiteral("ORDER_ID"), kind, length, prefix, condition);
        QCOMPARE(TAutoNumber::MaximumStatement(TSqlType(type), rule, QStringLiteral("T"),
                                               TAutoNumber::DatePart(kind, QStringLiteral("201503"), QStringLiteral("20150325"))),
                 statement);
    }

    void nextNumber_data() {
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty table") << "" << 4 << "0001";
        QTest::newRow("after 0002") << "0002" << 4 << "0003";
        QTest::newRow("short maximum padded on the right") << "12" << 4 << "1201";
        QTest::newRow("plain number") << "9" << 0 << "10";
        QTest::newRow("plain first") << "" << 0 << "1";
        QTest::newRow("six digits") << "000041" << 6 << "000042";
    }

    void nextNumber() {
        QFETCH(QString, maximum);
        QFETCH(int, width);
        QFETCH(QString, next);
        QCOMPARE(TAutoNumber::NextNumber(maximum, width), next);
    }

    void runningNumbersFromTheTable() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        const QString volumes = QStringLiteral("QD_ARCHIVE_MASTER_TABLE");
        QCOMPARE(Generate(volumes, Rule(QStringLiteral("ARCHIVE_ID"), QStringLiteral("C"), 4, QStringLiteral("A"))),
                 QStringLiteral("A0001"));
        AddVolume(QStringLiteral("R1"), QStringLiteral("A0001"));
        AddVolume(QStringLiteral("R2"), QStringLiteral("A0002"));
        AddVolume(QStringLiteral("R3"), QStringLiteral("B0009"));
        QCOMPARE(Generate(volumes, Rule(QStringLiteral("ARCHIVE_ID"), QStringLiteral("c"), 4, QStringLiteral("A"))),
                 QStringLiteral("A0003"));

        // The year sequence starts at 000001 and restarts with the next year.
        const TInsertData year = Rule(QStringLiteral("ARCHIVE_ID"), QStringLiteral("Y"), 10);
        QCOMPARE(Generate(volumes, year), QStringLiteral("2015000001"));
        AddVolume(QStringLiteral("R4"), QStringLiteral("2015000001"));
        AddVolume(QStringLiteral("R5"), QStringLiteral("2015000007"));
        AddVolume(QStringLiteral("R6"), QStringLiteral("2014000099"));
        QCOMPARE(Generate(volumes, year), QStringLiteral("2015000008"));
        QCOMPARE(Generate(volumes, year, QStringLiteral("201601")), QStringLiteral("2016000001"));

        // Month and day sequences with a prefix.
        QCOMPARE(Generate(volumes, Rule(QStringLiteral("ARCHIVE_ID"), QStringLiteral("M"), 9, QStringLiteral("J"))),
                 QStringLiteral("J201503001"));
        QCOMPARE(Generate(volumes, Rule(QStringLiteral("ARCHIVE_ID"), QStringLiteral("D"), 10, QStringLiteral("R"))),
                 QStringLiteral("R2015032501"));

        // Width 0 over the numbers 1 to 9 of an integer column.
        for (int i = 1; i <= 9; ++i) {
            QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_TYPE_TABLE (ARCHIVE_TYPE_ID, PRIOR_ID, ORDER_ID) VALUES (?, 'G001', ?)"),
                            {QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), i}));
        }
        QCOMPARE(Generate(QStringLiteral("QD_ARCHIVE_TYPE_TABLE"),
                          Rule(QStringLiteral("ORDER_ID"), QStringLiteral("C"), 0, {}, QStringLiteral("PRIOR_ID = 'G001'"))),
                 QStringLiteral("10"));
        // Type ids: three digits after the parent's id, among its children.
        QCOMPARE(Generate(QStringLiteral("QD_ARCHIVE_TYPE_TABLE"),
                          Rule(QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("C"), 3, {}, QStringLiteral("PRIOR_ID = 'G001'"))),
                 QStringLiteral("010"));
        QCOMPARE(Generate(QStringLiteral("QD_ARCHIVE_TYPE_TABLE"),
                          Rule(QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("C"), 3, QStringLiteral("002"),
                               QStringLiteral("PRIOR_ID = '002'"))),
                 QStringLiteral("002001"));
    }

    void conditionCountsWithinTheParent() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        const QString items = QStringLiteral("QD_ARCHIVE_DETAIL_TABLE");
        auto itemNumber = [&](const QString& volume) {
            return Generate(items, Rule(QStringLiteral("DETAIL_ARCHIVE_ID"), QStringLiteral("C"), 4, {},
                                        QStringLiteral("ARCHIVE_RECORD_ID = ") + QuotedStr(volume)));
        };
        QCOMPARE(itemNumber(QStringLiteral("V1")), QStringLiteral("0001"));
        QCOMPARE(itemNumber(QStringLiteral("V'2")), QStringLiteral("0001"));
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_DETAIL_TABLE (DETAIL_RECORD_ID, ARCHIVE_RECORD_ID, "
                                       "DETAIL_ARCHIVE_ID) VALUES ('C1', 'V1', '0001'), ('C2', 'V1', '0002'), "
                                       "('C3', 'V''2', '12')")));
        QCOMPARE(itemNumber(QStringLiteral("V1")), QStringLiteral("0003"));
        QCOMPARE(itemNumber(QStringLiteral("V'2")), QStringLiteral("1201"));
        QCOMPARE(itemNumber(QStringLiteral("V3")), QStringLiteral("0001"));
    }

    // The index-read form must give what the specified statement gives, for
    // every kind, with and without prefix and scope, over awkward data.
    void indexedFormAgreesWithTheSpecifiedForm_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("condition");
        for (const char* kind : {"C", "Y", "M", "D"}) {
            const int length = QString::fromLatin1(kind) == QLatin1String("C") ? 4 : 12;
            for (const char* prefix : {"", "A", "AB", "9"}) {
                for (const char* condition : {"", "ARCHIVE_TYPE_ID = '002'"}) {
                    QTest::addRow("%s %s [%s]", kind, prefix, condition)
                        << QString::fromLatin1(kind) << length << QString::fromLatin1(prefix) << QString::fromLatin1(condition);
                }
            }
        }
    }

    void indexedFormAgreesWithTheSpecifiedForm() {
        QFETCH(QString, kind);
        QFETCH(int, length);
        QFETCH(QString, prefix);
        QFETCH(QString, condition);
        TTestDatabase db;
        QVERIFY(db.IsReady());
        const QStringList ids{"A0001", "A0010", "A9", "A", "AB12", "AB2", "B0003", "0042", "42", "", "2015000009",
                              "201500001", "2015000010x", "A2015000002", "A201503000005", "AB2015032500000012",
                              "A20150325000099", "9201503", "92015", "2014999999", "2015", "A2016000001", "20150325000003",
                              "AB201503009", "A201503"};
        int n = 0;
        for (const QString& id : ids) {
            AddVolume(QStringLiteral("R%1").arg(++n), id, n % 2 ? QStringLiteral("002") : QStringLiteral("001"));
        }
        AddVolume(QStringLiteral("RNULL"), QString());
        QVERIFY(Execute(QStringLiteral("UPDATE QD_ARCHIVE_MASTER_TABLE SET ARCHIVE_ID = NULL WHERE ARCHIVE_RECORD_ID = 'RNULL'")));

        const TInsertData rule = Rule(QStringLiteral("ARCHIVE_ID"), kind, length, prefix, condition);
        const QString datePart = TAutoNumber::DatePart(kind, QStringLiteral("201503"), QStringLiteral("20150325"));
        QVariantList values;
        const QString indexed =
            TAutoNumber::IndexedMaximumStatement(rule, QStringLiteral("QD_ARCHIVE_MASTER_TABLE"), datePart, &values);
        QVERIFY(!indexed.isEmpty());
        const QString plain =
            TAutoNumber::MaximumStatement(TSqlType::urStandard, rule, QStringLiteral("QD_ARCHIVE_MASTER_TABLE"), datePart);
        QCOMPARE(ValueText(indexed, values), ValueText(plain));

        QSqlQuery plan = OpenQuery(QStringLiteral("EXPLAIN QUERY PLAN ") + indexed, values);
        QString details;
        while (plan.next()) {
            details += plan.value(3).toString() + QLatin1Char(';');
        }
        QVERIFY2(details.contains(QStringLiteral("INDEX")), qPrintable(details));
        QVERIFY2(!details.contains(QStringLiteral("TEMP B-TREE")), qPrintable(details));
    }

    void timeStampsWithinOneSecondDiffer() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolume(QStringLiteral("A150325093001"), QStringLiteral("taken by another workstation"));
        TQDQuery query;
        query.SetTableName(QStringLiteral("QD_ARCHIVE_MASTER_TABLE"));
        query.SqlType = TSqlType::urStandard;
        TInsertData stamp = Rule(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("T"), 12, QStringLiteral("A"));
        query.InsertData = {stamp};
        QVERIFY(query.Open());
        QStringList stamps;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(query.Insert());
            stamps.append(query.Text(QStringLiteral("ARCHIVE_RECORD_ID")));
            QVERIFY(query.Save());
        }
        QCOMPARE(stamps.size(), 3);
        QCOMPARE(QSet<QString>(stamps.begin(), stamps.end()).size(), 3);
        for (const QString& value : stamps) {
            QCOMPARE(value.size(), 13);
            QVERIFY(value.startsWith(QStringLiteral("A1503250930")));
            QVERIFY(value != QStringLiteral("A150325093001"));
        }
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE")), 4.0);
    }

    void constantAndCopiedValues() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery source;
        source.SetSql(QStringLiteral("SELECT 'V''1' AS ARCHIVE_RECORD_ID"));
        QVERIFY(source.Open());
        TQDQuery query;
        query.SetTableName(QStringLiteral("QD_ARCHIVE_DETAIL_TABLE"));
        TInsertData owner = Rule(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("B"), 0);
        owner.Value = QStringLiteral("ARCHIVE_RECORD_ID");
        owner.SourceDataSet = &source;
        TInsertData creator = Rule(QStringLiteral("CREATE_NAME"), QStringLiteral("a"), 0);
        creator.Value = QStringLiteral("张三");
        TInsertData flag = Rule(QStringLiteral("DETAIL_TEXT_FIELD1"), QStringLiteral("L"), 0);
        flag.Value = QStringLiteral("是");
        query.InsertData = {owner, creator, flag};
        QVERIFY(query.Open());
        QVERIFY(query.Insert());
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_RECORD_ID")), QStringLiteral("V'1"));
        QCOMPARE(query.Text(QStringLiteral("CREATE_NAME")), QStringLiteral("张三"));
        QCOMPARE(query.Value(QStringLiteral("DETAIL_TEXT_FIELD1")).toBool(), true);
    }

    void failingRulesCancelTheInsert_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty constant") << "QD_ARCHIVE_MASTER_TABLE" << "A" << "20150325" << "档案编号字段需插入的值是空的";
        QTest::newRow("no day text") << "QD_ARCHIVE_MASTER_TABLE" << "D" << "" << "没有Day值";
        QTest::newRow("no table") << "" << "C" << "20150325" << "Query必须有一个表名";
    }

    void failingRulesCancelTheInsert() {
        QFETCH(QString, table);
        QFETCH(QString, kind);
        QFETCH(QString, day);
        QFETCH(QString, message);
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery query;
        query.setObjectName(QStringLiteral("Query"));
        query.SetTableName(table, false);
        query.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE"));
        query.DayText = day;
        TInsertData rule = Rule(QStringLiteral("ARCHIVE_ID"), kind, 12);
        rule.FieldCaption = QStringLiteral("档案编号");
        query.InsertData = {rule};
        QVERIFY(query.Open());
        TRecordingPresenter messages;
        QVERIFY(!query.Insert());
        QCOMPARE(messages.Texts(), QStringList{message});
        QCOMPARE(query.State(), TDataSetState::Browse);
        QCOMPARE(query.RecordCount(), 0);
    }

    void parameters() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TRecordingPresenter messages;
        QVERIFY(!IsParameterOn(QStringLiteral("档案编号")));
        QCOMPARE(ParameterValue(QStringLiteral("提醒天数")), QString());
        QVERIFY(SetParameter(QStringLiteral("档案编号"), QStringLiteral("是")));
        QVERIFY(IsParameterOn(QStringLiteral("档案编号")));
        QVERIFY(SetParameter(QStringLiteral("档案编号"), QStringLiteral("否")));
        QVERIFY(!IsParameterOn(QStringLiteral("档案编号")));
        const QString hostile = QStringLiteral("x' OR '1'='1");
        QVERIFY(SetParameter(hostile, QStringLiteral("it's")));
        QCOMPARE(ParameterValue(hostile), QStringLiteral("it's"));
        QCOMPARE(ParameterValue(QStringLiteral("档案编号")), QStringLiteral("否"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ID_TABLE")), 2.0);
        QVERIFY(messages.Entries().isEmpty());

        QVERIFY(Execute(QStringLiteral("DROP TABLE SYS_ID_TABLE")));
        QVERIFY(!SetParameter(QStringLiteral("提醒天数"), QStringLiteral("7")));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("参数保存过程发生错误")});
    }
};

QTEST_GUILESS_MAIN(TestAutoNumber)
#include "tst_autonumber.moc"

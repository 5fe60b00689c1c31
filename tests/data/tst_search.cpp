#include <QtTest>

#include "data/SearchCondition.h"
#include "data/SqlHelpers.h"
#include "tests/support/TestDatabase.h"

Q_DECLARE_METATYPE(TSqlType)

namespace {
TFieldsData Field(const QString& name, const QString& kind, const QString& searchKind, const QString& prefix = {},
                  const QString& searchText = {}) {
    TFieldsData field;
    field.FieldName = name;
    field.DisplayLabel = name;
    field.Kind = kind;
    field.SearchKind = searchKind;
    field.TablePrefix = prefix;
    field.SearchText = searchText;
    return field;
}
TSearchValue Text(const QString& text) {
    TSearchValue value;
    value.text = text;
    return value;
}
}  // namespace

class TestSearch : public QObject {
    Q_OBJECT

private slots:
    void conditions_data() {
        QTest::addColumn<TSqlType>("type");
        QTest::addColumn<TFieldsData>("field");
        QTest::addColumn<QString>("op");
        QTest::addColumn<TSearchValue>("value");
        QTest::addColumn<QString>("sql");
        const auto L = TSqlType::urStandard, S = TSqlType::urSql_Server, A = TSqlType::urAccess;
        const TFieldsData name = Field(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("C"), QStringLiteral("T"), QStringLiteral("B"));
        const TFieldsData pages = Field(QStringLiteral("NUMBER_FIELD1"), QStringLiteral("N"), QStringLiteral("T"));
        const TFieldsData date = Field(QStringLiteral("DATE_FIELD1"), QStringLiteral("D"), QStringLiteral("D"));
        const TFieldsData month = Field(QStringLiteral("DATE_FIELD1"), QStringLiteral("D"), QStringLiteral("Y"));
        TSearchValue january;
        january.year = QStringLiteral("2001");
        january.month = QStringLiteral("01");
        for (TSqlType type : {L, S, A}) {
            const QString d = QString::number(int(type));
            QTest::addRow("like %s", qPrintable(d)) << type << name << "Like" << Text(QStringLiteral("合同")) << "B.ARCHIVE_NAME Like '%合同%'";
            QTest::addRow("equal text %s", qPrintable(d)) << type << name << "=" << Text(QStringLiteral("O'Neil")) << "B.ARCHIVE_NAME = 'O''Neil'";
        }
        QTest::newRow("number local") << L << pages << ">=" << Text(QStringLiteral("5")) << "NUMBER_FIELD1 >= 5";
        QTest::newRow("number server null") << S << pages << ">=" << Text(QStringLiteral("5")) << "ISNULL(NUMBER_FIELD1,0) >= 5";
        QTest::newRow("number access") << A << pages << ">=" << Text(QStringLiteral("5")) << "NUMBER_FIELD1 >= 5";
        QTest::newRow("number typed as text is quoted") << L << pages << "=" << Text(QStringLiteral("5 OR 1=1")) << "NUMBER_FIELD1 = '5 OR 1=1'";
        QTest::newRow("year-month local") << L << month << "=" << january
                                          << "(100 * CAST(strftime('%Y',DATE_FIELD1) AS INTEGER) + CAST(strftime('%m',DATE_FIELD1) AS INTEGER)) = 200101";
        QTest::newRow("year-month server") << S << month << ">=" << january
                                           << "(100 * Datepart(yy,DATE_FIELD1) + Datepart(mm,DATE_FIELD1)) >= 200101";
        QTest::newRow("year-month access") << A << month << "=" << january << "(100 * YEAR(DATE_FIELD1) + MONTH(DATE_FIELD1)) = 200101";
        QTest::newRow("date local") << L << date << "<=" << Text(QStringLiteral("2000-08-08")) << "DATE_FIELD1 <= '2000-08-08'";
        QTest::newRow("date server") << S << date << "<=" << Text(QStringLiteral("2000-08-08")) << "DATE_FIELD1 <= '2000-08-08'";
        QTest::newRow("date access") << A << date << "=" << Text(QStringLiteral("2000-08-08"))
                                     << "(10000 * YEAR(DATE_FIELD1) +100 * MONTH(DATE_FIELD1)) + DAY(DATE_FIELD1) = 20000808";
        TFieldsData inner = Field(QStringLiteral("ARCHIVE_RECORD_ID IN (SELECT ARCHIVE_RECORD_ID FROM QD_ARCHIVE_LEND_TABLE WHERE"),
                                  QStringLiteral("D"), QStringLiteral("DLS"), {}, QStringLiteral("LEND_DATE"));
        QTest::newRow("inner date") << L << inner << ">=" << Text(QStringLiteral("2015-01-01"))
                                    << "ARCHIVE_RECORD_ID IN (SELECT ARCHIVE_RECORD_ID FROM QD_ARCHIVE_LEND_TABLE WHERE LEND_DATE >= '2015-01-01')";
        TFieldsData list = Field(QStringLiteral("TEXT_FIELD1"), QStringLiteral("C"), QStringLiteral("B"));
        list.SearchText = QStringLiteral("绝密;机密;秘密");
        QTest::newRow("value list") << L << list << "=" << Text(QStringLiteral("机密")) << "TEXT_FIELD1 = '机密'";
        TFieldsData closed = Field(QStringLiteral("TEXT_FIELD2"), QStringLiteral("C"), QStringLiteral("LS"));
        QTest::newRow("closing kind") << L << closed << "Like" << Text(QStringLiteral("x")) << "TEXT_FIELD2 Like '%x%') ";
        TFieldsData sub = Field(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("C"), QStringLiteral("DS"));
        sub.LookupTable = QStringLiteral("QD_ARCHIVE_LEND_TABLE");
        sub.LookupColumn = QStringLiteral("ARCHIVE_RECORD_ID");
        sub.LookupKey = QStringLiteral("LEND_NAME");
        QTest::newRow("sub-select") << L << sub << "=" << Text(QStringLiteral("张'三"))
                                    << "ARCHIVE_RECORD_ID IN (SELECT ARCHIVE_RECORD_ID FROM QD_ARCHIVE_LEND_TABLE WHERE LEND_NAME = '张''三') ";
        TFieldsData contains = Field(QStringLiteral("NOTE"), QStringLiteral("C"), QStringLiteral("BT"));
        QTest::newRow("contains") << L << contains << "=" << Text(QStringLiteral("a%b")) << "NOTE LIKE '%a%b%'";
        TFieldsData chosen = Field(QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("C"), QStringLiteral("ES"), {}, QStringLiteral("ARCHIVE_TYPE_ID"));
        TSearchValue picked;
        picked.text = picked.chosenText = QStringLiteral("文书档案");
        picked.chosenValue = QStringLiteral("001");
        picked.chosen = true;
        QTest::newRow("chosen value") << L << chosen << "=" << picked << "ARCHIVE_TYPE_ID = '001'";
        TFieldsData templ = Field(QStringLiteral("TEXT_FIELD3"), QStringLiteral("C"), QStringLiteral("BF"));
        TSearchValue wrapped = Text(QStringLiteral("甲"));
        wrapped.chosen = true;
        wrapped.chosenValue = QStringLiteral("(* AND X = 1)@fixed");
        QTest::newRow("template") << L << templ << "=" << wrapped << "(TEXT_FIELD3 = '甲' AND X = 1)";
    }

    void conditions() {
        QFETCH(TSqlType, type);
        QFETCH(TFieldsData, field);
        QFETCH(QString, op);
        QFETCH(TSearchValue, value);
        QFETCH(QString, sql);
        const TSearchCondition::TResult result = TSearchCondition::Build(type, field, op, value);
        QVERIFY2(result.Ok(), qPrintable(result.error));
        QCOMPARE(result.sql, sql);
    }

    void refusals_data() {
        QTest::addColumn<QString>("searchKind");
        QTest::addColumn<QString>("op");
        QTest::addColumn<TSearchValue>("value");
        QTest::addColumn<QString>("message");
        TSearchValue year;
        year.year = QStringLiteral("01");
        year.month = QStringLiteral("08");
        TSearchValue month;
        month.year = QStringLiteral("2001");
        month.month = QStringLiteral("8");
        TSearchValue noMonth;
        noMonth.year = QStringLiteral("2001");
        TSearchValue changed;
        changed.text = QStringLiteral("改过的");
        changed.chosenText = QStringLiteral("文书档案");
        changed.chosenValue = QStringLiteral("001");
        changed.chosen = true;
        QTest::newRow("no operator") << "T" << "" << Text(QStringLiteral("x")) << "必须有一个查找关系";
        QTest::newRow("no value") << "T" << "=" << Text(QString()) << "必须有一个查找的值";
        QTest::newRow("no date") << "D" << "=" << Text(QString()) << "必须有一个查找的日期";
        QTest::newRow("bad date") << "D" << "=" << Text(QStringLiteral("2000-8-8")) << "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”";
        QTest::newRow("no year") << "Y" << "=" << TSearchValue{} << "必须有一个查找的年份";
        QTest::newRow("short year") << "Y" << "=" << year << "错误的年份,正确的年份如2000年是:“2000”";
        QTest::newRow("one-digit month") << "Y" << "=" << month << "错误的月份,正确的月份如8月是:“08”";
        QTest::newRow("no month") << "Y" << "=" << noMonth << "必须有一个查找的月份";
        QTest::newRow("not chosen") << "ES" << "=" << Text(QStringLiteral("x")) << "必须从弹出的窗口里选择一个值";
        QTest::newRow("chosen then changed") << "ES" << "=" << changed << "选择出来的值不能改变";
    }

    void refusals() {
        QFETCH(QString, searchKind);
        QFETCH(QString, op);
        QFETCH(TSearchValue, value);
        QFETCH(QString, message);
        const TFieldsData field = Field(QStringLiteral("DATE_FIELD1"), QStringLiteral("D"), searchKind);
        QCOMPARE(TSearchCondition::Build(TSqlType::urStandard, field, op, value).error, message);
    }

    // The January 2001 search against stored dates.
    void yearMonthSelectsTheMonth() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        int n = 0;
        for (const char* day : {"2000-12-31", "2001-01-01", "2001-01-31", "2001-02-01", "2002-01-15"}) {
            QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, DATE_FIELD1) VALUES (?, ?)"),
                            {QStringLiteral("R%1").arg(++n), QLatin1String(day)}));
        }
        TSearchValue january;
        january.year = QStringLiteral("2001");
        january.month = QStringLiteral("01");
        const TFieldsData month = Field(QStringLiteral("DATE_FIELD1"), QStringLiteral("D"), QStringLiteral("Y"));
        auto count = [&](const QString& op) {
            return ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE WHERE ") +
                               TSearchCondition::Build(TSqlType::urStandard, month, op, january).sql);
        };
        QCOMPARE(count(QStringLiteral("=")), 2.0);
        QCOMPARE(count(QStringLiteral(">=")), 4.0);
    }

    void likeIsOfferedByKind() {
        QVERIFY(TSearchCondition::OffersLike(Field(QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("T"))));
        QVERIFY(!TSearchCondition::OffersLike(Field(QStringLiteral("A"), QStringLiteral("N"), QStringLiteral("T"))));
        QVERIFY(!TSearchCondition::OffersLike(Field(QStringLiteral("A"), QStringLiteral("D"), QStringLiteral("D"))));
        QVERIFY(TSearchCondition::OffersLike(Field(QStringLiteral("A"), QStringLiteral("N"), QStringLiteral("S"))));
        QVERIFY(TSearchCondition::FixedOperator(QStringLiteral("BT")));
    }

    void typedTextIsCleaned_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("clean");
        QTest::newRow("blanks") << "  合同  " << "合同";
        QTest::newRow("question mark") << "abc?def" << "abc";
        QTest::newRow("semicolons") << "a;b;c;d" << "d";
        QTest::newRow("full-width") << "一；二；三" << "三";
    }

    void typedTextIsCleaned() {
        QFETCH(QString, typed);
        QFETCH(QString, clean);
        QCOMPARE(TSearchCondition::CleanTypedText(typed), clean);
    }

    void conditionListJoinsAndRemoves() {
        TSearchConditionList list;
        QStringList fragments;
        QCOMPARE(list.Confirm(&fragments), QStringLiteral("没有查找表达式"));
        QCOMPARE(list.Add(QStringLiteral("A = 1"), QStringLiteral("甲 等于 1"), TSearchConditionList::TLogic::None), QString());
        QCOMPARE(list.Add(QStringLiteral("B = 2"), QStringLiteral("乙 等于 2"), TSearchConditionList::TLogic::None),
                 QStringLiteral("必须有一个查找逻辑"));
        list.Add(QStringLiteral("B = 2"), QStringLiteral("乙 等于 2"), TSearchConditionList::TLogic::And);
        list.Add(QStringLiteral("C = 3"), QStringLiteral("丙 等于 3"), TSearchConditionList::TLogic::Or);
        QCOMPARE(list.DisplayText(), QStringLiteral(" 甲 等于 1 并且 乙 等于 2 或着 丙 等于 3"));
        list.Remove(0);
        QCOMPARE(list.DisplayLines().first(), QStringLiteral(" 乙 等于 2"));
        QCOMPARE(list.Confirm(&fragments), QString());
        QCOMPARE(fragments, (QStringList{QStringLiteral("B = 2"), QStringLiteral(" or C = 3")}));
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(ValueRow(QStringLiteral("SELECT 1 WHERE (") +
                         fragments.join(QString()).replace(QLatin1Char('B'), QLatin1Char('2')).replace(QLatin1Char('C'), QLatin1Char('0')) +
                         QLatin1Char(')'))
                    .isValid());
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"

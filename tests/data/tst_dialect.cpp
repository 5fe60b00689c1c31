#include <QtSql/QSqlQuery>
#include <QtTest>

#include "data/Dialect.h"
#include "data/SqlHelpers.h"
#include "tests/support/TestDatabase.h"

Q_DECLARE_METATYPE(TSqlType)

class TestDialect : public QObject {
    Q_OBJECT

private slots:
    void fragments_data() {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<QString>("expected");
        const QString col = QStringLiteral("ARCHIVE_ID");
        const QDate date(2015, 3, 25);
        QTest::newRow("substring local") << TDialect::SubString(TSqlType::urStandard, col, 5, 6)
                                         << "SUBSTR(ARCHIVE_ID,5,6)";
        QTest::newRow("substring server") << TDialect::SubString(TSqlType::urSql_Server, col, 5, 6)
                                          << "SubString(ARCHIVE_ID,5,6)";
        QTest::newRow("substring access") << TDialect::SubString(TSqlType::urAccess, col, 5, 6)
                                          << "MID(ARCHIVE_ID,5,6)";
        QTest::newRow("stamp clock local") << TDialect::TimeStampClockStatement(TSqlType::urStandard) << "";
        QTest::newRow("stamp clock server") << TDialect::TimeStampClockStatement(TSqlType::urSql_Server)
                                            << "SELECT getdate() As GDATE ";
        QTest::newRow("stamp clock access") << TDialect::TimeStampClockStatement(TSqlType::urAccess) << "";
        QTest::newRow("today local") << TDialect::TodayStatement(TSqlType::urStandard) << "";
        QTest::newRow("today server") << TDialect::TodayStatement(TSqlType::urSql_Server)
                                      << "SELECT convert(char(10),getdate(),111) As GDATE ";
        QTest::newRow("today access") << TDialect::TodayStatement(TSqlType::urAccess) << "";
        QTest::newRow("date local") << TDialect::DateLiteral(TSqlType::urStandard, date) << "'2015-03-25'";
        QTest::newRow("date server") << TDialect::DateLiteral(TSqlType::urSql_Server, date) << "'03/25/2015'";
        QTest::newRow("date access") << TDialect::DateLiteral(TSqlType::urAccess, date) << "'03/25/2015'";
        QTest::newRow("year local") << TDialect::YearOf(TSqlType::urStandard, QStringLiteral("LEND_DATE"))
                                    << "CAST(strftime('%Y',LEND_DATE) AS INTEGER)";
        QTest::newRow("year server") << TDialect::YearOf(TSqlType::urSql_Server, QStringLiteral("LEND_DATE"))
                                     << "Datepart(yy,LEND_DATE)";
        QTest::newRow("year access") << TDialect::YearOf(TSqlType::urAccess, QStringLiteral("LEND_DATE"))
                                     << "YEAR(LEND_DATE)";
        QTest::newRow("month server") << TDialect::MonthOf(TSqlType::urSql_Server, QStringLiteral("D"))
                                      << "Datepart(mm,D)";
        QTest::newRow("month access") << TDialect::MonthOf(TSqlType::urAccess, QStringLiteral("D")) << "MONTH(D)";
        QTest::newRow("day local") << TDialect::DayOf(TSqlType::urStandard, QStringLiteral("D"))
                                   << "CAST(strftime('%d',D) AS INTEGER)";
        QTest::newRow("day access") << TDialect::DayOf(TSqlType::urAccess, QStringLiteral("D")) << "DAY(D)";
        QTest::newRow("null server") << TDialect::NullAsZero(TSqlType::urSql_Server, QStringLiteral("N"))
                                     << "ISNULL(N,0)";
        QTest::newRow("null local") << TDialect::NullAsZero(TSqlType::urStandard, QStringLiteral("N")) << "N";
        QTest::newRow("null access") << TDialect::NullAsZero(TSqlType::urAccess, QStringLiteral("N")) << "N";
        QTest::newRow("type server") << TDialect::ArchiveTypeCondition(TSqlType::urSql_Server, QStringLiteral("002001"))
                                     << " SUBSTRING(ARCHIVE_TYPE_ID  FROM 1  FOR  6) = '002001'";
        QTest::newRow("type access alias")
            << TDialect::ArchiveTypeCondition(TSqlType::urAccess, QStringLiteral("002"), QStringLiteral("A"))
            << " SUBSTRING(A.ARCHIVE_TYPE_ID  FROM 1  FOR  3) = '002'";
        QTest::newRow("type rounds length") << TDialect::ArchiveTypeCondition(TSqlType::urSql_Server,
                                                                              QStringLiteral("G001"))
                                            << " SUBSTRING(ARCHIVE_TYPE_ID  FROM 1  FOR  3) = 'G001'";
        QTest::newRow("type empty prefix") << TDialect::ArchiveTypeCondition(TSqlType::urSql_Server, QString())
                                           << "";
        QTest::newRow("type local empty") << TDialect::ArchiveTypeCondition(TSqlType::urStandard, QString()) << "";
        QTest::newRow("type local range") << TDialect::ArchiveTypeCondition(TSqlType::urStandard,
                                                                            QStringLiteral("002001"))
                                          << " (ARCHIVE_TYPE_ID >= '002001' AND ARCHIVE_TYPE_ID < '002002')";
        QTest::newRow("type local alias") << TDialect::ArchiveTypeCondition(TSqlType::urStandard, QStringLiteral("009"),
                                                                            QStringLiteral("M"))
                                          << " (M.ARCHIVE_TYPE_ID >= '009' AND M.ARCHIVE_TYPE_ID < '00:')";
        QTest::newRow("type quote doubled") << TDialect::ArchiveTypeCondition(TSqlType::urSql_Server,
                                                                              QStringLiteral("0'1"))
                                            << " SUBSTRING(ARCHIVE_TYPE_ID  FROM 1  FOR  3) = '0''1'";
    }

    void fragments() {
        QFETCH(QString, fragment);
        QFETCH(QString, expected);
        QCOMPARE(fragment, expected);
    }

    void localEditionNeverAsksTheServerClock() {
        QVERIFY(!TDialect::TimeStampClockStatement(ProgramSqlType).contains(QStringLiteral("getdate()")));
        QVERIFY(!TDialect::TodayStatement(ProgramSqlType).contains(QStringLiteral("getdate()")));
        QCOMPARE(ProgramSqlType, TSqlType::urStandard);
    }

    // The range form the local engine uses must select exactly what the text
    // comparison selects, for every kind of prefix.
    void typeConditionFormsSelectTheSameRows_data() {
        QTest::addColumn<QString>("prefix");
        for (const char* prefix : {"001", "002", "002001", "009", "099", "G001", "00", "0020", "00200", "002001001",
                                   "00'1"}) {
            QTest::newRow(prefix) << QString::fromLatin1(prefix);
        }
    }

    void typeConditionFormsSelectTheSameRows() {
        QFETCH(QString, prefix);
        TTestDatabase db;
        QVERIFY(db.IsReady());
        const QStringList types{"001",    "001001", "002",       "002001",    "002001001", "002002", "0020",
                                "00200",  "009",    "009999",    "00:",       "010",       "099",    "100",
                                "G001",   "00'1",   "002001002", "0020010",   ""};
        int n = 0;
        for (const QString& type : types) {
            QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID) "
                                           "VALUES (?, ?)"),
                            {QStringLiteral("A%1").arg(++n), type}));
        }
        auto select = [](const QString& condition) {
            QStringList ids;
            QSqlQuery query = OpenQuery(QStringLiteral("SELECT ARCHIVE_RECORD_ID FROM QD_ARCHIVE_MASTER_TABLE M WHERE") +
                                        condition + QStringLiteral(" ORDER BY ARCHIVE_RECORD_ID"));
            while (query.next()) {
                ids.append(query.value(0).toString());
            }
            return ids;
        };
        const QString fast = TDialect::ArchiveTypeCondition(TSqlType::urStandard, prefix, QStringLiteral("M"));
        const QString plain = TDialect::ArchiveTypeConditionBySubString(TSqlType::urStandard, prefix, QStringLiteral("M"));
        QCOMPARE(select(fast), select(plain));
    }

    void rangeFormIsAnsweredFromTheIndex() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QSqlQuery plan = OpenQuery(QStringLiteral("EXPLAIN QUERY PLAN SELECT * FROM QD_ARCHIVE_MASTER_TABLE WHERE") +
                                   TDialect::ArchiveTypeCondition(TSqlType::urStandard, QStringLiteral("002")));
        QString details;
        while (plan.next()) {
            details += plan.value(3).toString();
        }
        QVERIFY2(details.contains(QStringLiteral("USING INDEX")), qPrintable(details));
    }

    void yearMonthDayExtractionOnStoredDates() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_LEND_TABLE (LEND_ID, ARCHIVE_RECORD_ID, LEND_DATE) "
                                       "VALUES ('L1', 'A1', '2015-03-25')")));
        const QString col = QStringLiteral("LEND_DATE");
        const QString expression = QStringLiteral("10000 * %1 + 100 * %2 + %3")
                                       .arg(TDialect::YearOf(ProgramSqlType, col), TDialect::MonthOf(ProgramSqlType, col),
                                            TDialect::DayOf(ProgramSqlType, col));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT ") + expression + QStringLiteral(" FROM QD_ARCHIVE_LEND_TABLE")),
                 20150325.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_LEND_TABLE WHERE LEND_DATE = ") +
                             TDialect::DateLiteral(ProgramSqlType, QDate(2015, 3, 25))),
                 1.0);
    }
};

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"

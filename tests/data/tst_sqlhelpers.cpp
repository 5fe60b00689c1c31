#include <QtTest>

#include "data/DatabaseError.h"
#include "data/SqlHelpers.h"
#include "tests/support/TestDatabase.h"

class TestSqlHelpers : public QObject {
    Q_OBJECT

private slots:
    void quotedStrDoublesInnerQuotes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "档案" << "'档案'";
        QTest::newRow("empty") << "" << "''";
        QTest::newRow("one quote") << "O'Brien" << "'O''Brien'";
        QTest::newRow("injection attempt") << "x' OR '1'='1" << "'x'' OR ''1''=''1'";
        QTest::newRow("only quotes") << "''" << "''''''";
    }

    void quotedStrDoublesInnerQuotes() {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(QuotedStr(text), quoted);
    }

    // Values with quotes are stored and matched literally, whether placed in the
    // text through QuotedStr or bound.
    void quotedAndBoundValuesAreStoredAndComparedLiterally_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("injection") << "x' OR '1'='1";
        QTest::newRow("apostrophe") << "O'Brien";
        QTest::newRow("comment") << "a'; DELETE FROM SYS_ID_TABLE; --";
        QTest::newRow("percent") << "100%";
    }

    void quotedAndBoundValuesAreStoredAndComparedLiterally() {
        QFETCH(QString, value);
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('other', 'kept')")));
        QVERIFY(ExecuteFormat(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES (%1, %2)"),
                              QuotedStr(QStringLiteral("quoted")), QuotedStr(value)));
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES (?, ?)"),
                        {QStringLiteral("bound"), value}));
        QCOMPARE(ValueText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'quoted'")), value);
        QCOMPARE(ValueText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'bound'")), value);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ID_TABLE WHERE AUTO_ID = ") + QuotedStr(value)),
                 2.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ID_TABLE WHERE AUTO_ID = ?"), {value}), 2.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ID_TABLE")), 3.0);
    }

    void executeReportsFailureWithoutThrowing() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(!Execute(QStringLiteral("INSERT INTO NO_SUCH_TABLE VALUES (1)")));
        QVERIFY(!Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES (?)"), {1, 2}));
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES ('a')")));
        // The key refuses a second row of the same name.
        QVERIFY(!Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES ('a')")));
    }

    void queryHelpersPassErrorsOn() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY_THROWS_EXCEPTION(TDatabaseError, ValueText(QStringLiteral("SELECT X FROM NO_SUCH_TABLE")));
        QVERIFY_THROWS_EXCEPTION(TDatabaseError, ValueNumber(QStringLiteral("SELEC 1")));
        QVERIFY_THROWS_EXCEPTION(TDatabaseError, OpenQuery(QStringLiteral("SELECT * FROM NO_SUCH_TABLE")));
        try {
            OpenQuery(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
        } catch (const TDatabaseError& error) {
            QCOMPARE(error.Statement(), QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
            QVERIFY(error.Message().contains(QStringLiteral("NO_SUCH_TABLE")));
        }
    }

    void singleValueQueries() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('n', '￥1,234.50')")));
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID, AUTO_ID) VALUES ('t', 'abc')")));
        const QString none = QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'missing'");
        QCOMPARE(ValueText(none), QString());
        QCOMPARE(ValueNumber(none), 0.0);
        QVERIFY(!ValueRow(none).isValid());

        QCOMPARE(ValueText(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'n'")),
                 QStringLiteral("￥1,234.50"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'n'")), 1234.5);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 't'")), 0.0);

        QCOMPARE(ValueRow(QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 't'")).toString(),
                 QStringLiteral("abc"));
        const QVariant row =
            ValueRow(QStringLiteral("SELECT NAME_ID, AUTO_ID FROM SYS_ID_TABLE ORDER BY NAME_ID DESC"));
        QCOMPARE(row.typeId(), QMetaType::QVariantList);
        QCOMPARE(row.toList(), (QVariantList{QStringLiteral("t"), QStringLiteral("abc")}));
    }

    void parseNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("currency and thousands") << "￥1,234.50" << 1234.5;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks around") << "  42  " << 42.0;
        QTest::newRow("negative") << "-3.25" << -3.25;
        QTest::newRow("currency then blank") << "￥ 7" << 7.0;
        QTest::newRow("trailing letters") << "12abc" << 0.0;
        QTest::newRow("infinity is not a number") << "inf" << 0.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("commas only") << ",,," << 0.0;
    }

    void parseNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(ParseNumber(text), value);
    }

    void transactionRollsBackUnlessCommitted() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        {
            TTransaction transaction;
            QVERIFY(transaction.IsActive());
            QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES ('lost')")));
        }
        {
            TTransaction transaction;
            QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES ('kept')")));
            QVERIFY(transaction.Commit());
        }
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(NAME_ID) FROM SYS_ID_TABLE")), QStringLiteral("kept"));
    }
};

QTEST_GUILESS_MAIN(TestSqlHelpers)
#include "tst_sqlhelpers.moc"

#include <QtTest>

#include "catalogue/FieldDefinitions.h"
#include "data/SqlHelpers.h"
#include "records/DateReminder.h"
#include "tests/support/TestDatabase.h"

class TestDateReminder : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_db = std::make_unique<TTestDatabase>();
        TFieldDefinitions().SeedIfEmpty();
        // Watched column DATE_FIELD1; 30 days before 2015-03-25 is 2015-02-23.
        Execute(QStringLiteral(
            "INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, DATE_FIELD1) VALUES "
            "('V1', '1', '2014-12-31'), ('V2', '2', '2015-02-23'), ('V3', '3', '2015-02-24'), "
            "('V4', '4', NULL), ('V5', '5', '2015-03-25')"));
    }
    void cleanup() { m_db.reset(); }

    void dueVolumesAreCountedUpToTheCutOff() {
        const TDateReminder reminder =
            TDateReminder::Check(QStringLiteral("DATE_FIELD1"), 30, QDate(2015, 3, 25));
        const QString label = ValueText(QStringLiteral(
            "SELECT FIELD_DISPLAY_NAME FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_NAME = 'DATE_FIELD1'"));
        QVERIFY(!label.isEmpty());
        QCOMPARE(reminder.Label, label);
        // Across a year end and on the cut-off day itself; no date is never due.
        QCOMPARE(reminder.Count, 2);
        QCOMPARE(reminder.Condition,
                 QStringLiteral("((NOT(DATE_FIELD1 IS NULL)) AND (DATE_FIELD1 <= '2015-02-23'))"));
        QCOMPARE(reminder.Description,
                 QStringLiteral("查找条件：(") + label + QStringLiteral(" - 2015年03月25日) 小于等于 30"));
        QCOMPARE(reminder.Question(), QStringLiteral("有 2 个档案的") + label +
                                          QStringLiteral("到了设定的提醒日\r\n是否去看看这些档案"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE WHERE ") +
                             reminder.Condition),
                 2.0);
    }

    void noReminder_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("days");
        QTest::newRow("off") << "" << 30;
        QTest::newRow("column without a definition") << "DATE_FIELD9" << 30;
        QTest::newRow("not a column name") << "DATE_FIELD1) OR (1=1" << 30;
        QTest::newRow("nothing old enough") << "DATE_FIELD1" << 4000;
    }
    void noReminder() {
        QFETCH(QString, field);
        QFETCH(int, days);
        const TDateReminder reminder = TDateReminder::Check(field, days, QDate(2015, 3, 25));
        QVERIFY(reminder.Label.isEmpty());
        QCOMPARE(reminder.Count, 0);
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestDateReminder)
#include "tst_datereminder.moc"

#include <QComboBox>
#include <QtTest>

#include "data/QDQuery.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/QueryHelpers.h"
#include "tests/support/TestDatabase.h"

class TestQueryHelpers : public QObject {
    Q_OBJECT

private slots:
    void fillComboTakesTheColumnInOrder() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME) VALUES ('B', '乙'), ('A', '甲'), ('C', '丙')")));
        TQDQuery query;
        query.SetSql(QStringLiteral("SELECT USE_NAME FROM SYS_USER_TABLE ORDER BY USE_ID"));
        QVERIFY(query.Open());
        QComboBox combo;
        combo.addItem(QStringLiteral("旧的"));
        FillCombo(&combo, query, QStringLiteral("USE_NAME"));
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(0), QStringLiteral("甲"));
        QCOMPARE(combo.itemText(2), QStringLiteral("丙"));
    }

    void runCountedTellsHowManyWereFound() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_USER_TABLE (USE_ID, USE_NAME) VALUES ('B', '乙'), ('A', '甲')")));
        TQDQuery query;
        query.SetSql(QStringLiteral("SELECT * FROM SYS_USER_TABLE"));
        QVERIFY(query.Open());
        TRecordingPresenter messages;
        RunCounted(query, QStringLiteral("SELECT * FROM SYS_USER_TABLE WHERE USE_ID = 'A'"));
        QCOMPARE(query.RecordCount(), 1);
        RunCounted(query, QStringLiteral("SELECT * FROM SYS_USER_TABLE WHERE USE_ID = 'Z'"));
        QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("共找到 1 个符合条件的纪录"), QStringLiteral("没有找到符合条件的纪录")}));
        QVERIFY(query.Active());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestQueryHelpers)
#include "tst_queryhelpers.moc"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <future>
#include <thread>
#include <QtSql/QSqlQuery>
#include <QtTest>

#include "data/Clock.h"
#include "data/DM.h"
#include "data/QDGlobal.h"
#include "data/QDQuery.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/VolumeRules.h"

namespace {

void AddVolumes(int count, const QString& type = QStringLiteral("001")) {
    TTransaction transaction;
    for (int i = 0; i < count; ++i) {
        const QString n = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID, ARCHIVE_ID, "
                               "ARCHIVE_NAME, NUMBER_FIELD1) VALUES (?, ?, ?, ?, ?)"),
                {QStringLiteral("R") + n, type, QStringLiteral("N") + n, QStringLiteral("卷") + n, double(i % 10)});
    }
    transaction.Commit();
}

QStringList Column(TQDQuery& query, const QString& field) {
    QStringList values;
    const int column = query.FieldIndex(field);
    for (int row = 0; row < query.RecordCount(); ++row) {
        values.append(query.RowValue(row, column).toString());
    }
    return values;
}

// A view that records what the query asked of the window.
class TRecordingView : public TQDQueryView {
public:
    void SetGridsEnabled(bool enabled) override { gridsEnabled = enabled; }
    void FocusActiveControl(const QString& name, unsigned) override { focused.append(name); }
    void FocusField(const QString& field, QObject*) override { focused.append(field); }
    QString ControlText(QObject*) const override { return controlText; }
    bool gridsEnabled = true;
    QStringList focused;
    QString controlText;
};

}  // namespace

class TestQuery : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 30, 0)));
        QDGlobal::StartDateText = QStringLiteral("2015-03-25");
        QDGlobal::CurrentUserName = QStringLiteral("管理员");
    }
    void cleanup() { TClock::Reset(); }

    // A save under another connection's short write lock waits it out; a
    // lock held past the busy timeout is reported as such, and the row stays
    // in edit.
    void aSaveWaitsOutAShortLock_data() {
        QTest::addColumn<int>("heldMs");
        QTest::addColumn<bool>("saved");
        QTest::newRow("short lock") << 400 << true;
        QTest::newRow("lock past the timeout") << 6500 << false;
    }
    void aSaveWaitsOutAShortLock() {
        QFETCH(int, heldMs);
        QFETCH(bool, saved);
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery list;
        list.SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(list.Open());
        QVERIFY(list.Insert());
        list.SetValue(QStringLiteral("NAME_ID"), QStringLiteral("锁"));
        const QString file = TDM::DatabaseFile(db.Folder());
        std::promise<void> locked;
        std::thread other([&file, heldMs, &locked] {
            {
                QSqlDatabase second = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
                second.setDatabaseName(file);
                second.open();
                QSqlQuery(second).exec(QStringLiteral("BEGIN IMMEDIATE"));
                locked.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(heldMs));
                QSqlQuery(second).exec(QStringLiteral("COMMIT"));
                second.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        });
        locked.get_future().wait();
        TRecordingPresenter messages;
        QElapsedTimer waited;
        waited.start();
        const bool ok = list.Save();
        const qint64 elapsed = waited.elapsed();
        other.join();
        QCOMPARE(ok, saved);
        QVERIFY(elapsed >= 300);
        QCOMPARE(messages.Texts(), saved ? QStringList{} : QStringList{QStringLiteral("有未关闭的数据表")});
        QCOMPARE(list.State(), saved ? TDataSetState::Browse : TDataSetState::Insert);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ID_TABLE WHERE NAME_ID = '锁'")), saved ? 1.0 : 0.0);
    }

    // A database whose file was deleted while the program runs takes no
    // saves: the user is told and the edit stays for a later save.
    void aSaveToAVanishedDatabaseKeepsTheEdit() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery list;
        list.SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(list.Open());
        QVERIFY(list.Insert());
        list.SetValue(QStringLiteral("NAME_ID"), QStringLiteral("丢失"));
        const QString folder = db.Folder();
        QVERIFY(QDir(folder).removeRecursively());
        TRecordingPresenter messages;
        QVERIFY(!list.Save());
        QCOMPARE(messages.Texts(), QStringList{TDM::VanishedMessage()});
        QVERIFY(messages.LastText().contains(TDM::DatabaseFile(folder)));
        QCOMPARE(list.State(), TDataSetState::Insert);
        QCOMPARE(list.Text(QStringLiteral("NAME_ID")), QStringLiteral("丢失"));
        QVERIFY(!Execute(QStringLiteral("INSERT INTO SYS_ID_TABLE (NAME_ID) VALUES ('x')")));
        list.Cancel();
    }

    void browsesALongListPageByPage() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(1234);
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        QVERIFY(query.Open());
        QCOMPARE(query.State(), TDataSetState::Browse);
        QCOMPARE(query.RecNo(), 0);
        QVERIFY(query.Bof());
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("N00000"));
        QCOMPARE(query.RecordCount(), 1234);
        QVERIFY(query.MoveTo(777));
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_NAME")), QStringLiteral("卷00777"));
        query.Last();
        QVERIFY(query.Eof());
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("N01233"));
        query.Next();
        QVERIFY(query.Eof());
        QCOMPARE(query.RecNo(), 1233);
        query.First();
        query.Prior();
        QVERIFY(query.Bof());
        QCOMPARE(query.RecNo(), 0);
        query.Next();
        QCOMPARE(query.RecNo(), 1);
        QCOMPARE(query.Field(query.FieldIndex(QStringLiteral("NUMBER_FIELD1"))).kind, TFieldKind::Float);
        QCOMPARE(query.Field(query.FieldIndex(QStringLiteral("NUMBER_FIELD1"))).displayFormat, QStringLiteral("0.########"));
        QCOMPARE(query.Field(query.FieldIndex(QStringLiteral("ARCHIVE_ID"))).displayLabel, QStringLiteral("档案编号"));
        QCOMPARE(query.Text(QStringLiteral("NUMBER_FIELD1")), QStringLiteral("1"));

        const TQDQuery::TAggregate footer = query.Aggregate({QStringLiteral("NUMBER_FIELD1")});
        QCOMPARE(footer.count, 1234);
        QCOMPARE(footer.sums.value(QStringLiteral("NUMBER_FIELD1")), 123 * 45.0 + (0 + 1 + 2 + 3));
        QVERIFY(query.Locate(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N01100")));
        QCOMPARE(query.RecNo(), 1100);
    }

    // Rows written through the list stay where the user saw them; the rest
    // keeps its order around them, page after page.
    void writtenRowsKeepTheirPlace() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(1100);
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        QVERIFY(query.Open());

        QVERIFY(query.MoveTo(600));
        const TQDBookmark bookmark = query.Bookmark();
        QVERIFY(query.Edit());
        QVERIFY(query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("A-first-by-order")));
        QVERIFY(query.Save());
        QCOMPARE(query.RecNo(), 600);
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("A-first-by-order"));
        QCOMPARE(query.Text(QStringLiteral("EDIT_NAME")), QStringLiteral("管理员"));
        QCOMPARE(query.RecordCount(), 1100);

        QVERIFY(query.Insert());
        QCOMPARE(query.RecNo(), 1100);
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("A-new"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("新卷"));
        QVERIFY(query.Save());
        QCOMPARE(query.RecordCount(), 1101);
        QCOMPARE(query.RecNo(), 1100);

        QStringList expected;
        for (int i = 0; i < 1100; ++i) {
            expected.append(i == 600 ? QStringLiteral("A-first-by-order") : QStringLiteral("N%1").arg(i, 5, 10, QLatin1Char('0')));
        }
        expected.append(QStringLiteral("A-new"));
        QCOMPARE(Column(query, QStringLiteral("ARCHIVE_ID")), expected);
        QVERIFY(query.GotoBookmark(bookmark));
        QCOMPARE(query.RecNo(), 600);

        // Deleting a read row and a written one.
        query.NoDeleteConfirm = true;
        QVERIFY(query.MoveTo(10));
        QVERIFY(query.Delete());
        QCOMPARE(query.RecNo(), 10);
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("N00011"));
        QCOMPARE(query.RecordCount(), 1100);
        expected.removeAt(10);
        QCOMPARE(Column(query, QStringLiteral("ARCHIVE_ID")), expected);
        query.NoDeleteConfirm = true;
        QVERIFY(query.MoveTo(599));
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("A-first-by-order"));
        QVERIFY(query.Delete());
        expected.removeAt(599);
        QCOMPARE(Column(query, QStringLiteral("ARCHIVE_ID")), expected);
        QCOMPARE(query.Aggregate({}).count, 1099);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE")), 1099.0);

        // Opened again, the list is in the statement's order.
        query.Close();
        QVERIFY(query.Open());
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("A-new"));
    }

    void insertStampsAndStoresTheRow() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery query;
        ConfigureVolumeQuery(query, true);
        TRecordingView view;
        query.SetView(&view);
        query.ActiveControl = QStringLiteral("QDDBEdit1");
        QVERIFY(query.Open());
        QSignalSpy states(&query, &TQDQuery::StateChanged);
        QVERIFY(query.Insert());
        QCOMPARE(query.State(), TDataSetState::Insert);
        QVERIFY(!view.gridsEnabled);
        QCOMPARE(view.focused, QStringList{QStringLiteral("QDDBEdit1")});
        const QString firstKey = query.Text(QStringLiteral("ARCHIVE_RECORD_ID"));
        QVERIFY(firstKey.startsWith(QStringLiteral("A15032509")));
        QCOMPARE(firstKey.size(), 13);
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("2015000001"));
        QCOMPARE(query.Text(QStringLiteral("CREATE_DATE")), QStringLiteral("2015-03-25"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("文书档案"));
        query.SetValue(QStringLiteral("DATE_FIELD1"), QStringLiteral("2015-3-5"));
        query.SetValue(QStringLiteral("NUMBER_FIELD1"), QStringLiteral("12.50"));
        QVERIFY(query.Save());
        QVERIFY(view.gridsEnabled);
        QCOMPARE(query.State(), TDataSetState::Browse);
        QCOMPARE(states.count(), 2);
        QSqlQuery row = OpenQuery(QStringLiteral("SELECT ARCHIVE_ID, ARCHIVE_NAME, DATE_FIELD1, NUMBER_FIELD1, CREATE_NAME, "
                                                 "typeof(NUMBER_FIELD1) FROM QD_ARCHIVE_MASTER_TABLE"));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), QStringLiteral("2015000001"));
        QCOMPARE(row.value(1).toString(), QStringLiteral("文书档案"));
        QCOMPARE(row.value(2).toString(), QStringLiteral("2015-03-05"));
        QCOMPARE(row.value(3).toDouble(), 12.5);
        QCOMPARE(row.value(4).toString(), QStringLiteral("管理员"));
        QCOMPARE(row.value(5).toString(), QStringLiteral("real"));
        QCOMPARE(query.Text(QStringLiteral("DATE_FIELD1")), QStringLiteral("2015-03-05"));

        QVERIFY(query.Insert());
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("2015000002"));
        const QDateTime firstStamp = QDateTime::fromString(QStringLiteral("20") + firstKey.mid(1), QStringLiteral("yyyyMMddHHmmss"));
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_RECORD_ID")),
                 QStringLiteral("A") + firstStamp.addSecs(1).toString(QStringLiteral("yyMMddHHmmss")));
        query.Cancel();
        QCOMPARE(query.RecordCount(), 1);
        QCOMPARE(query.RecNo(), 0);
    }

    void validationRefusesWithTheLabel_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("required") << "ARCHIVE_NAME" << "" << "档案名称必须有一个值";
        QTest::newRow("blank is empty") << "ARCHIVE_NAME" << "   " << "档案名称必须有一个值";
        QTest::newRow("number with letters") << "NUMBER_FIELD1" << "12a" << "页数是错误的数据";
        QTest::newRow("impossible date") << "DATE_FIELD1" << "2015-2-30" << "档案日期是错误的数据";
        QTest::newRow("not a date") << "DATE_FIELD1" << "明天" << "档案日期是错误的数据";
        QTest::newRow("too long for the column") << "TEXT_FIELD1" << QString(26, QChar(0x4E2D))
                                                 << "TEXT_FIELD1的内容太长，最多可以输入50个字节(一个汉字占2个字节)";
        QTest::newRow("undeclared number column") << "NUMBER_FIELD2" << "abc" << "NUMBER_FIELD2是错误的数据";
    }

    void validationRefusesWithTheLabel() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery query;
        ConfigureVolumeQuery(query, true);
        TRecordingView view;
        query.SetView(&view);
        QVERIFY(query.Open());
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("名称"));
        query.SetValue(field, value);
        view.focused.clear();
        TRecordingPresenter messages;
        QVERIFY(!query.Save());
        QCOMPARE(messages.Texts(), QStringList{message});
        QCOMPARE(view.focused, QStringList{field});
        QCOMPARE(query.State(), TDataSetState::Insert);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE")), 0.0);
    }

    void requiredValueStillInTheEditCounts() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery query;
        ConfigureVolumeQuery(query, true);
        TRecordingView view;
        view.controlText = QStringLiteral("typed, not yet in the field");
        query.SetView(&view);
        QObject editor;
        query.FieldsData[1].EditControl = &editor;
        QVERIFY(query.Open());
        QVERIFY(query.Insert());
        TRecordingPresenter messages;
        QVERIFY(query.Save());
        QVERIFY(messages.Entries().isEmpty());
    }

    void deletedKeyRowKeepsTheEdit() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(3);
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        QVERIFY(query.Open());
        QVERIFY(query.MoveTo(1));
        QVERIFY(query.Edit());
        QVERIFY(Execute(QStringLiteral("DELETE FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID = 'R00001'")));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("改过"));
        TRecordingPresenter messages;
        QVERIFY(!query.Save());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("该记录已被其它用户删除或在其它窗口被删除")});
        QCOMPARE(query.State(), TDataSetState::Edit);
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_NAME")), QStringLiteral("改过"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE")), 2.0);
    }

    void failingWriteLeavesTheRowInEditAndNothingBehind() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(2);
        QVERIFY(Execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON QD_ARCHIVE_MASTER_TABLE WHEN "
                                       "NEW.ARCHIVE_NAME = 'bad' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        QString updateError;
        query.OnUpdateError = [&](const QString& detail) { updateError = detail; };
        QVERIFY(query.Open());
        TTransaction batch;
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("X1"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("kept"));
        QVERIFY(query.Save());
        QVERIFY(query.MoveTo(0));
        QVERIFY(query.Edit());
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("bad"));
        TRecordingPresenter messages;
        QVERIFY(!query.Save());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("数据保存过程发生错误")});
        QVERIFY(updateError.contains(QStringLiteral("refused")));
        QCOMPARE(query.State(), TDataSetState::Edit);
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("good"));
        QVERIFY(query.Save());
        QVERIFY(batch.Commit());
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(ARCHIVE_NAME, ',') FROM (SELECT ARCHIVE_NAME FROM "
                                          "QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID)")),
                 QStringLiteral("good,卷00001,kept"));
    }

    void duplicateChecks() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(2);
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        QVERIFY(query.Open());
        TRecordingPresenter messages;

        // Saving an existing row with its checked columns unchanged checks nothing.
        QVERIFY(query.Edit());
        query.SetValue(QStringLiteral("TEXT_FIELD2"), QStringLiteral("备注"));
        QVERIFY(query.Save());
        QVERIFY(messages.Entries().isEmpty());

        // Changing the number to one that exists is refused.
        QVERIFY(query.Edit());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N00001"));
        QVERIFY(!query.Save());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("档案编号重复")});
        query.Cancel();

        // A name that exists is asked about, once per statement.
        messages.Clear();
        messages.QueueAnswer(true);
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N9"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("卷00000"));
        QVERIFY(query.Save());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("档案名称重复,是否保存 ?")});
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N10"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("卷00000"));
        QVERIFY(query.Save());
        QCOMPARE(messages.Entries().size(), 1);
        messages.QueueAnswer(false);
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N11"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("卷00001"));
        QVERIFY(!query.Save());
        QCOMPARE(messages.Entries().size(), 2);
        QCOMPARE(query.State(), TDataSetState::Insert);
        QCOMPARE(messages.UnansweredQuestions(), 0);
    }

    void duplicateKeyIsRegeneratedAndPasses() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery query;
        ConfigureVolumeQuery(query, true);
        QVERIFY(query.Open());
        QVERIFY(query.Insert());
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("2015000001"));
        // Another workstation files the same number meanwhile.
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID) VALUES "
                                       "('OTHER', '2015000001')")));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("卷"));
        TRecordingPresenter messages;
        QVERIFY(query.Save());
        QVERIFY(messages.Entries().isEmpty());
        QCOMPARE(query.Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("2015000002"));
        QCOMPARE(ValueText(QStringLiteral("SELECT ARCHIVE_ID FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID <> 'OTHER'")),
                 QStringLiteral("2015000002"));
    }

    void collectedMessagesAreGatheredOnce() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(1);
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        query.CollectMessages = true;
        QVERIFY(query.Open());
        TRecordingPresenter messages;
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N00000"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("x"));
        QVERIFY(!query.Save());
        query.Cancel();
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N-new"));
        QVERIFY(!query.Save());
        QCOMPARE(query.CollectedMessages, QStringLiteral("档案编号重复\n\r档案名称必须有一个值"));
        QVERIFY(messages.Entries().isEmpty());
    }

    void batchModeRunsOnlyBatchChecks() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(1);
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        query.BatchMode = true;
        QVERIFY(query.Open());
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N00000"));
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("卷00000"));
        TRecordingPresenter messages;
        QVERIFY(query.Save());  // no batch flag on the number check without numbering
        QVERIFY(messages.Entries().isEmpty());
    }

    void lookupCheckFillsColumns() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_TYPE_TABLE (ARCHIVE_TYPE_ID, ARCHIVE_TYPE_NAME) VALUES "
                                       "('001', '文书''类')")));
        TQDQuery query;
        query.SetTableName(QStringLiteral("QD_ARCHIVE_MASTER_TABLE"));
        TCheckData lookup;
        lookup.Fields[0] = {QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("ARCHIVE_TYPE_ID"), {}, {}, QStringLiteral("C")};
        lookup.SelectPrefix = QStringLiteral("SELECT ARCHIVE_TYPE_NAME FROM QD_ARCHIVE_TYPE_TABLE WHERE ");
        lookup.Message = QStringLiteral("没有这个档案类别");
        lookup.FillFields = QStringLiteral("TEXT_FIELD1");
        query.CheckData = {lookup};
        QVERIFY(query.Open());
        TRecordingPresenter messages;
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("V1"));
        query.SetValue(QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("009"));
        QVERIFY(!query.Save());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("没有这个档案类别")});
        query.SetValue(QStringLiteral("ARCHIVE_TYPE_ID"), QStringLiteral("001"));
        QVERIFY(query.Save());
        QCOMPARE(query.Text(QStringLiteral("TEXT_FIELD1")), QStringLiteral("文书'类"));
    }

    void deleteConfirmsUnlessToldOnce() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        AddVolumes(3);
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        QVERIFY(query.Open());
        TRecordingPresenter messages;
        messages.QueueAnswer(false);
        QVERIFY(!query.Delete());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("请确认是否删除 ?")});
        QCOMPARE(query.RecordCount(), 3);
        query.NoDeleteConfirm = true;
        QVERIFY(query.Delete());
        QCOMPARE(messages.Entries().size(), 1);
        QVERIFY(!query.NoDeleteConfirm);
        messages.QueueAnswer(true);
        QVERIFY(query.Delete());
        QCOMPARE(messages.Entries().size(), 2);
        QCOMPARE(query.RecordCount(), 1);
    }

    void deleteTakesTheDetailRowsAlongOrNothing() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        const QString volume = QStringLiteral("V'1");
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID) VALUES (?, 'a'), ('V2', 'b')"),
                        {volume}));
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_DETAIL_TABLE (DETAIL_RECORD_ID, ARCHIVE_RECORD_ID) VALUES "
                                       "('C1', ?), ('C2', ?), ('C3', 'V2')"),
                        {volume, volume}));
        TQDQuery items;
        items.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_DETAIL_TABLE"));
        QVERIFY(items.Open());
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        query.QyDetail = &items;
        query.KeyValue = QStringLiteral("ARCHIVE_RECORD_ID");
        query.DetailTable = QStringLiteral("QD_ARCHIVE_DETAIL_TABLE");
        query.DetailDError = QStringLiteral("档案明细资料");
        QVERIFY(query.Open());
        QVERIFY(!items.Active());  // opening the master closes its detail

        // A failing volume delete keeps its items.
        QVERIFY(Execute(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON QD_ARCHIVE_MASTER_TABLE WHEN OLD.ARCHIVE_ID = 'a' "
                                       "BEGIN SELECT RAISE(ABORT, 'kept'); END")));
        TRecordingPresenter messages;
        query.NoDeleteConfirm = true;
        QVERIFY(!query.Delete());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("数据删除过程发生错误")});
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_DETAIL_TABLE")), 3.0);
        QVERIFY(Execute(QStringLiteral("DROP TRIGGER keep")));

        query.NoDeleteConfirm = true;
        QVERIFY(query.Delete());
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(DETAIL_RECORD_ID) FROM QD_ARCHIVE_DETAIL_TABLE")),
                 QStringLiteral("C3"));

        query.KeyValue.clear();
        messages.Clear();
        query.NoDeleteConfirm = true;
        QVERIFY(!query.Delete());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("没有KeyValue 属性")});
        query.KeyValue = QStringLiteral("ARCHIVE_RECORD_ID");
        query.DetailTable = QStringLiteral("NO_SUCH_TABLE");
        messages.Clear();
        query.NoDeleteConfirm = true;
        QVERIFY(!query.Delete());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("档案明细资料删除过程发生错误")});
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE")), 1.0);
    }

    void detailInsertNeedsAMasterRow() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery volumes;
        ConfigureVolumeQuery(volumes, false);
        QVERIFY(volumes.Open());
        TQDQuery items;
        items.SetTableName(QStringLiteral("QD_ARCHIVE_DETAIL_TABLE"));
        items.QyMaster = &volumes;
        QVERIFY(items.Open());
        TRecordingPresenter messages;
        QVERIFY(!items.Insert());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("主数据库页面没有数据纪录，从数据页面不能有新的纪录")});
        QCOMPARE(items.State(), TDataSetState::Browse);
        QCOMPARE(items.RecordCount(), 0);
    }

    // Every statement the component builds carries hostile text literally.
    void hostileValuesStayLiteral() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        const QString hostile = QStringLiteral("x' OR '1'='1");
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, ARCHIVE_NAME) "
                                       "VALUES ('R1', 'N1', 'plain')")));
        TQDQuery query;
        ConfigureVolumeQuery(query, false);
        query.KeyValue = QStringLiteral("ARCHIVE_RECORD_ID");
        query.DetailTable = QStringLiteral("QD_ARCHIVE_DETAIL_TABLE");
        QVERIFY(query.Open());
        TRecordingPresenter messages;
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("ARCHIVE_RECORD_ID"), hostile);
        query.SetValue(QStringLiteral("ARCHIVE_ID"), hostile);
        query.SetValue(QStringLiteral("ARCHIVE_NAME"), hostile);
        QVERIFY(query.Save());
        QVERIFY(messages.Entries().isEmpty());
        QVERIFY(query.Edit());
        query.SetValue(QStringLiteral("TEXT_NOTE"), QStringLiteral("'; DROP TABLE QD_ARCHIVE_MASTER_TABLE; --"));
        QVERIFY(query.Save());
        QCOMPARE(ValueText(QStringLiteral("SELECT TEXT_NOTE FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID = ?"), {hostile}),
                 QStringLiteral("'; DROP TABLE QD_ARCHIVE_MASTER_TABLE; --"));
        QVERIFY(Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_DETAIL_TABLE (DETAIL_RECORD_ID, ARCHIVE_RECORD_ID) VALUES "
                                       "('C1', ?), ('C2', 'R1')"),
                        {hostile}));
        query.NoDeleteConfirm = true;
        QVERIFY(query.Delete());
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(ARCHIVE_RECORD_ID) FROM QD_ARCHIVE_MASTER_TABLE")),
                 QStringLiteral("R1"));
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(DETAIL_RECORD_ID) FROM QD_ARCHIVE_DETAIL_TABLE")),
                 QStringLiteral("C2"));
    }

    // The other editions write through the update statements, with the old
    // key values locating the row.
    void updateStatementsWriteWithOldValues() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_PRINT_NAME_TABLE (PRINT_ID, PRINT_INDEX, PRINT_NAME, PRINT_TYPE) "
                                       "VALUES ('1', 'ArchiveForm', '档案资料', 'M')")));
        TQDQuery query;
        query.SqlType = TSqlType::urSql_Server;
        query.SetTableName(QStringLiteral("SYS_PRINT_NAME_TABLE"));
        query.UpdateObject.ModifySQL = QStringLiteral(
            "update SYS_PRINT_NAME_TABLE set PRINT_INDEX = :PRINT_INDEX, PRINT_NAME = :PRINT_NAME, PRINT_TYPE = :PRINT_TYPE, "
            "PRINT_ID = :PRINT_ID where PRINT_INDEX = :OLD_PRINT_INDEX and PRINT_ID = :OLD_PRINT_ID");
        query.UpdateObject.InsertSQL = QStringLiteral(
            "insert into SYS_PRINT_NAME_TABLE (PRINT_INDEX, PRINT_NAME, PRINT_TYPE, PRINT_ID) values (:PRINT_INDEX, "
            ":PRINT_NAME, :PRINT_TYPE, :PRINT_ID)");
        query.UpdateObject.DeleteSQL = QStringLiteral(
            "delete from SYS_PRINT_NAME_TABLE where PRINT_INDEX = :OLD_PRINT_INDEX and PRINT_ID = :OLD_PRINT_ID");
        QCOMPARE(query.UpdateObject.KeyColumns(), (QStringList{QStringLiteral("PRINT_INDEX"), QStringLiteral("PRINT_ID")}));
        QVERIFY(query.Open());
        QVERIFY(query.Edit());
        query.SetValue(QStringLiteral("PRINT_ID"), QStringLiteral("2'x"));
        query.SetValue(QStringLiteral("PRINT_NAME"), QStringLiteral("新':名"));
        QVERIFY(query.Save());
        QCOMPARE(ValueText(QStringLiteral("SELECT PRINT_ID || '|' || PRINT_NAME FROM SYS_PRINT_NAME_TABLE")),
                 QStringLiteral("2'x|新':名"));
        QVERIFY(query.Insert());
        query.SetValue(QStringLiteral("PRINT_ID"), QStringLiteral("3"));
        query.SetValue(QStringLiteral("PRINT_INDEX"), QStringLiteral("ArchiveForm"));
        QVERIFY(query.Save());
        QCOMPARE(query.RecordCount(), 2);
        query.NoDeleteConfirm = true;
        QVERIFY(query.MoveTo(0));
        QVERIFY(query.Delete());
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(PRINT_ID) FROM SYS_PRINT_NAME_TABLE")), QStringLiteral("3"));
    }

    void updateTableRewritesTheStatements() {
        QCOMPARE(TQDUpdateSql::WithTable(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (A) VALUES (:A)"),
                                         QStringLiteral("QD_TARCHIVE_MASTER_TABLE")),
                 QStringLiteral("INSERT INTO QD_TARCHIVE_MASTER_TABLE (A) VALUES (:A)"));
        QCOMPARE(TQDUpdateSql::WithTable(QStringLiteral("delete from X where A = :OLD_A"), QStringLiteral("Y")),
                 QStringLiteral("delete from Y where A = :OLD_A"));
        QStringList names;
        QCOMPARE(TQDUpdateSql::Prepare(QStringLiteral("update T set A = :A, B = 'x:y' where A = :OLD_A"), &names),
                 QStringLiteral("update T set A = ?, B = 'x:y' where A = ?"));
        QCOMPARE(names, (QStringList{QStringLiteral("A"), QStringLiteral("OLD_A")}));
    }

    void tableNameRewritesTheStatement() {
        TQDQuery query;
        query.SetTableName(QStringLiteral("SYS_USER_TABLE"));
        QCOMPARE(query.Sql(), QStringLiteral("SELECT  *  FROM  SYS_USER_TABLE"));
        query.SetSql(QStringLiteral("SELECT USE_ID FROM SYS_USER_TABLE"));
        query.SetTableName(QStringLiteral("SYS_USER_TABLE"), false);
        QCOMPARE(query.Sql(), QStringLiteral("SELECT USE_ID FROM SYS_USER_TABLE"));
    }

    void openFailureIsReported() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery query;
        query.SetSql(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
        TRecordingPresenter messages;
        QVERIFY(!query.Open());
        QVERIFY(!query.Active());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("数据库操作过程发生错误")});
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"

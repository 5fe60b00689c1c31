#include <QDir>
#include <QFile>
#include <QtTest>

#include "data/SqlHelpers.h"
#include "records/VolumeCascade.h"
#include "records/VolumeMove.h"
#include "tests/support/TestDatabase.h"

namespace {
void Store(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("scan");
}
}  // namespace

class TestVolumeCascade : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_db = std::make_unique<TTestDatabase>();
        m_program = m_db->Root() + QStringLiteral("/QDArchives");
        Execute(
            QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID) VALUES "
                           "('V1', '1'), ('V2', '2')"));
        Execute(
            QStringLiteral("INSERT INTO QD_ARCHIVE_DETAIL_TABLE (DETAIL_RECORD_ID, ARCHIVE_RECORD_ID) VALUES "
                           "('C1', 'V1'), ('C2', 'V2')"));
        Execute(
            QStringLiteral("INSERT INTO QD_MARCHIVE_MASTER_FILE_TABLE (FILE_RECORD_ID, ARCHIVE_RECORD_ID, "
                           "FILE_TITLE_NAME) VALUES "
                           "('A1', 'V1', '合同.pdf'), ('A2', 'V2', '其它.pdf')"));
        Execute(
            QStringLiteral("INSERT INTO QD_MARCHIVE_MASTER_PICTURE_TABLE (PICTURE_RECORD_ID, "
                           "ARCHIVE_RECORD_ID, PICTURE_TITLE_NAME) VALUES "
                           "('B1', 'V1', '封面.jpg')"));
        Execute(
            QStringLiteral("INSERT INTO QD_DARCHIVE_MASTER_FILE_TABLE (FILE_RECORD_ID, DETAIL_RECORD_ID, "
                           "FILE_TITLE_NAME) VALUES "
                           "('C9', 'C1', '附件.doc'), ('C8', 'C2', '留下.doc')"));
        Execute(
            QStringLiteral("INSERT INTO QD_ARCHIVE_LEND_TABLE (LEND_ID, ARCHIVE_RECORD_ID) VALUES ('L1', "
                           "'V1'), ('L2', 'V2')"));
        for (const char* id : {"A1", "A2", "B1", "C9", "C8"})
            Store(TVolumeCascade::StoredFile(m_program, QLatin1String(id)));
    }
    void cleanup() { m_db.reset(); }

    void theVolumeTakesItsAttachmentsAndFiles() {
        TVolumeCascade cascade(QStringLiteral("V1"), QStringLiteral("档案明细资料"), m_program);
        QVERIFY(cascade.Run());
        QVERIFY(cascade.DeleteVolume());
        // Until it is final, every stored copy is still there.
        QVERIFY(QFile::exists(TVolumeCascade::StoredFile(m_program, QStringLiteral("A1"))));
        QVERIFY(cascade.Commit());
        for (const char* gone : {"A1", "B1", "C9"})
            QVERIFY2(!QFile::exists(TVolumeCascade::StoredFile(m_program, QLatin1String(gone))), gone);
        for (const char* kept : {"A2", "C8"})
            QVERIFY2(QFile::exists(TVolumeCascade::StoredFile(m_program, QLatin1String(kept))), kept);
        QCOMPARE(
            ValueText(QStringLiteral("SELECT group_concat(ARCHIVE_RECORD_ID) FROM QD_ARCHIVE_MASTER_TABLE")),
            QStringLiteral("V2"));
        QCOMPARE(
            ValueText(QStringLiteral("SELECT group_concat(DETAIL_RECORD_ID) FROM QD_ARCHIVE_DETAIL_TABLE")),
            QStringLiteral("C2"));
        QCOMPARE(ValueText(QStringLiteral(
                     "SELECT group_concat(FILE_RECORD_ID) FROM QD_DARCHIVE_MASTER_FILE_TABLE")),
                 QStringLiteral("C8"));
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(LEND_ID) FROM QD_ARCHIVE_LEND_TABLE")),
                 QStringLiteral("L2"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_MARCHIVE_MASTER_PICTURE_TABLE")), 0.0);
    }

    void aFailingStepLosesNothing() {
        QVERIFY(
            Execute(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON QD_ARCHIVE_LEND_TABLE BEGIN SELECT "
                                   "RAISE(ABORT, 'kept'); END")));
        {
            TVolumeCascade cascade(QStringLiteral("V1"), QStringLiteral("档案明细资料"), m_program);
            QVERIFY(!cascade.Run());
            QCOMPARE(cascade.Message(), QStringLiteral("该档案借阅记录删除过程发生错误"));
        }
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_MARCHIVE_MASTER_FILE_TABLE")), 2.0);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_DETAIL_TABLE")), 2.0);
        QVERIFY(QFile::exists(TVolumeCascade::StoredFile(m_program, QStringLiteral("A1"))));
    }

    void listStatements_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("sql");
        QTest::newRow("root") << "G001" << true << ""
                              << VolumeListSelect + " ORDER BY ARCHIVE_ID";
        QTest::newRow("no selection")
            << "G001" << false << ""
            << VolumeListSelect + " WHERE ARCHIVE_TYPE_ID = 'A' ORDER BY ARCHIVE_ID";
        QTest::newRow("level 2") << "002001" << true << "(ARCHIVE_NAME Like '%合同%')"
                                 << VolumeListSelect + " WHERE (ARCHIVE_NAME Like "
                                    "'%合同%') AND (ARCHIVE_TYPE_ID >= "
                                    "'002001' AND ARCHIVE_TYPE_ID < '002002') ORDER BY ARCHIVE_ID";
    }

    void listStatements() {
        QFETCH(QString, type);
        QFETCH(bool, selected);
        QFETCH(QString, search);
        QFETCH(QString, sql);
        QCOMPARE(VolumeListStatement(type, selected, search, {}), sql);
    }

    void levelTwoListsTheSubtree() {
        Execute(QStringLiteral(
            "UPDATE QD_ARCHIVE_MASTER_TABLE SET ARCHIVE_TYPE_ID = '002001' WHERE ARCHIVE_RECORD_ID = 'V1'"));
        Execute(
            QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_TYPE_ID) VALUES "
                           "('V3', '002001003'), ('V4', '002002')"));
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(ARCHIVE_RECORD_ID) FROM (") +
                           VolumeListStatement(QStringLiteral("002001"), true, {},
                                               QStringLiteral(" ORDER BY ARCHIVE_RECORD_ID")) +
                           QLatin1Char(')')),
                 QStringLiteral("V1,V3"));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM (") +
                             VolumeListStatement({}, false, {}, {}) + QLatin1Char(')')),
                 0.0);
    }

    void aBatchMoveIsWholeOrNothing_data() {
        QTest::addColumn<bool>("blocked");  // the second volume cannot be written
        QTest::addColumn<int>("stopAt");    // the progress window stops the move (0: never)
        QTest::addColumn<bool>("moved");
        QTest::newRow("moved") << false << 0 << true;
        QTest::newRow("a row fails") << true << 0 << false;
        QTest::newRow("stopped") << false << 2 << false;
    }
    void aBatchMoveIsWholeOrNothing() {
        QFETCH(bool, blocked);
        QFETCH(int, stopAt);
        QFETCH(bool, moved);
        Execute(QStringLiteral("UPDATE QD_ARCHIVE_MASTER_TABLE SET ARCHIVE_TYPE_ID = '001'"));
        if (blocked) {
            QVERIFY(
                Execute(QStringLiteral("CREATE TRIGGER keep BEFORE UPDATE ON QD_ARCHIVE_MASTER_TABLE WHEN "
                                       "OLD.ARCHIVE_RECORD_ID = 'V2' "
                                       "BEGIN SELECT RAISE(ABORT, 'kept'); END")));
        }
        QList<int> told;
        const bool done = MoveVolumes({QStringLiteral("V1"), QStringLiteral("V2")}, QStringLiteral("002'1"),
                                      QStringLiteral("王"), QStringLiteral("2015-03-25"), [&](int count) {
                                          told.append(count);
                                          return count != stopAt;
                                      });
        QCOMPARE(done, moved);
        QCOMPARE(ValueText(QStringLiteral(
                     "SELECT group_concat(ARCHIVE_TYPE_ID || '/' || IFNULL(EDIT_NAME, '-') || '/' || "
                     "IFNULL(EDIT_DATE, '-'), ',') FROM (SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY 1)")),
                 moved ? QStringLiteral("002'1/王/2015-03-25,002'1/王/2015-03-25")
                       : QStringLiteral("001/-/-,001/-/-"));
        QCOMPARE(told, blocked ? QList<int>{} : QList<int>{2});
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
    QString m_program;
};

QTEST_GUILESS_MAIN(TestVolumeCascade)
#include "tst_volumecascade.moc"

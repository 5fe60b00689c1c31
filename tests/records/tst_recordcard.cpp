#include <QtTest>

#include "records/RecordCardLayout.h"

using TKind = TRecordCardLayout::TKind;

namespace {
QList<TCardDefinition> Base(const QList<TCardDefinition>& more) {
    QList<TCardDefinition> definitions{{QStringLiteral("ARCHIVE_ID"), QStringLiteral("档案编号"), 1, QStringLiteral("T")},
                                       {QStringLiteral("TEXT_NOTE"), QStringLiteral("备注"), 21, QStringLiteral("T")}};
    definitions += more;
    return definitions;
}
int Width(const TRecordCardLayout& card, const char* column, TKind kind = TKind::Plain) {
    return card.Find(QLatin1String(column), kind)->width;
}
}  // namespace

class TestRecordCard : public QObject {
    Q_OBJECT

private slots:
    void slotGeometry() {
        QCOMPARE(TRecordCardLayout::SlotLeft(1), 63);
        QCOMPARE(TRecordCardLayout::SlotLeft(4), 666);
        QCOMPARE(TRecordCardLayout::SlotTop(20), 90);
        QCOMPARE(TRecordCardLayout::SlotLeft(19), 465);
        QCOMPARE(TRecordCardLayout::LabelRightEdge(3), 463);
        QCOMPARE(TRecordCardLayout::LabelRightEdge(15), 462);
        QCOMPARE(TRecordCardLayout::LabelRightEdge(20), 663);
        QCOMPARE(TRecordCardLayout::LabelRightEdge(TRecordCardLayout::NoteSlot), 61);
    }

    void textEditorsWidenOverEmptyNeighbours() {
        TRecordCardLayout card;
        card.Layout(Base({{QStringLiteral("ARCHIVE_NAME"), QStringLiteral("档案名称"), 2, QStringLiteral("T")},
                          {QStringLiteral("TEXT_FIELD1"), QStringLiteral("保密等级"), 5, QStringLiteral("DT")},
                          {QStringLiteral("TEXT_FIELD2"), QStringLiteral("存放位置"), 6, QStringLiteral("T")}}));
        QCOMPARE(Width(card, "ARCHIVE_NAME"), 537);
        QCOMPARE(Width(card, "TEXT_FIELD1", TKind::Drop), 135);
        QCOMPARE(Width(card, "TEXT_FIELD2"), 537);
        QCOMPARE(Width(card, "ARCHIVE_ID"), 135);
        // The drop-button editor took slot 5; its plain twin is out of sight.
        QCOMPARE(card.Find(QStringLiteral("TEXT_FIELD1"), TKind::Drop)->top, 30);
        QCOMPARE(card.Find(QStringLiteral("TEXT_FIELD1"), TKind::Drop)->tabOrder, 5);
        QCOMPARE(card.Find(QStringLiteral("TEXT_FIELD1"), TKind::Plain)->top, TRecordCardLayout::OutOfSight);
        QCOMPARE(card.Label(5).caption, QStringLiteral("保密等级"));
        QCOMPARE(card.Label(5).top, 34);
        QVERIFY(!card.Label(3).visible);
        QVERIFY(card.Label(1).visible);
    }

    void datesAndNumbersAreNeverWidened() {
        TRecordCardLayout card;
        card.Layout(Base({{QStringLiteral("ARCHIVE_NAME"), QStringLiteral("档案名称"), 2, QStringLiteral("T")},
                          {QStringLiteral("DATE_FIELD1"), QStringLiteral("档案日期"), 3, QStringLiteral("D")},
                          {QStringLiteral("NUMBER_FIELD1"), QStringLiteral("页数"), 5, QStringLiteral("T")}}));
        QCOMPARE(Width(card, "DATE_FIELD1", TKind::Date), 135);
        QCOMPARE(Width(card, "NUMBER_FIELD1", TKind::Number), 135);
        QCOMPARE(Width(card, "ARCHIVE_NAME"), 135);
    }

    void theNoteRowMovesUp_data() {
        QTest::addColumn<QList<int>>("places");
        QTest::addColumn<int>("editorTop");
        QTest::addColumn<int>("labelTop");
        QTest::newRow("rows 0 and 1") << QList<int>{2, 3, 4, 5, 6, 7, 8} << 50 << 54;
        QTest::newRow("row 0 only") << QList<int>{2, 3, 4} << 30 << 34;
        QTest::newRow("rows 0 to 2") << QList<int>{2, 9} << 70 << 74;
        QTest::newRow("rows 0 to 3") << QList<int>{2, 13} << 90 << 94;
        QTest::newRow("every row") << QList<int>{2, 5, 9, 13, 17} << 110 << 114;
        QTest::newRow("rows 1 and 2 empty, row 4 used") << QList<int>{2, 17} << 30 << 34;
    }

    void theNoteRowMovesUp() {
        QFETCH(QList<int>, places);
        QFETCH(int, editorTop);
        QFETCH(int, labelTop);
        QList<TCardDefinition> more;
        int field = 1;
        for (int slot : places) {
            more.append({QStringLiteral("TEXT_FIELD%1").arg(field), QStringLiteral("字段%1").arg(field), slot, QStringLiteral("T")});
            ++field;
        }
        TRecordCardLayout card;
        card.Layout(Base(more));
        QCOMPARE(card.Find(QStringLiteral("TEXT_NOTE"), TKind::Plain)->top, editorTop);
        QCOMPARE(card.Label(TRecordCardLayout::NoteSlot).top, labelTop);
        QCOMPARE(card.Find(QStringLiteral("TEXT_NOTE"), TKind::Plain)->width, 738);
        QCOMPARE(card.Find(QStringLiteral("TEXT_NOTE"), TKind::Plain)->tabOrder, 21);
    }

    void wrongPairingsPlaceNothing() {
        TRecordCardLayout card;
        card.Layout(Base({{QStringLiteral("TEXT_FIELD3"), QStringLiteral("文本当日期"), 2, QStringLiteral("D")},
                          {QStringLiteral("DATE_FIELD2"), QStringLiteral("日期当文本"), 3, QStringLiteral("T")},
                          {QStringLiteral("ARCHIVE_NAME"), QStringLiteral("名称"), 1, QStringLiteral("T")},
                          {QStringLiteral("TEXT_FIELD4"), QStringLiteral("太远"), 25, QStringLiteral("T")}}));
        for (int slot : {2, 3}) {
            QVERIFY(card.IsEmptySlot(slot));
            QVERIFY(!card.Label(slot).visible);
        }
        QVERIFY(!card.BoundEditor(QStringLiteral("TEXT_FIELD3")));
        QVERIFY(!card.BoundEditor(QStringLiteral("DATE_FIELD2")));
        // Bound, but kept out of sight without a slot of its own.
        QCOMPARE(card.BoundEditor(QStringLiteral("ARCHIVE_NAME"))->top, TRecordCardLayout::OutOfSight);
        QCOMPARE(card.BoundEditor(QStringLiteral("TEXT_FIELD4"))->top, TRecordCardLayout::OutOfSight);
        QCOMPARE(card.Label(1).caption, QStringLiteral("档案编号"));
        // Nothing in slot 2: the identifier takes its room.
        QCOMPARE(Width(card, "ARCHIVE_ID"), 336);
    }

    void twoDefinitionsOnOneSlot() {
        TRecordCardLayout card;
        card.Layout(Base({{QStringLiteral("TEXT_FIELD1"), QStringLiteral("先读的"), 6, QStringLiteral("T")},
                          {QStringLiteral("TEXT_FIELD2"), QStringLiteral("后读的"), 6, QStringLiteral("T")}}));
        QCOMPARE(card.Find(QStringLiteral("TEXT_FIELD1"), TKind::Plain)->top, 30);
        QCOMPARE(card.Find(QStringLiteral("TEXT_FIELD2"), TKind::Plain)->top, 30);
        QCOMPARE(card.Find(QStringLiteral("TEXT_FIELD1"), TKind::Plain)->left, 264);
        QCOMPARE(card.Label(6).caption, QStringLiteral("后读的"));
    }

    void itemsAndIntake() {
        TRecordCardLayout items(QStringLiteral("DETAIL_"));
        items.Layout({{QStringLiteral("DETAIL_ARCHIVE_ID"), QStringLiteral("资料编号"), 1, QStringLiteral("T")},
                      {QStringLiteral("DETAIL_ARCHIVE_NAME"), QStringLiteral("资料名称"), 2, QStringLiteral("DT")},
                      {QStringLiteral("ARCHIVE_NAME"), QStringLiteral("不是本表的"), 3, QStringLiteral("T")}});
        QCOMPARE(items.BoundEditor(QStringLiteral("DETAIL_ARCHIVE_NAME"))->kind, TKind::Drop);
        QVERIFY(items.IsEmptySlot(3));
        QCOMPARE(items.Label(1).caption, QStringLiteral("资料编号"));
        TRecordCardLayout intake({}, true);
        intake.Layout(Base({{QStringLiteral("ARCHIVE_NAME"), QStringLiteral("档案名称"), 2, QStringLiteral("DT")}}));
        QVERIFY(!intake.BoundEditor(QStringLiteral("ARCHIVE_NAME")));
        QVERIFY(intake.IsEmptySlot(2));
        QCOMPARE(intake.Find(QStringLiteral("ARCHIVE_NAME"), TKind::Plain)->top, TRecordCardLayout::OutOfSight);
    }
};

QTEST_GUILESS_MAIN(TestRecordCard)
#include "tst_recordcard.moc"

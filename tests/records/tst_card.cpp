#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "catalogue/FieldDefinitions.h"
#include "data/Clock.h"
#include "data/QDGlobal.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDComboEdit.h"
#include "framework/QDDBComboEdit.h"
#include "framework/QDDataSource.h"
#include "framework/QDNDBGrid.h"
#include "framework/SelectDateForm.h"
#include "records/RecordCard.h"
#include "records/SelectEditForm.h"
#include "tests/support/TestDatabase.h"

using TKind = TRecordCardLayout::TKind;

class TestCard : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 0)));
        QDGlobal::StartDateText = QStringLiteral("2015-03-25");
        m_db = std::make_unique<TTestDatabase>();
    }
    void cleanup() {
        m_db.reset();
        TClock::Reset();
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
    }

    void theCardFollowsTheDefinitions() {
        TFieldDefinitions().SeedIfEmpty();
        Execute(QStringLiteral("INSERT INTO QD_TEXT_FIELD1_TABLE (TEXT_FIELD1) VALUES ('机密'), ('绝密')"));
        QWidget window;
        TQDQuery volumes(&window);
        volumes.SetTableName(QStringLiteral("QD_ARCHIVE_MASTER_TABLE"));
        QVERIFY(volumes.Open());
        TQDDataSource source(&window);
        source.SetDataSet(&volumes);
        TRecordCard card({}, false, 144, &window);
        card.Apply(TRecordCard::ReadDefinitions(QStringLiteral("SYS_ARCHIVE_FIELD_TABLE")), &source);

        QCOMPARE(card.width(), 807);
        QVERIFY(card.height() >= 144);
        QCOMPARE(card.SlotLabel(1)->text(), QStringLiteral("档案编号"));
        QCOMPARE(card.SlotLabel(6)->text(), QStringLiteral("保密等级"));
        QCOMPARE(card.SlotLabel(6)->buddy(), card.Editor(QStringLiteral("TEXT_FIELD1"), TKind::Drop));
        // The design's columns and widths; rows as tall as the font needs, apart.
        QWidget* number = card.Editor(QStringLiteral("ARCHIVE_ID"), TKind::Plain);
        QWidget* secrecy = card.Editor(QStringLiteral("TEXT_FIELD1"), TKind::Drop);
        QWidget* note = card.Editor(QStringLiteral("TEXT_NOTE"), TKind::Plain);
        const int row = number->height() + 4;
        QVERIFY(number->height() >= std::max(20, number->sizeHint().height()));
        QCOMPARE(secrecy->geometry(), QRect(264, 10 + row, 135, number->height()));
        QCOMPARE(card.Editor(QStringLiteral("DATE_FIELD1"), TKind::Date)->geometry().topLeft(), QPoint(63, 10 + row));
        QCOMPARE(card.Editor(QStringLiteral("ARCHIVE_NAME"), TKind::Plain)->width(), 537);
        QCOMPARE(note->y(), 10 + 2 * row);
        QVERIFY(note->y() > secrecy->geometry().bottom() + 1);
        QVERIFY(card.rect().contains(note->geometry()));
        // Each label stands on its field's line.
        for (int slot : {1, 6}) {
            QLabel* label = card.SlotLabel(slot);
            QCOMPARE(label->geometry().center().y(), static_cast<QWidget*>(label->buddy())->geometry().center().y());
        }
        QCOMPARE(card.Editor(QStringLiteral("TEXT_FIELD3"), TKind::Plain)->focusPolicy(), Qt::NoFocus);

        auto* date = static_cast<TQDDBComboEdit*>(card.Editor(QStringLiteral("DATE_FIELD1"), TKind::Date));
        auto* secrecyEdit = static_cast<TQDDBComboEdit*>(card.Editor(QStringLiteral("TEXT_FIELD1"), TKind::Drop));
        // While browsing the buttons do nothing.
        date->Button()->trigger();
        QVERIFY(volumes.Insert());
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& picker = static_cast<TSelectDateForm&>(dialog);
            QCOMPARE(picker.Calendar()->selectedDate(), QDate(2015, 3, 25));
            picker.Calendar()->setSelectedDate(QDate(2015, 3, 1));
            picker.OkButton()->click();
        });
        date->Button()->trigger();
        QCOMPARE(volumes.Text(QStringLiteral("DATE_FIELD1")), QStringLiteral("2015-03-01"));
        QCOMPARE(date->text(), QStringLiteral("2015-03-01"));
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& list = static_cast<TSelectEditForm&>(dialog);
            QCOMPARE(list.windowTitle(), QStringLiteral("保密等级数据选择编辑窗口"));
            list.Query()->MoveTo(1);
            list.Button(QStringLiteral("button_ok"))->click();
        });
        secrecyEdit->Button()->trigger();
        QCOMPARE(volumes.Text(QStringLiteral("TEXT_FIELD1")), QStringLiteral("绝密"));
        QCOMPARE(secrecyEdit->text(), QStringLiteral("绝密"));
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestCard)
#include "tst_card.moc"

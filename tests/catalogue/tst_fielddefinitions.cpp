#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QtSql/QSqlQuery>
#include <QtTest>

#include "catalogue/FieldDefinitions.h"
#include "catalogue/SelectArchiveFieldForm.h"
#include "catalogue/SetArchiveFieldForm.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDEdit.h"
#include "tests/support/TestDatabase.h"

namespace {
QString Definition(const char* column) {
    return ValueText(QStringLiteral("SELECT FIELD_DISPLAY_NAME || '|' || FIELD_ORDER || '|' || FIELD_FIND_TYPE || '|' || "
                                    "IFNULL(FIELD_ORDER_TYPE, '') || '|' || IFNULL(FIELD_ITERATION, '') FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_NAME = ?"),
                     {QLatin1String(column)});
}
TFieldDefinitions::TChoice Choice(int slot, const QString& previous, const QString& name, const char* choiceText, int input = 0) {
    TFieldDefinitions::TChoice choice;
    choice.slot = slot;
    choice.previousColumn = previous;
    choice.displayName = name;
    choice.choice = -1;
    for (int i = 0; i < TFieldDefinitions::Classes().size(); ++i) {
        if (TFieldDefinitions::Classes()[i].choice == QString::fromUtf8(choiceText)) choice.choice = i;
    }
    choice.inputKind = input;
    return choice;
}
}  // namespace

class TestFieldDefinitions : public QObject {
    Q_OBJECT

private slots:
    void init() { m_db = std::make_unique<TTestDatabase>(); }
    void cleanup() {
        m_db.reset();
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
    }

    void initialDefinitionsOnlyIntoAnEmptyTable() {
        TFieldDefinitions volumes;
        QVERIFY(volumes.SeedIfEmpty());
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_ORDER_TYPE = '是'")), 6.0);
        QCOMPARE(Definition("TEXT_NOTE"), QStringLiteral("档案备注|21|T|是|"));
        QCOMPARE(Definition("TEXT_FIELD1"), QStringLiteral("保密等级|6|DT|是|"));
        QVERIFY(!volumes.SeedIfEmpty());
        QVERIFY(Execute(QStringLiteral("DELETE FROM SYS_ARCHIVE_FIELD_TABLE WHERE FIELD_NAME <> 'ARCHIVE_ID'")));
        QVERIFY(!volumes.SeedIfEmpty());
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ARCHIVE_FIELD_TABLE")), 1.0);
        TFieldDefinitions items(true);
        QVERIFY(items.SeedIfEmpty());
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(FIELD_NAME || ':' || FIELD_ORDER || ':' || IFNULL(FIELD_ORDER_TYPE, '-'), ' ') FROM "
                                          "(SELECT * FROM SYS_ARCHIVE_DETAIL_FIELD_TABLE ORDER BY FIELD_ORDER)")),
                 QStringLiteral("DETAIL_ARCHIVE_ID:1:- DETAIL_ARCHIVE_NAME:2:- DETAIL_TEXT_NOTE:21:-"));
    }

    void aColumnDefinedElsewhereIsRefusedAndNothingIsStored() {
        TFieldDefinitions volumes;
        volumes.SeedIfEmpty();
        QVERIFY(volumes.Save(Choice(4, {}, QStringLiteral("密级"), "3字符字段")).closed);
        const QString before = ValueText(QStringLiteral("SELECT group_concat(FIELD_NAME || FIELD_ORDER) FROM SYS_ARCHIVE_FIELD_TABLE"));
        const TFieldDefinitions::TResult refused = volumes.Save(Choice(9, {}, QStringLiteral("另一个"), "3字符字段"));
        QVERIFY(!refused.closed);
        QCOMPARE(refused.message, QStringLiteral("该字段已被定义为：密级\n不能重复定义"));
        QCOMPARE(ValueText(QStringLiteral("SELECT group_concat(FIELD_NAME || FIELD_ORDER) FROM SYS_ARCHIVE_FIELD_TABLE")), before);
    }

    // A refused column change keeps the slot's previous definition.
    void aRefusedColumnChangeLosesNothing() {
        TFieldDefinitions volumes;
        volumes.SeedIfEmpty();
        const TFieldDefinitions::TResult moved = volumes.Save(Choice(6, QStringLiteral("TEXT_FIELD1"), QStringLiteral("保密等级"), "2字符字段"));
        QVERIFY(!moved.closed);
        QVERIFY(moved.message.startsWith(QStringLiteral("该字段已被定义为：存放位置")));
        QCOMPARE(Definition("TEXT_FIELD1"), QStringLiteral("保密等级|6|DT|是|"));
        const TFieldDefinitions::TResult named = volumes.Save(Choice(6, QStringLiteral("TEXT_FIELD1"), QStringLiteral("存放位置"), "5字符字段"));
        QCOMPARE(named.message, QStringLiteral("字段名称重复"));
        QCOMPARE(Definition("TEXT_FIELD1"), QStringLiteral("保密等级|6|DT|是|"));
        QVERIFY(Definition("TEXT_FIELD5").isEmpty());
        // A change that is allowed replaces the column.
        QVERIFY(volumes.Save(Choice(6, QStringLiteral("TEXT_FIELD1"), QStringLiteral("保密等级"), "5字符字段", 1)).closed);
        QVERIFY(Definition("TEXT_FIELD1").isEmpty());
        QCOMPARE(Definition("TEXT_FIELD5"), QStringLiteral("保密等级|6|DT|否|0"));
    }

    void refusals_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("input");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("message");
        QTest::newRow("key slot without a name") << 1 << "" << "编号字段" << 0 << true << "该字段是关键字段,必须输入字段名称";
        QTest::newRow("no column") << 9 << "某字段" << "" << 0 << false << "必须选择一个字段";
        QTest::newRow("no input kind") << 9 << "某字段" << "4字符字段" << -1 << false << "必须选择输入方式";
        QTest::newRow("identifier elsewhere") << 9 << "某字段" << "编号字段" << 0 << false << "第一个字段才能是\"编号字段\"";
        QTest::newRow("note elsewhere") << 9 << "某字段" << "备注字段" << 0 << false << "最后一个字段才能是\"备注字段\"";
        QTest::newRow("name too long") << 9 << "一二三四五六七" << "4字符字段" << 0 << false << "字段名称最多可以输入12个字节(6个汉字)";
    }

    void refusals() {
        QFETCH(int, slot);
        QFETCH(QString, name);
        QFETCH(QString, choice);
        QFETCH(int, input);
        QFETCH(bool, locked);
        QFETCH(QString, message);
        TFieldDefinitions volumes;
        volumes.SeedIfEmpty();
        TFieldDefinitions::TChoice given = Choice(slot, slot == 1 ? QStringLiteral("ARCHIVE_ID") : QString(), name, choice.toUtf8().constData(), input);
        given.locked = locked;
        QCOMPARE(volumes.Save(given).message, message);
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ARCHIVE_FIELD_TABLE")), 6.0);
    }

    void classDefaultsWin() {
        TFieldDefinitions volumes;
        volumes.SeedIfEmpty();
        TFieldDefinitions::TChoice date = Choice(5, QStringLiteral("DATE_FIELD1"), QStringLiteral("档案日期"), "1日期字段", 0);
        date.repeat = true;
        QVERIFY(volumes.Save(date).closed);
        QCOMPARE(Definition("DATE_FIELD1"), QStringLiteral("档案日期|5|D|否|0"));
        QVERIFY(volumes.Save(Choice(8, {}, QStringLiteral("页数"), "1数据字段", 1)).closed);
        QCOMPARE(Definition("NUMBER_FIELD1"), QStringLiteral("页数|8|T|否|0"));
        // Renaming a column to its own name is fine.
        QVERIFY(volumes.Save(Choice(8, QStringLiteral("NUMBER_FIELD1"), QStringLiteral("页数"), "1数据字段")).closed);
    }

    void theSettingsWindowDrivesTheDialog() {
        TFieldDefinitions volumes;
        volumes.SeedIfEmpty();
        TSetArchiveFieldForm settings;
        QCOMPARE(settings.windowTitle(), QStringLiteral("字段设置窗口"));
        QCOMPARE(settings.SlotButton(7)->text(), QStringLiteral("存放位置"));
        QCOMPARE(settings.SlotButton(9)->text(), QStringLiteral("未定义"));
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TSelectArchiveFieldForm&>(dialog);
            QCOMPARE(form.windowTitle(), QStringLiteral("字段选择窗口"));
            QCOMPARE(form.NameEdit()->text(), QStringLiteral("存放位置"));
            QCOMPARE(form.FieldBox()->currentText(), QStringLiteral("2字符字段"));
            QCOMPARE(form.InputBox()->currentText(), QStringLiteral("选择输入"));
            QVERIFY(form.RepeatBox()->isVisibleTo(&form));
            form.NameEdit()->clear();
            form.OkButton()->click();
        });
        settings.SlotButton(7)->click();
        QCOMPARE(settings.SlotButton(7)->text(), QStringLiteral("未定义"));
        QVERIFY(Definition("TEXT_FIELD2").isEmpty());
        QVERIFY(settings.Changed());

        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TSelectArchiveFieldForm&>(dialog);
            QVERIFY(!form.FieldBox()->isEnabled());  // the identifier keeps its column
            form.NameEdit()->clear();
            form.OkButton()->click();
            QCOMPARE(messages.LastText(), QStringLiteral("该字段是关键字段,必须输入字段名称"));
            form.reject();
        });
        settings.SlotButton(1)->click();

        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TSelectArchiveFieldForm&>(dialog);
            form.NameEdit()->setText(QStringLiteral("归档日期"));
            form.FieldBox()->setCurrentIndex(form.FieldBox()->findText(QStringLiteral("2日期字段")));
            QCOMPARE(form.InputBox()->currentText(), QStringLiteral("选择输入"));
            QVERIFY(!form.InputBox()->isEnabled());
            QVERIFY(!form.RepeatBox()->isVisibleTo(&form));
            form.OkButton()->click();
        });
        settings.SlotButton(9)->click();
        QCOMPARE(settings.SlotButton(9)->text(), QStringLiteral("归档日期"));
        QCOMPARE(Definition("DATE_FIELD2"), QStringLiteral("归档日期|9|D|否|0"));
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestFieldDefinitions)
#include "tst_fielddefinitions.moc"

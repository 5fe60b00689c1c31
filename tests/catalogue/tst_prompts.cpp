#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "catalogue/SetArchivesDatePromptForm.h"
#include "catalogue/SetTitleNameForm.h"
#include "data/Parameters.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDEdit.h"
#include "tests/support/TestDatabase.h"

class TestPrompts : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_db = std::make_unique<TTestDatabase>();
        QDGlobal::ReminderField.clear();
        QDGlobal::ReminderDays = 0;
        QDGlobal::DetailTitle = QStringLiteral("档案明细资料");
    }
    void cleanup() {
        m_db.reset();
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
    }

    void noDateColumnTurnsTheReminderOff() {
        TRecordingPresenter messages;
        QVERIFY(!TSetArchivesDatePromptForm::Run());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("档案字段没有日期字段,不能设置提醒字段")});
        QCOMPARE(ParameterValue(QStringLiteral("提醒字段")), QStringLiteral("否"));
    }

    void theChosenDateColumnIsStored() {
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_ARCHIVE_FIELD_TABLE (FIELD_NAME, FIELD_DISPLAY_NAME, FIELD_TYPE, FIELD_ORDER) VALUES "
                                       "('DATE_FIELD1', '档案日期', 'Date', 5), ('DATE_FIELD2', '到期日期', 'DATE', 6), "
                                       "('ARCHIVE_NAME', '档案名称', 'String', 2)")));
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TSetArchivesDatePromptForm&>(dialog);
            QCOMPARE(form.windowTitle(), QStringLiteral("档案提醒字段选择设置窗口"));
            QCOMPARE(form.FieldBox()->count(), 4);  // two date columns and two empty entries
            form.FieldBox()->setCurrentIndex(1);
            form.DaysEdit()->clear();
            form.OkButton()->click();
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须输入提醒天数")});
            QTest::keyClicks(form.DaysEdit(), QStringLiteral("30"));
            form.OkButton()->click();
        });
        QVERIFY(TSetArchivesDatePromptForm::Run());
        QCOMPARE(ParameterValue(QStringLiteral("提醒字段")), QStringLiteral("DATE_FIELD2"));
        QCOMPARE(ParameterValue(QStringLiteral("提醒名称")), QStringLiteral("到期日期"));
        QCOMPARE(ParameterValue(QStringLiteral("提醒天数")), QStringLiteral("30"));
        QCOMPARE(QDGlobal::ReminderDays, 30);
        // Opened again, it shows the setting.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TSetArchivesDatePromptForm&>(dialog);
            QCOMPARE(form.FieldBox()->currentText(), QStringLiteral("到期日期"));
            QCOMPARE(form.DaysEdit()->text(), QStringLiteral("30"));
            form.FieldBox()->setCurrentIndex(2);  // an empty entry closes at once
            form.OkButton()->click();
        });
        QVERIFY(TSetArchivesDatePromptForm::Run());
        QCOMPARE(ParameterValue(QStringLiteral("提醒字段")), QStringLiteral("DATE_FIELD2"));
    }

    void renamingTheTitleRenamesTheFunction() {
        QVERIFY(Execute(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE (USE_ID, COMPOSE_ID, PROGRAM_ID, BROWSE_RIGHT) VALUES ('U1', 1, 3, '是')")));
        TSetTitleNameForm form;
        QSignalSpy changed(&form, &TSetTitleNameForm::TitleChanged);
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& title = static_cast<TSetTitleNameForm&>(dialog);
            QCOMPARE(title.TitleEdit()->text(), QStringLiteral("档案明细资料"));
            title.TitleEdit()->setText(QStringLiteral("  "));
            title.SaveButton()->click();
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须输入标题")});
            title.TitleEdit()->setText(QStringLiteral("卷内文件"));
            title.SaveButton()->click();
        });
        QCOMPARE(TModalSeam::Exec(form), int(QDialog::Accepted));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(QDGlobal::DetailTitle, QStringLiteral("卷内文件"));
        QCOMPARE(ValueText(QStringLiteral("SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE WHERE COMPOSE_ID = 1 AND PROGRAM_ID = 3")),
                 QStringLiteral("卷内文件查询管理"));
        // The rights granted for the function stay in force under its new name.
        QCOMPARE(ValueText(QStringLiteral("SELECT R.BROWSE_RIGHT FROM SYS_RIGHT_TABLE R, SYS_PROGRAM_TABLE P WHERE R.COMPOSE_ID = "
                                          "P.COMPOSE_ID AND R.PROGRAM_ID = P.PROGRAM_ID AND P.PROGRAM_NAME = '卷内文件查询管理'")),
                 QStringLiteral("是"));
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"

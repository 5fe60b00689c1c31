// Adding a volume the way an archivist does on a new installation: enrol,
// create a type, open the register, file a numbered volume, change it and
// delete it with what it carries. Everything goes through the real windows.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/EnrolForm.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "app/ShowForm.h"
#include "catalogue/ArchiveTypeForm.h"
#include "catalogue/SetAutoIDForm.h"
#include "data/Clock.h"
#include "data/DM.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "framework/QDDBEdit.h"
#include "framework/QDEdit.h"
#include "framework/QDFindForm.h"
#include "framework/QDNDBGrid.h"
#include "framework/QDTreeView.h"
#include "framework/SelectOptionForm.h"
#include "framework/Shell.h"
#include "records/ArchiveForm.h"
#include "records/EditArchivesForm.h"
#include "records/RecordCard.h"
#include "records/VolumeCascade.h"
#include "tests/support/TestDatabase.h"

namespace {

// Chinese arrives as an input-method commit, as a user's typing does.
void Type(QWidget* edit, const QString& text) {
    edit->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->selectAll();
    QInputMethodEvent typing;
    typing.setCommitString(text);
    QApplication::sendEvent(edit, &typing);
}

template <typename Form>
Form* OpenChild(TMainForm& main, const char* item) {
    main.Item(QLatin1String(item))->trigger();
    for (QMdiSubWindow* frame : main.ChildArea()->subWindowList())
        if (auto* form = qobject_cast<Form*>(frame->widget()))
            return form;
    return nullptr;
}

QWidget* CardEditor(TEditArchivesForm& editor, const QString& column) {
    for (auto kind : {TRecordCardLayout::TKind::Plain, TRecordCardLayout::TKind::Drop,
                      TRecordCardLayout::TKind::Date, TRecordCardLayout::TKind::Number})
        if (QWidget* widget = editor.Card()->Editor(column, kind))
            return widget;
    return nullptr;
}

}  // namespace

class TestTypicalRequest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TShowForm::SetSplashTime(0);
        TShell::SetOpener([](const QString&) { return true; });  // the manual after enrolment
        RemoveAlias();
        QDir(QFileInfo(TDM::DefaultDatabaseFolder()).path()).removeRecursively();
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 30)));
    }
    void cleanupTestCase() {
        TClock::Reset();
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
    }

    void aVolumeFromEnrolmentToDeletion() {
        TRecordingPresenter messages;
        // Enrolment, with the system numbering volumes.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& enrol = static_cast<TEnrolForm&>(dialog);
            Type(enrol.CompanyEdit(), QStringLiteral("市档案馆"));
            enrol.UserIdEdit()->setFocus();
            QTest::keyClicks(enrol.UserIdEdit(), QStringLiteral("adm"));
            Type(enrol.UserNameEdit(), QStringLiteral("王管理"));
            enrol.PasswordEdit()->setFocus();
            QTest::keyClicks(enrol.PasswordEdit(), QStringLiteral("pw1"));
            enrol.ConfirmEdit()->setFocus();
            QTest::keyClicks(enrol.ConfirmEdit(), QStringLiteral("pw1"));
            TModalSeam::QueueHandler([](QDialog& numbering) {
                auto& form = static_cast<TSetAutoIDForm&>(numbering);
                form.ArchiveBox()->setChecked(true);
                form.OkButton()->click();
            });
            QTest::keyClick(&enrol, Qt::Key_F3);
        });
        TProgram program;
        QVERIFY(program.Start());
        TMainForm& main = *program.MainForm();
        main.show();  // as the program does once started
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCOMPARE(QDGlobal::CurrentUserId, QStringLiteral("ADM"));

        // A type.
        auto* types = OpenChild<TArchiveTypeForm>(main, "ArchiveTypeItem");
        QVERIFY(types);
        types->ToolButton(QStringLiteral("button_add"))->trigger();
        QCOMPARE(types->Query()->State(), TDataSetState::Insert);
        Type(types->NameEdit(), QStringLiteral("文书档案"));
        types->ToolButton(QStringLiteral("button_save"))->trigger();
        QCOMPARE(types->Query()->State(), TDataSetState::Browse);
        QCOMPARE(ValueText(QStringLiteral("SELECT ARCHIVE_TYPE_ID || '|' || ARCHIVE_TYPE_NAME FROM QD_ARCHIVE_TYPE_TABLE")),
                 QStringLiteral("001|文书档案"));
        QVERIFY(!types->ToolButton(QStringLiteral("button_print"))->isEnabled());
        types->ToolButton(QStringLiteral("button_close"))->trigger();
        QTRY_VERIFY(main.ChildArea()->subWindowList().isEmpty());

        // The register: the opening search shows everything, the first order is taken.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& find = static_cast<TQDFindForm&>(dialog);
            QVERIFY(find.AllButton()->isVisible());
            find.AllButton()->click();
        });
        TModalSeam::QueueHandler([](QDialog& dialog) { dialog.accept(); });
        auto* reg = OpenChild<TArchiveForm>(main, "ArchiveItem");
        QVERIFY(reg);
        QVERIFY(!main.Item(QStringLiteral("ArchiveItem"))->isEnabled());
        QCOMPARE(reg->parentWidget()->size(), main.ChildArea()->viewport()->size() - QSize(10, 35));
        QVERIFY(reg->Query()->IsEmpty());
        reg->Tree()->expandItem(reg->Tree()->Root());  // the branches load as they open
        reg->Tree()->setCurrentItem(reg->Tree()->FindKey(QStringLiteral("001")));
        QCOMPARE(reg->CurrentTypeId(), QStringLiteral("001"));

        // Add a volume; its number is given on saving.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& editor = static_cast<TEditArchivesForm&>(dialog);
            QCOMPARE(editor.DataSet()->State(), TDataSetState::Insert);
            QCOMPARE(editor.Title()->text(), QStringLiteral("文书档案"));
            QWidget* name = CardEditor(editor, QStringLiteral("ARCHIVE_NAME"));
            QVERIFY(name);
            Type(name, QStringLiteral("二〇一五年工作总结"));
            editor.Button(QStringLiteral("button_save"))->click();
            QCOMPARE(editor.DataSet()->State(), TDataSetState::Browse);
            editor.Button(QStringLiteral("button_close"))->click();
        });
        reg->ToolButton(QStringLiteral("button_add"))->trigger();
        QCOMPARE(reg->Query()->RecordCount(), 1);
        QCOMPARE(reg->Query()->Text(QStringLiteral("ARCHIVE_ID")), QStringLiteral("2015000001"));
        QCOMPARE(reg->Query()->Text(QStringLiteral("ARCHIVE_NAME")), QStringLiteral("二〇一五年工作总结"));
        QCOMPARE(reg->Query()->Text(QStringLiteral("ARCHIVE_TYPE_NAME")), QStringLiteral("文书档案"));
        QVERIFY(reg->Grid()->IsColumnShown(QStringLiteral("ARCHIVE_TYPE_NAME")));
        // Back in the list, batch work and moving are on again with adding.
        for (const char* button : {"button_add", "button_batch", "button_move"})
            QVERIFY2(reg->ToolButton(QLatin1String(button))->isEnabled(), button);
        // Printing is not there yet, whatever the rights.
        QVERIFY(!reg->ToolButton(QStringLiteral("button_print"))->isEnabled());
        const QString id = reg->Query()->Text(QStringLiteral("ARCHIVE_RECORD_ID"));
        QCOMPARE(ValueText(QStringLiteral("SELECT ARCHIVE_ID || '|' || ARCHIVE_TYPE_ID || '|' || CREATE_NAME || '|' || "
                                          "CREATE_DATE FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_RECORD_ID = ?"),
                           {id}),
                 QStringLiteral("2015000001|001|王管理|2015-03-25"));

        // Change it.
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& editor = static_cast<TEditArchivesForm&>(dialog);
            QCOMPARE(editor.DataSet()->State(), TDataSetState::Edit);
            Type(CardEditor(editor, QStringLiteral("TEXT_NOTE")), QStringLiteral("已移交"));
            editor.Button(QStringLiteral("button_save"))->click();
            editor.Button(QStringLiteral("button_close"))->click();
        });
        reg->ToolButton(QStringLiteral("button_edit"))->trigger();
        QCOMPARE(ValueText(QStringLiteral("SELECT TEXT_NOTE || '|' || EDIT_NAME FROM QD_ARCHIVE_MASTER_TABLE "
                                          "WHERE ARCHIVE_RECORD_ID = ?"),
                           {id}),
                 QStringLiteral("已移交|王管理"));

        // Delete it with its attachment and the stored copy of the file.
        Execute(QStringLiteral("INSERT INTO QD_MARCHIVE_MASTER_FILE_TABLE (FILE_RECORD_ID, ARCHIVE_RECORD_ID, "
                               "FILE_TITLE_NAME) VALUES ('F1', ?, '总结.doc')"),
                {id});
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_LEND_TABLE (LEND_ID, ARCHIVE_RECORD_ID) VALUES ('L1', ?)"), {id});
        const QString stored = TVolumeCascade::StoredFile(QDGlobal::ProgramFolder, QStringLiteral("F1"));
        QDir().mkpath(QFileInfo(stored).path());
        QFile file(stored);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        messages.Clear();
        messages.QueueAnswer(true);
        reg->ToolButton(QStringLiteral("button_delete"))->trigger();
        QCOMPARE(messages.Texts().size(), 1);  // the confirmation
        QVERIFY(reg->Query()->IsEmpty());
        QVERIFY(!QFile::exists(stored));
        for (const char* table : {"QD_ARCHIVE_MASTER_TABLE", "QD_MARCHIVE_MASTER_FILE_TABLE", "QD_ARCHIVE_LEND_TABLE"})
            QVERIFY2(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)) == 0, table);

        reg->ToolButton(QStringLiteral("button_close"))->trigger();
        QTRY_VERIFY(main.Item(QStringLiteral("ArchiveItem"))->isEnabled());
        main.close();
    }
};

QTEST_MAIN(TestTypicalRequest)
#include "tst_typicalrequest.moc"

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/LookupValueForm.h"
#include "framework/QDBasePopEditShowForm.h"
#include "framework/QDDBEdit.h"
#include "framework/ModalSeam.h"
#include "framework/QDAppPopForm.h"
#include "framework/QDBaseForm.h"
#include "tests/support/TestDatabase.h"

class TestPopups : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(TModalSeam::PendingHandlers(), 0); }

    void aPopupInheritsItsOpenersRights() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDBaseForm opener;
        opener.Rights = {false, false, false, true, true, false, false};  // no add right
        TQDAppPopForm popup;
        popup.Rights = opener.Rights;  // what opening it copies in
        popup.Query()->SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(popup.Query()->Open());
        popup.show();
        for (const char* name : {"button_add", "button_edit", "button_delete"}) {
            QVERIFY2(!popup.Button(QLatin1String(name))->isEnabled(), name);
        }
        QVERIFY(popup.Button(QStringLiteral("button_print"))->isEnabled());
        // Without rights handed in, a list may be maintained.
        TQDAppPopForm own;
        own.Query()->SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(own.Query()->Open());
        own.show();
        QVERIFY(own.Button(QStringLiteral("button_add"))->isEnabled());
        QVERIFY(!own.Button(QStringLiteral("button_print"))->isEnabled());
    }

    void confirmingAnEmptyListIsRefused() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDAppPopForm popup;
        popup.Query()->SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(popup.Query()->Open());
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& list = static_cast<TQDAppPopForm&>(dialog);
            QTest::keyClick(&list, Qt::Key_F3);
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须选择一个记录")});
            QVERIFY(list.isVisible());
            QTest::keyClick(&list, Qt::Key_F5);
            QCOMPARE(list.Query()->State(), TDataSetState::Insert);
            list.Query()->SetValue(QStringLiteral("NAME_ID"), QStringLiteral("x"));
            QTest::keyClick(&list, Qt::Key_F12);  // 关闭 is off while a row is being added
            QVERIFY(list.isVisible());
            QVERIFY(!list.close());
            QCOMPARE(messages.LastText(), QStringLiteral("必须先保存或取消新增的数据或修改后的数据"));
            QTest::keyClick(&list, Qt::Key_F8);
            QTest::keyClick(&list, Qt::Key_F3);
        });
        QCOMPARE(TModalSeam::Exec(popup), int(QDialog::Accepted));
        QCOMPARE(popup.Query()->Text(QStringLiteral("NAME_ID")), QStringLiteral("x"));
    }

    void theRecordEditorWorksOnItsCallersDataset() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        TQDQuery list;
        list.SetTableName(QStringLiteral("SYS_ID_TABLE"));
        QVERIFY(list.Open());
        TQDBasePopEditShowForm editor;
        editor.Rights = {true, false, false, true, false, false, false};  // handed in by the opener
        auto* edit = new TQDDBEdit(editor.Panel1());
        edit->Bind(editor.DS(), QStringLiteral("NAME_ID"));
        editor.SetDataSet(&list);
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([&](QDialog& dialog) {
            auto& form = static_cast<TQDBasePopEditShowForm&>(dialog);
            QVERIFY(form.Button(QStringLiteral("button_add"))->isEnabled());
            QVERIFY(!form.Button(QStringLiteral("button_print"))->isEnabled());
            QTest::keyClick(&form, Qt::Key_F3);
            QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须选择一个记录")});
            QTest::keyClick(&form, Qt::Key_F5);
            QCOMPARE(list.State(), TDataSetState::Insert);
            QVERIFY(!edit->isReadOnly());
            QTest::keyClicks(edit, QStringLiteral("P1"));
            QVERIFY(!form.close());
            QCOMPARE(messages.LastText(), QStringLiteral("必须先按“保存”或“取消”按钮后才能关闭窗口"));
            QTest::keyClick(&form, Qt::Key_F8);
            QCOMPARE(list.State(), TDataSetState::Browse);
            form.Button(QStringLiteral("button_Prior"))->click();
            QCOMPARE(messages.LastText(), QStringLiteral("已到第一个纪录"));
            QTest::keyClick(&form, Qt::Key_F3);
        });
        QCOMPARE(TModalSeam::Exec(editor), int(QDialog::Accepted));
        QCOMPARE(ValueText(QStringLiteral("SELECT NAME_ID FROM SYS_ID_TABLE")), QStringLiteral("P1"));
        QVERIFY(editor.isHidden());
        QCOMPARE(list.Text(QStringLiteral("NAME_ID")), QStringLiteral("P1"));
    }

    void lookupOffersMatchingValues() {
        TTestDatabase db;
        QVERIFY(db.IsReady());
        for (const char* value : {"机密", "绝密", "秘密", "公开"}) {
            QVERIFY(Execute(QStringLiteral("INSERT INTO QD_TEXT_FIELD1_TABLE (TEXT_FIELD1) VALUES (?)"), {QString::fromUtf8(value)}));
        }
        TRecordingPresenter messages;
        QString chosen = QStringLiteral("unchanged");
        TModalSeam::QueueHandler([](QDialog& dialog) {
            auto& form = static_cast<TLookupValueForm&>(dialog);
            QCOMPARE(form.windowTitle(), QStringLiteral("数据选择窗口"));
            QCOMPARE(form.Grid()->rowCount(), 3);
            QCOMPARE(form.Grid()->horizontalHeaderItem(0)->text(), QStringLiteral("保密等级"));
            form.Grid()->setCurrentCell(1, 0);
            form.OkButton()->click();
        });
        QVERIFY(LookupValue(QStringLiteral("TEXT_FIELD1"), QStringLiteral("密"), QStringLiteral("保密等级"), &chosen));
        QCOMPARE(chosen, QStringLiteral("秘密"));
        chosen = QStringLiteral("unchanged");
        QVERIFY(!LookupValue(QStringLiteral("TEXT_FIELD1"), QStringLiteral("x' OR '1'='1"), QStringLiteral("保密等级"), &chosen));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("不能找到符合查找条件的保密等级")});
        QCOMPARE(chosen, QStringLiteral("unchanged"));
        QCOMPARE(TLookupValueForm::ValueTable(QStringLiteral("DETAIL_TEXT_FIELD12")), QStringLiteral("QD_DETAIL_TEXT_FIELD12_TABLE"));
        QCOMPARE(TLookupValueForm::ValueTable(QStringLiteral("ARCHIVE_NAME")), QStringLiteral("QD_ARCHIVE_NAME_TABLE"));
        QCOMPARE(TLookupValueForm::ValueTable(QStringLiteral("TEXT_NOTE")), QString());
    }
};

QTEST_MAIN(TestPopups)
#include "tst_popups.moc"

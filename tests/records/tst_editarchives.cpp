#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "catalogue/FieldDefinitions.h"
#include "catalogue/SelectArchivesTypeForm.h"
#include "data/Clock.h"
#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/ModalSeam.h"
#include "records/EditArchivesForm.h"
#include "records/VolumeCascade.h"
#include "records/VolumeRegisterRules.h"
#include "tests/support/TestDatabase.h"

class TestEditArchives : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TClock::SetFixed(QDateTime(QDate(2015, 3, 25), QTime(9, 0)));
        QDGlobal::StartDateText = QStringLiteral("2015-03-25");
        QDGlobal::CurrentUserName = QStringLiteral("管理员");
        m_db = std::make_unique<TTestDatabase>();
        TFieldDefinitions().SeedIfEmpty();
        Execute(
            QStringLiteral("INSERT INTO QD_ARCHIVE_TYPE_TABLE (ARCHIVE_TYPE_ID, ARCHIVE_TYPE_NAME) VALUES "
                           "('001', '文书类'), ('001001', '合同'), ('002', '科技类'), ('002001', '图纸')"));
        Execute(
            QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, "
                           "ARCHIVE_NAME, ARCHIVE_TYPE_ID) "
                           "VALUES ('V1', 'K-1', '旧卷', '001001')"));
    }
    void cleanup() {
        m_db.reset();
        TClock::Reset();
        QDGlobal::CategoryNumbering = 0;
        QCOMPARE(TModalSeam::PendingHandlers(), 0);
    }

    void theTitleNamesTheWholeBranch() {
        QCOMPARE(TEditArchivesForm::TypePath(QStringLiteral("001001")), QStringLiteral("文书类 合同"));
        QCOMPARE(TEditArchivesForm::TypePath(QStringLiteral("009")), QString());
    }

    // Whether a number already used elsewhere may be used again depends on
    // the numbering scope.
    void theNumberingScopeDecidesDuplicates_data() {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("saved");
        QTest::newRow("whole catalogue, other branch") << 0 << "002001" << false;
        QTest::newRow("per top type, same branch") << 1 << "001" << false;
        QTest::newRow("per top type, other branch") << 1 << "002001" << true;
        QTest::newRow("per type, sibling in branch") << 2 << "001" << true;
        QTest::newRow("per type, same type") << 2 << "001001" << false;
    }
    void theNumberingScopeDecidesDuplicates() {
        QFETCH(int, setting);
        QFETCH(QString, type);
        QFETCH(bool, saved);
        QDGlobal::CategoryNumbering = setting;
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, false, setting);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(list.Open());
        TEditArchivesForm form;
        form.Prepare(&list, type, QStringLiteral("类别"), false, TEditArchivesForm::TStart::None, nullptr);
        form.show();
        form.Add();
        QCOMPARE(list.State(), TDataSetState::Insert);
        QCOMPARE(list.Text(QStringLiteral("ARCHIVE_TYPE_ID")), type);
        list.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("K-1"));
        list.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("新卷"));
        TRecordingPresenter messages;
        form.SaveRow();
        QCOMPARE(ValueNumber(
                     QStringLiteral("SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_ID = 'K-1'")),
                 saved ? 2.0 : 1.0);
        QCOMPARE(messages.Texts(), saved ? QStringList{} : QStringList{QStringLiteral("档案编号重复")});
    }

    void aTypePerScopeNeedsAType() {
        QDGlobal::CategoryNumbering = 2;
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, false, 0);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(!TEditArchivesForm::SetScopes(list, 2, QString(), false));
        QVERIFY(TEditArchivesForm::SetScopes(list, 2, QStringLiteral("001"), false));

        // Numbers unchecked: a repeat check on the number column is scoped to
        // the top-level type like every other repeat check.
        Execute(QStringLiteral(
            "UPDATE SYS_ARCHIVE_FIELD_TABLE SET FIELD_ITERATION = 1 WHERE FIELD_NAME = 'ARCHIVE_ID'"));
        list.CheckData = TVolumeRegisterRules::CheckData(false, 3);
        QVERIFY(TEditArchivesForm::SetScopes(list, 3, QStringLiteral("002001"), false));
        QCOMPARE(list.CheckData.first().Fields[0].FieldName, QStringLiteral("ARCHIVE_ID"));
        QVERIFY(list.CheckData.first().ExtraCondition.contains(QStringLiteral("'002'")));
        QVERIFY(list.CheckData.last().ExtraCondition.isEmpty());
    }

    void addingAtTheRootAsksForAType() {
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, false, 0);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(list.Open());
        TSelectArchivesTypeForm chooser;
        TEditArchivesForm form;
        form.Prepare(&list, QStringLiteral("G001"), {}, false, TEditArchivesForm::TStart::None, &chooser);
        form.show();
        TRecordingPresenter messages;
        TModalSeam::QueueHandler([](QDialog& dialog) { dialog.reject(); });
        form.Add();
        QCOMPARE(list.State(), TDataSetState::Browse);
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("必须选择一个档案类别")});
    }

    void savingNeedsNumberAndNameAndCopyKeepsTheRest() {
        Execute(QStringLiteral(
            "UPDATE SYS_ARCHIVE_FIELD_TABLE SET FIELD_ITERATION = 1 WHERE FIELD_NAME = 'ARCHIVE_NAME'"));
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, false, 0);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(list.Open());
        TEditArchivesForm form;
        form.Prepare(&list, QStringLiteral("002001"), QStringLiteral("图纸"), false,
                     TEditArchivesForm::TStart::Add, nullptr);
        form.show();
        QCOMPARE(list.State(), TDataSetState::Insert);
        QCOMPARE(form.Title()->text(), QStringLiteral("科技类 图纸"));
        QVERIFY(form.TypeButton()->isEnabled());

        TRecordingPresenter messages;
        form.SaveRow();
        list.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("T-1"));
        form.SaveRow();
        QCOMPARE(messages.Texts(),
                 (QStringList{QStringLiteral("必须输入档案编号"), QStringLiteral("必须输入档案名称")}));
        QCOMPARE(list.State(), TDataSetState::Insert);
        list.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("总图"));
        list.SetValue(QStringLiteral("TEXT_NOTE"), QStringLiteral("第一版"));
        form.SaveRow();
        QCOMPARE(list.State(), TDataSetState::Browse);
        QVERIFY(!form.TypeButton()->isEnabled());
        QCOMPARE(ValueText(QStringLiteral(
                     "SELECT ARCHIVE_TYPE_ID FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_ID = 'T-1'")),
                 QStringLiteral("002001"));

        // The copy keeps everything but the record key; with the number typed
        // by hand it must be changed before the copy can be kept.
        form.Copy();
        QCOMPARE(list.State(), TDataSetState::Insert);
        QCOMPARE(list.Text(QStringLiteral("TEXT_NOTE")), QStringLiteral("第一版"));
        QCOMPARE(list.Text(QStringLiteral("ARCHIVE_TYPE_ID")), QStringLiteral("002001"));
        form.SaveRow();
        QCOMPARE(messages.Texts().last(), QStringLiteral("档案编号重复"));
        list.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("T-2"));
        messages.QueueAnswer(true);  // same name: keep it anyway
        form.SaveRow();
        QCOMPARE(list.State(), TDataSetState::Browse);
        QCOMPARE(ValueNumber(QStringLiteral(
                     "SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE WHERE TEXT_NOTE = '第一版'")),
                 2.0);
        QCOMPARE(ValueNumber(
                     QStringLiteral("SELECT COUNT(DISTINCT ARCHIVE_RECORD_ID) FROM QD_ARCHIVE_MASTER_TABLE")),
                 3.0);
    }

    // 删除 in the editor takes the volume's items, lendings, attachment rows
    // and stored copies with it, as the register's does.
    void deletingInTheEditorTakesWhatTheVolumeCarries() {
        QDGlobal::ProgramFolder = m_db->Root() + QStringLiteral("/QDArchives");
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_DETAIL_TABLE (DETAIL_RECORD_ID, ARCHIVE_RECORD_ID, DETAIL_ARCHIVE_NAME) "
                               "VALUES ('C1', 'V1', '第一件')"));
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_LEND_TABLE (LEND_ID, ARCHIVE_RECORD_ID, LEND_NAME, LEND_DATE) "
                               "VALUES ('L1', 'V1', '王五', '2015-03-01')"));
        Execute(QStringLiteral("INSERT INTO QD_MARCHIVE_MASTER_FILE_TABLE (FILE_RECORD_ID, ARCHIVE_RECORD_ID, "
                               "FILE_TITLE_NAME) VALUES ('A150325090000', 'V1', '合同.pdf')"));
        Execute(QStringLiteral("INSERT INTO QD_DARCHIVE_MASTER_PICTURE_TABLE (PICTURE_RECORD_ID, DETAIL_RECORD_ID, "
                               "PICTURE_TITLE_NAME) VALUES ('D150325090000', 'C1', '扫描.jpg')"));
        QStringList stored;
        for (const char* id : {"A150325090000", "D150325090000"}) {
            stored.append(TVolumeCascade::StoredFile(QDGlobal::ProgramFolder, QLatin1String(id)));
            QDir().mkpath(QFileInfo(stored.last()).path());
            QFile file(stored.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, false, 0);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(list.Open());
        TEditArchivesForm form;
        form.Rights[AddRight] = true;
        form.Prepare(&list, QStringLiteral("001001"), QStringLiteral("合同"), false, TEditArchivesForm::TStart::None, nullptr);
        form.show();
        const auto remaining = [] {
            return ValueNumber(QStringLiteral(
                "SELECT (SELECT COUNT(*) FROM QD_ARCHIVE_MASTER_TABLE) + (SELECT COUNT(*) FROM QD_ARCHIVE_DETAIL_TABLE) + "
                "(SELECT COUNT(*) FROM QD_ARCHIVE_LEND_TABLE) + (SELECT COUNT(*) FROM QD_MARCHIVE_MASTER_FILE_TABLE) + "
                "(SELECT COUNT(*) FROM QD_DARCHIVE_MASTER_PICTURE_TABLE)"));
        };
        TRecordingPresenter messages;
        messages.QueueAnswer(false);
        QTest::keyClick(&form, Qt::Key_F7);
        QCOMPARE(remaining(), 5.0);
        QVERIFY(QFile::exists(stored.first()) && QFile::exists(stored.last()));
        messages.QueueAnswer(true);
        QTest::keyClick(&form, Qt::Key_F7);
        QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("请确认是否删除 ?"), QStringLiteral("请确认是否删除 ?")}));
        QCOMPARE(remaining(), 0.0);
        QVERIFY(!QFile::exists(stored.first()) && !QFile::exists(stored.last()));
        QVERIFY(list.IsEmpty());
    }

    // An editor left open over midnight stamps the day of the add or edit.
    void theStampsAreOfTheDayOfTheChange() {
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, false, 0);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(list.Open());
        TEditArchivesForm form;
        form.Rights[AddRight] = true;
        form.Prepare(&list, QStringLiteral("001001"), QStringLiteral("合同"), false, TEditArchivesForm::TStart::None, nullptr);
        form.show();
        TClock::SetFixed(QDateTime(QDate(2015, 3, 26), QTime(0, 5)));
        QDGlobal::CurrentUserName = QStringLiteral("夜班");
        form.Add();
        list.SetValue(QStringLiteral("ARCHIVE_ID"), QStringLiteral("N-1"));
        list.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("新卷"));
        form.SaveRow();
        QCOMPARE(ValueText(QStringLiteral("SELECT CREATE_DATE || ' ' || CREATE_NAME FROM QD_ARCHIVE_MASTER_TABLE "
                                          "WHERE ARCHIVE_ID = 'N-1'")),
                 QStringLiteral("2015-03-26 夜班"));
        TClock::SetFixed(QDateTime(QDate(2015, 3, 27), QTime(8, 0)));
        form.EditRow();
        form.SaveRow();
        QCOMPARE(ValueText(QStringLiteral("SELECT EDIT_DATE FROM QD_ARCHIVE_MASTER_TABLE WHERE ARCHIVE_ID = 'N-1'")),
                 QStringLiteral("2015-03-27"));
    }

    // Without number checks, a repeated name is still asked about within the
    // edited volume's top type, also with the tree's root selected.
    void editingAsksAboutRepeatsInTheVolumesOwnBranch() {
        Execute(QStringLiteral("UPDATE SYS_ARCHIVE_FIELD_TABLE SET FIELD_ITERATION = 1 WHERE FIELD_NAME = 'ARCHIVE_NAME'"));
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, ARCHIVE_NAME, "
                               "ARCHIVE_TYPE_ID) VALUES ('V2', 'K-2', '新卷', '001')"));
        QDGlobal::CategoryNumbering = 3;
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, false, 3);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(list.Open());
        QVERIFY(list.Locate(QStringLiteral("ARCHIVE_RECORD_ID"), QStringLiteral("V2")));
        TEditArchivesForm form;
        form.Rights[AddRight] = true;
        form.Prepare(&list, QStringLiteral("G001"), QString(), false, TEditArchivesForm::TStart::None, nullptr);
        form.show();
        form.EditRow();
        list.SetValue(QStringLiteral("ARCHIVE_NAME"), QStringLiteral("旧卷"));
        TRecordingPresenter messages;
        messages.QueueAnswer(false);
        form.SaveRow();
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("档案名称重复,是否保存 ?")});
        QCOMPARE(list.State(), TDataSetState::Edit);
        form.CancelRow();
    }

    void theRulesFollowTheDefinitions() {
        Execute(
            QStringLiteral("UPDATE SYS_ARCHIVE_FIELD_TABLE SET FIELD_ITERATION = 1 WHERE FIELD_NAME IN "
                           "('ARCHIVE_ID', 'ARCHIVE_NAME')"));
        Execute(
            QStringLiteral("UPDATE SYS_ARCHIVE_FIELD_TABLE SET FIELD_DISPLAY_NAME = '案卷号' WHERE "
                           "FIELD_NAME = 'ARCHIVE_ID'"));
        const auto messages = [](const TCheckDataArray& checks) {
            QStringList texts;
            for (const TCheckData& check : checks)
                texts.append(check.Message + (check.CheckInBatch ? QStringLiteral("*") : QString()));
            return texts;
        };
        QCOMPARE(messages(TVolumeRegisterRules::CheckData(true, 0)),
                 (QStringList{QStringLiteral("案卷号重复*"), QStringLiteral("档案名称重复,是否保存"),
                              QStringLiteral("纪录编号重复")}));
        QCOMPARE(messages(TVolumeRegisterRules::CheckData(false, 3)),
                 (QStringList{QStringLiteral("案卷号重复,是否保存"), QStringLiteral("档案名称重复,是否保存"),
                              QStringLiteral("纪录编号重复")}));

        QStringList columns;
        for (const TFieldsData& column : TVolumeRegisterRules::Columns())
            columns.append(column.FieldName + QLatin1Char(':') + column.Kind + column.FooterKind +
                           QLatin1Char(':') + QString::number(column.DisplayWidth));
        QCOMPARE(columns.first(), QStringLiteral("ARCHIVE_TYPE_NAME:C合计:20"));
        QCOMPARE(columns.at(1), QStringLiteral("ARCHIVE_ID:C@Count:20"));
        QVERIFY(columns.contains(QStringLiteral("DATE_FIELD1:D:10")));
        QCOMPARE(
            columns.mid(columns.size() - 6),
            (QStringList{QStringLiteral("CREATE_NAME:C:0"), QStringLiteral("CREATE_DATE:D:0"),
                         QStringLiteral("EDIT_NAME:C:0"), QStringLiteral("EDIT_DATE:D:0"),
                         QStringLiteral("ARCHIVE_RECORD_ID:C:-2"), QStringLiteral("ARCHIVE_TYPE_ID:C:-2")}));
        QCOMPARE(TVolumeRegisterRules::SortCandidates().first(),
                 qMakePair(QStringLiteral("案卷号"), QStringLiteral("ARCHIVE_ID")));
    }

    // With the system numbering volumes, the first of a year in a type's
    // scope gets the year followed by 000001.
    void automaticNumbersRestartPerScope() {
        QDGlobal::CategoryNumbering = 2;
        TQDQuery list;
        TVolumeRegisterRules::Configure(list, true, 2);
        list.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        QVERIFY(list.Open());
        TEditArchivesForm form;
        form.Prepare(&list, QStringLiteral("002001"), QStringLiteral("图纸"), true,
                     TEditArchivesForm::TStart::None, nullptr);
        form.show();
        TRecordingPresenter messages;
        for (const char* name : {"总图", "分图"}) {
            form.Add();
            list.SetValue(QStringLiteral("ARCHIVE_NAME"), QString::fromUtf8(name));
            form.SaveRow();
            QCOMPARE(list.State(), TDataSetState::Browse);
        }
        QCOMPARE(
            ValueText(QStringLiteral(
                "SELECT group_concat(ARCHIVE_ID, ',') FROM (SELECT ARCHIVE_ID FROM QD_ARCHIVE_MASTER_TABLE "
                "WHERE ARCHIVE_TYPE_ID = '002001' ORDER BY 1)")),
            QStringLiteral("2015000001,2015000002"));
        QVERIFY(messages.Texts().isEmpty());
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestEditArchives)
#include "tst_editarchives.moc"

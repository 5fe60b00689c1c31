#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>

#include "data/QDGlobal.h"
#include "data/RecordingPresenter.h"
#include "data/SqlHelpers.h"
#include "framework/QDDataSource.h"
#include "framework/QDNDBGrid.h"
#include "tests/support/TestDatabase.h"

namespace {

TFieldsDataArray Descriptors() {
    auto field = [](const char* name, const QString& label, int width, const char* footer = "") {
        TFieldsData data;
        data.FieldName = QLatin1String(name);
        data.DisplayLabel = label;
        data.DisplayWidth = width;
        data.FooterKind = QString::fromUtf8(footer);
        return data;
    };
    return {field("ARCHIVE_ID", QStringLiteral("档案编号"), 20, "合计"), field("ARCHIVE_NAME", QStringLiteral("档案名称"), 60, "@Count"),
            field("TEXT_FIELD1", QStringLiteral("保密等级"), 20), field("NUMBER_FIELD1", QStringLiteral("页数"), 13, "@Sum"),
            field("DATE_FIELD1", QStringLiteral("档案日期"), 10), field("TEXT_FIELD2", QStringLiteral("档案存放的位置说明"), 4)};
}

// One opening of the volume list for a user: the grid as the register shows it.
struct TWindow {
    QWidget form;
    TQDQuery query{&form};
    TQDDataSource source{&form};
    TQDNDBGrid* grid = new TQDNDBGrid(&form);

    explicit TWindow(const QString& user) {
        query.SetTableName(QStringLiteral("QD_ARCHIVE_MASTER_TABLE"), false);
        query.SetSql(QStringLiteral("SELECT * FROM QD_ARCHIVE_MASTER_TABLE ORDER BY ARCHIVE_ID"));
        query.FieldsData = Descriptors();
        source.SetDataSet(&query);
        grid->setObjectName(QStringLiteral("DBGrid1"));
        grid->SetLayout(QStringLiteral("SYS_ARCHIVE_DBGRID_TABLE"), QStringLiteral("ArchiveForm"), user, false);
        grid->SetDataSource(&source);
        grid->resize(800, 300);
        query.Open();
        grid->ApplyDescriptors(query.FieldsData);
    }
    int Column(const char* name) const { return query.FieldIndex(QLatin1String(name)); }
    int Width(const char* name) const { return grid->columnWidth(Column(name)); }
};

int StoredWidth(const QString& user, const char* field) {
    const QVariant value = ValueRow(QStringLiteral("SELECT FIELD_WIDTH FROM SYS_ARCHIVE_DBGRID_TABLE WHERE USE_ID = ? AND FIELD_NAME = ?"),
                                    {user, QLatin1String(field)});
    return value.isValid() ? value.toInt() : -1;
}

}  // namespace

class TestGridLayout : public QObject {
    Q_OBJECT

private slots:
    void init() { m_db = std::make_unique<TTestDatabase>(); }
    void cleanup() { m_db.reset(); }

    void footersAndTitles() {
        Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID, NUMBER_FIELD1) VALUES "
                               "('R1', 'A1', 2.5), ('R2', 'A2', 4)"));
        TWindow window(QStringLiteral("U1"));
        QCOMPARE(window.grid->model()->headerData(window.Column("ARCHIVE_NAME"), Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("档案名称"));
        QVERIFY(window.grid->isColumnHidden(window.Column("ARCHIVE_RECORD_ID")));
        QCOMPARE(window.grid->FooterText(QStringLiteral("NUMBER_FIELD1")), QStringLiteral("6.5"));
        QCOMPARE(window.grid->FooterText(QStringLiteral("ARCHIVE_NAME")), QStringLiteral("2"));
        QCOMPARE(window.grid->FooterText(QStringLiteral("ARCHIVE_ID")), QStringLiteral("合计"));
        QVERIFY(window.grid->IsFooterRight(QStringLiteral("NUMBER_FIELD1")));
        QVERIFY(window.grid->IsFooterRight(QStringLiteral("ARCHIVE_NAME")));  // a count under a text column
        QVERIFY(!window.grid->IsFooterRight(QStringLiteral("ARCHIVE_ID")));
        QVERIFY(window.grid->FooterHeight() > 0);
        QCOMPARE(window.Width("ARCHIVE_NAME"), TGridLayout::Pixels(60));
        // A narrow definition still shows a whole date and its header.
        const QFontMetrics metrics(window.grid->font());
        QVERIFY(window.Width("DATE_FIELD1") > metrics.horizontalAdvance(QStringLiteral("2015-03-25")));
        QVERIFY(window.Width("TEXT_FIELD2") >
                QFontMetrics(window.grid->horizontalHeader()->font()).horizontalAdvance(QStringLiteral("档案存放的位置说明")));
        // The footer row stands inside the grid, under the rows and above the
        // scroll bar, and the column titles keep their place over the rows.
        window.form.resize(820, 320);
        window.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.form));
        const QRect rows = window.grid->viewport()->geometry();
        const auto children = window.grid->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        const QWidget* footer = nullptr;
        for (const QWidget* child : children)
            if (child->isVisible() && child->geometry().top() == rows.bottom() + 1 && child->height() == window.grid->FooterHeight())
                footer = child;
        QVERIFY(footer);
        QVERIFY(window.grid->rect().contains(footer->geometry()));
        const QWidget* bar = window.grid->horizontalScrollBar()->parentWidget();
        QVERIFY(!bar->isVisible() || bar->geometry().top() >= footer->geometry().bottom());
        QCOMPARE(rows.top(), window.grid->horizontalHeader()->geometry().bottom() + 1);
    }

    void aLongListIsReadAsItScrolls() {
        {
            TTransaction batch;
            for (int i = 0; i < 1200; ++i) {
                Execute(QStringLiteral("INSERT INTO QD_ARCHIVE_MASTER_TABLE (ARCHIVE_RECORD_ID, ARCHIVE_ID) VALUES (?, ?)"),
                        {QStringLiteral("R%1").arg(i), QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'))});
            }
            batch.Commit();
        }
        TWindow window(QStringLiteral("U1"));
        QCOMPARE(window.grid->model()->rowCount(), TQDQuery::PageSize);  // one page to begin with
        QVERIFY(window.grid->model()->canFetchMore({}));
        QVERIFY(window.query.MoveTo(1100));
        QVERIFY(window.grid->model()->rowCount() > 1100);
        QCOMPARE(window.grid->currentIndex().row(), 1100);
        QCOMPARE(window.grid->model()->data(window.grid->model()->index(1100, window.Column("ARCHIVE_ID"))).toString(),
                 QStringLiteral("01100"));
        window.grid->selectRow(5);
        QCOMPARE(window.query.RecNo(), 5);
    }

    void widthsAreKeptPerUser() {
        {
            TWindow first(QStringLiteral("U1"));
            first.grid->setColumnWidth(first.Column("ARCHIVE_NAME"), 300);
            TWindow second(QStringLiteral("U2"));
            second.grid->setColumnWidth(second.Column("ARCHIVE_NAME"), 150);
        }
        QCOMPARE(StoredWidth(QStringLiteral("U1"), "ARCHIVE_NAME"), 300);
        QCOMPARE(StoredWidth(QStringLiteral("U2"), "ARCHIVE_NAME"), 150);
        TWindow again(QStringLiteral("U1"));
        QVERIFY(std::abs(again.Width("ARCHIVE_NAME") - 300) <= 4);
        TWindow other(QStringLiteral("U2"));
        QVERIFY(std::abs(other.Width("ARCHIVE_NAME") - 150) <= 4);
    }

    void aSmallResizeIsNotSaved() {
        {
            TWindow window(QStringLiteral("U1"));
            window.grid->setColumnWidth(window.Column("ARCHIVE_NAME"), 300);
        }
        {
            TWindow window(QStringLiteral("U1"));
            window.grid->setColumnWidth(window.Column("ARCHIVE_NAME"), window.Width("ARCHIVE_NAME") + 5);
        }
        QCOMPARE(StoredWidth(QStringLiteral("U1"), "ARCHIVE_NAME"), 300);
    }

    void aNarrowedColumnIsHiddenNextTime() {
        {
            TWindow window(QStringLiteral("U1"));
            window.grid->setColumnWidth(window.Column("TEXT_FIELD1"), 4);
            window.grid->setColumnWidth(window.Column("NUMBER_FIELD1"), 4);
        }
        QCOMPARE(StoredWidth(QStringLiteral("U1"), "TEXT_FIELD1"), 4);
        TWindow window(QStringLiteral("U1"));
        QVERIFY(window.grid->isColumnHidden(window.Column("TEXT_FIELD1")));
        QCOMPARE(StoredWidth(QStringLiteral("U1"), "TEXT_FIELD1"), -1);  // its row is gone
        // A column with a sum footer stays, at zero width.
        QVERIFY(!window.grid->isColumnHidden(window.Column("NUMBER_FIELD1")));
        QCOMPARE(window.Width("NUMBER_FIELD1"), 0);
        QVERIFY(!window.grid->isColumnHidden(window.Column("ARCHIVE_NAME")));
    }

    void restoringTheDefaultDoesNotWriteTheOldLayoutBack() {
        {
            TWindow window(QStringLiteral("U1"));
            window.grid->setColumnWidth(window.Column("ARCHIVE_NAME"), 300);
        }
        TRecordingPresenter messages;
        messages.QueueAnswer(true);
        {
            TWindow window(QStringLiteral("U1"));
            window.grid->setColumnWidth(window.Column("ARCHIVE_NAME"), 500);
            window.grid->RestoreDefault();
        }
        QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("是否恢复默认显示设置 ?"), QStringLiteral("请关闭窗口后再重新打开")}));
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ARCHIVE_DBGRID_TABLE")), 0.0);
        TWindow window(QStringLiteral("U1"));
        QCOMPARE(window.Width("ARCHIVE_NAME"), TGridLayout::Pixels(60));
    }

    void resetForAllUsersAndHide() {
        {
            TWindow first(QStringLiteral("U1"));
            first.grid->setColumnWidth(first.Column("ARCHIVE_NAME"), 300);
            TWindow second(QStringLiteral("U2"));
            second.grid->setColumnWidth(second.Column("ARCHIVE_NAME"), 150);
        }
        TWindow window(QStringLiteral("U1"));
        QVERIFY(window.grid->Layout().HideColumn(QStringLiteral("ARCHIVE_NAME")));
        QCOMPARE(StoredWidth(QStringLiteral("U1"), "ARCHIVE_NAME"), -1);
        QVERIFY(window.grid->Layout().ResetForAllUsers());
        QCOMPARE(ValueNumber(QStringLiteral("SELECT COUNT(*) FROM SYS_ARCHIVE_DBGRID_TABLE")), 0.0);
    }

private:
    std::unique_ptr<TTestDatabase> m_db;
};

QTEST_MAIN(TestGridLayout)
#include "tst_gridlayout.moc"

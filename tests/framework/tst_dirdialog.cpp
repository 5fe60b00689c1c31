#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "data/RecordingPresenter.h"
#include "framework/DirOpenForm.h"
#include "framework/ModalSeam.h"

class TestDirDialog : public QObject {
    Q_OBJECT

private slots:
    void chosenFolderEndsWithOneSeparator() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("备份/2015"))));
        TOpenDirDialog dialog;
        TModalSeam::QueueHandler([&](QDialog& form) {
            auto& chooser = static_cast<TDirOpenForm&>(form);
            QCOMPARE(chooser.windowTitle(), QStringLiteral("选择要保存的目录"));
            chooser.OpenFolder(dir.filePath(QStringLiteral("备份")));
            QCOMPARE(chooser.Edit1()->text(), dir.filePath(QStringLiteral("备份")));
            // The sub-folder is listed under it; choosing it shows its path.
            chooser.DirectoryListBox1()->setCurrentRow(chooser.DirectoryListBox1()->count() - 1);
            QCOMPARE(chooser.Edit1()->text(), dir.filePath(QStringLiteral("备份/2015")));
            chooser.OkButton()->click();
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.ChosenFolder(), dir.filePath(QStringLiteral("备份/2015")) + QLatin1Char('/'));

        // The root of a drive: one separator, not two.
        TModalSeam::QueueHandler([](QDialog& form) {
            auto& chooser = static_cast<TDirOpenForm&>(form);
            chooser.OpenFolder(QStringLiteral("/"));
            QCOMPARE(chooser.DirectoryListBox1()->currentRow(), 0);
            chooser.SpeedButton1()->click();  // up on the first entry keeps it
            QCOMPARE(chooser.DirectoryListBox1()->currentRow(), 0);
            chooser.OkButton()->click();
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.ChosenFolder(), QStringLiteral("/"));

        TModalSeam::QueueHandler([](QDialog& form) { static_cast<TDirOpenForm&>(form).CloseButton()->click(); });
        QVERIFY(!dialog.Execute());
    }

    void theDrivesAreTheRootsAndHome() {
        TDirOpenForm form;
        QStringList drives;
        for (int i = 0; i < form.DriveComboBox1()->count(); ++i) drives.append(form.DriveComboBox1()->itemText(i));
        QVERIFY(drives.contains(QStringLiteral("/")));
        QVERIFY(drives.contains(QDir::homePath()));
    }
};

QTEST_MAIN(TestDirDialog)
#include "tst_dirdialog.moc"

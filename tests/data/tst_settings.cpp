#include <QDir>
#include <QFile>
#include <QtTest>

#include "data/RecordingPresenter.h"
#include "data/Settings.h"

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init() { QFile::remove(SettingsLocation()); }

    void writtenValuesAreReadBack() {
        TRecordingPresenter messages;
        QCOMPARE(ReadSetting(QLatin1String(SettingNames::Imes)), QString());
        QVERIFY(WriteSetting(QLatin1String(SettingNames::Imes), QStringLiteral("中文 - 拼音")));
        QVERIFY(WriteSetting(QLatin1String(SettingNames::BackupFolder), QStringLiteral("/home/档案/备份")));
        QCOMPARE(ReadSetting(QLatin1String(SettingNames::Imes)), QStringLiteral("中文 - 拼音"));
        QCOMPARE(ReadSetting(QLatin1String(SettingNames::BackupFolder)), QStringLiteral("/home/档案/备份"));
        QVERIFY(SettingsLocation().contains(QStringLiteral("QDSOFTWARE")));
        QVERIFY(QFile::exists(SettingsLocation()));
        QVERIFY(RemoveSetting(QLatin1String(SettingNames::Imes)));
        QCOMPARE(ReadSetting(QLatin1String(SettingNames::Imes)), QString());
        QVERIFY(messages.Entries().isEmpty());
    }

    void integerSettingOnlyWhenItConverts_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("read");
        QTest::newRow("colour") << "16645614" << "16645614";
        QTest::newRow("letters") << "abc" << "";
        QTest::newRow("decimal") << "1.5" << "";
        QTest::newRow("negative") << "-5" << "-5";
        QTest::newRow("empty") << "" << "";
    }

    void integerSettingOnlyWhenItConverts() {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        QVERIFY(WriteSetting(QLatin1String(SettingNames::Color), stored));
        QCOMPARE(ReadIntegerSetting(QLatin1String(SettingNames::Color)), read);
    }

    void unwritableStoreIsReported() {
        // A folder where the settings file should be cannot be written.
        QVERIFY(QDir().mkpath(SettingsLocation()));
        TRecordingPresenter messages;
        QVERIFY(!WriteSetting(QLatin1String(SettingNames::Picture), QStringLiteral("/tmp/x.jpg")));
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("注册表打开错误")});
        QCOMPARE(messages.Entries().first().title, QStringLiteral("提示信息"));
        QCOMPARE(messages.Entries().first().kind, TMessageKind::Information);
        QVERIFY(QDir().rmdir(SettingsLocation()));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "data/QDFun.h"
#include "data/RecordingPresenter.h"

using namespace QDFun;

namespace {
bool WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}
QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
}  // namespace

class TestQDFun : public QObject {
    Q_OBJECT

private slots:
    void roundText_data() {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("5 down") << 1 << "五舍六入" << 1.25 << "1.2";
        QTest::newRow("6 up") << 1 << "五舍六入" << 1.26 << "1.3";
        QTest::newRow("3 down") << 1 << "三舍四入" << 1.23 << "1.2";
        QTest::newRow("4 up") << 1 << "三舍四入" << 1.24 << "1.3";
        QTest::newRow("2 down") << 2 << "二舍三入" << 1.232 << "1.23";
        QTest::newRow("3 up") << 2 << "二舍三入" << 1.233 << "1.24";
        QTest::newRow("1 down") << 2 << "一舍二入" << 1.231 << "1.23";
        QTest::newRow("2 up") << 2 << "一舍二入" << 1.232 << "1.24";
        QTest::newRow("ordinary half up") << 1 << "四舍五入" << 1.25 << "1.3";
        QTest::newRow("ordinary below half") << 1 << "" << 1.24 << "1.2";
        QTest::newRow("decimal digits as typed") << 2 << "" << 1.005 << "1.01";
        QTest::newRow("ordinary negative half") << 0 << "" << -2.5 << "-3";
        QTest::newRow("no decimals, 5 down") << 0 << "五舍六入" << 2.5 << "2";
        QTest::newRow("no decimals, 6 up") << 0 << "五舍六入" << 2.6 << "3";
        QTest::newRow("eighth decimal decides, down") << 7 << "五舍六入" << 1.00000005 << "1.0000000";
        QTest::newRow("eighth decimal decides, up") << 7 << "五舍六入" << 1.00000006 << "1.0000001";
        QTest::newRow("sixth decimal does not decide") << 7 << "五舍六入" << 1.0000015 << "1.0000015";
        QTest::newRow("nine decimals") << 9 << "三舍四入" << 0.1234567894 << "0.123456790";
        QTest::newRow("out of range decimals mean 0") << 12 << "" << 2.4 << "2";
        QTest::newRow("negative decimals mean 0") << -1 << "" << 7.6 << "8";
        QTest::newRow("zero") << 2 << "五舍六入" << 0.0 << "0.00";
        QTest::newRow("large amount") << 2 << "" << 123456789012.345 << "123456789012.35";
    }

    void roundText() {
        QFETCH(int, decimals);
        QFETCH(QString, mode);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(RoundText(decimals, mode, value), text);
    }

    void amountInCapitals_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("1234.5") << "1234.5" << "壹仟贰佰叁拾肆元伍角整";
        QTest::newRow("0.05") << "0.05" << "零伍分";
        QTest::newRow("-10") << "-10" << "负壹拾元整";
        QTest::newRow("10120") << "10120" << "壹万壹佰贰拾元整";
        QTest::newRow("10123") << "10123" << "壹万零壹佰贰拾叁元整";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("zero") << "0" << "";
        QTest::newRow("105") << "105" << "壹佰零伍元整";
        QTest::newRow("110") << "110" << "壹佰壹拾元整";
        QTest::newRow("1001.01") << "1001.01" << "壹仟零壹元零壹分";
        QTest::newRow("1010") << "1010" << "壹仟零壹拾元整";
        QTest::newRow("0.5") << "0.5" << "伍角整";
        QTest::newRow("10.56") << "10.56" << "壹拾元伍角陆分";
        QTest::newRow("thousands separators") << "￥1,234.50" << "壹仟贰佰叁拾肆元伍角整";
        QTest::newRow("rounded to fen") << "1.005" << "壹元零壹分";
        QTest::newRow("negative below one yuan") << "-0.05" << "负零伍分";
        QTest::newRow("8 digits") << "12345678" << "壹仟贰佰叁拾肆万伍仟陆佰柒拾捌元整";
        QTest::newRow("5 digits empty units") << "10000" << "壹万元整";
        QTest::newRow("9 digits") << "123456789" << "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元整";
        QTest::newRow("12 digits") << "999999999999" << "玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元整";
        QTest::newRow("9 digits, middle thousands") << "120000000" << "壹亿贰仟万元整";
        QTest::newRow("9 digits, zero middle, units") << "100000001" << "壹亿零壹元整";
        QTest::newRow("9 digits, zero middle, thousands") << "100001000" << "壹亿零壹仟元整";
        QTest::newRow("9 digits, zero middle and units") << "100000000" << "壹亿元整";
        QTest::newRow("10 digits, zero middle") << "1200000305.5" << "壹拾贰亿零叁佰零伍元伍角整";
    }

    void amountInCapitals() {
        QFETCH(QString, amount);
        QFETCH(QString, words);
        TRecordingPresenter messages;
        QCOMPARE(AmountInCapitals(amount), words);
        QVERIFY(messages.Entries().isEmpty());
    }

    void amountBeyondTwelveDigitsIsRefused() {
        TRecordingPresenter messages;
        QCOMPARE(AmountInCapitals(QStringLiteral("1234567890123.45")), QString());
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("所处理数据超出范围!")});
    }

    void padLeft_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("padded");
        QTest::newRow("7 to 4") << "7" << 4 << "0007";
        QTest::newRow("longer than n") << "123456" << 4 << "3456";
        QTest::newRow("n beyond the padding") << "12" << 20 << "00000000012";
        QTest::newRow("zero") << "5" << 0 << "";
    }

    void padLeft() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, padded);
        QCOMPARE(PadLeft(text, n), padded);
    }

    void piece_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("piece");
        QTest::newRow("before first") << "M,ArchiveForm.Query" << 0 << "M";
        QTest::newRow("after first") << "M,ArchiveForm.Query" << 1 << "ArchiveForm.Query";
        QTest::newRow("middle") << "a,b,c" << 1 << "b";
        QTest::newRow("last") << "a,b,c" << 2 << "c";
        QTest::newRow("beyond") << "a,b,c" << 3 << "";
        QTest::newRow("rest after last") << "a,b,c" << -1 << "c";
        QTest::newRow("no separator, rest") << "abc" << -1 << "";
        QTest::newRow("empty piece") << "a,,c" << 1 << "";
    }

    void piece() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, piece);
        QCOMPARE(Piece(text, QStringLiteral(","), n), piece);
    }

    void maxMinAndFolders() {
        QCOMPARE(Max(3, -4), 3);
        QCOMPARE(Min(3, -4), -4);
        QTemporaryDir dir;
        QVERIFY(IsFolder(dir.path()));
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("f.txt")), "x"));
        QVERIFY(!IsFolder(dir.filePath(QStringLiteral("f.txt"))));
        QVERIFY(!IsFolder(dir.filePath(QStringLiteral("none"))));
        QVERIFY(!IsFolder(QString()));
        QVERIFY(IsFolder(TempFolder()));
        QVERIFY(TempFolder().size() <= 255);
    }

    void copyFilesCopiesWholeFoldersWithoutAsking() {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("DataFile"));
        QVERIFY(WriteFile(source + QStringLiteral("/A1"), "one"));
        QVERIFY(WriteFile(source + QStringLiteral("/sub/深层/C2"), "two"));
        const QString target = dir.filePath(QStringLiteral("backup/new/DataFile"));
        QVERIFY(CopyFiles(source, target));
        QCOMPARE(ReadFile(target + QStringLiteral("/A1")), QByteArray("one"));
        QCOMPARE(ReadFile(target + QStringLiteral("/sub/深层/C2")), QByteArray("two"));

        // Copying again replaces what is there.
        QVERIFY(WriteFile(source + QStringLiteral("/A1"), "changed"));
        QVERIFY(CopyFiles(source, target));
        QCOMPARE(ReadFile(target + QStringLiteral("/A1")), QByteArray("changed"));

        // A file into an existing folder keeps its name; to a path, takes that path.
        QVERIFY(CopyFiles(source + QStringLiteral("/A1"), dir.path()));
        QCOMPARE(ReadFile(dir.filePath(QStringLiteral("A1"))), QByteArray("changed"));
        QVERIFY(CopyFiles(source + QStringLiteral("/A1"), dir.filePath(QStringLiteral("x/y/renamed"))));
        QCOMPARE(ReadFile(dir.filePath(QStringLiteral("x/y/renamed"))), QByteArray("changed"));

        // Wildcards copy the matching entries.
        QVERIFY(CopyFiles(source + QStringLiteral("/*"), dir.filePath(QStringLiteral("wild"))));
        QCOMPARE(ReadFile(dir.filePath(QStringLiteral("wild/sub/深层/C2"))), QByteArray("two"));

        QVERIFY(!CopyFiles(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("t"))));
        QVERIFY(!CopyFiles(source, source + QStringLiteral("/inside")));
    }

    void deleteTableFilesRemovesOnlyThisProgramsLeftovers() {
        QTemporaryDir dir;
        const QStringList kept{QStringLiteral("USERS.DB"), QStringLiteral("notes.mb"), QStringLiteral("report.MB"),
                               QStringLiteral("Database/QDArchives.db"), QStringLiteral("Database/QDArchives.db-wal"),
                               QStringLiteral("SYS_BACK_TABLE.DB"), QStringLiteral("~QDArchives.txt")};
        for (const QString& name : kept) {
            QVERIFY(WriteFile(dir.filePath(name), "keep"));
        }
        const QString leftoverFile = dir.filePath(LeftoverFileName(QStringLiteral("repair")));
        const QString leftoverFolder = dir.filePath(LeftoverFileName(QStringLiteral("restore")));
        QVERIFY(WriteFile(leftoverFile, "scratch"));
        QVERIFY(WriteFile(leftoverFolder + QStringLiteral("/QDArchives.db"), "scratch"));

        QCOMPARE(DeleteTableFiles(dir.path()), 2);
        QVERIFY(!QFileInfo::exists(leftoverFile));
        QVERIFY(!QFileInfo::exists(leftoverFolder));
        for (const QString& name : kept) {
            QVERIFY2(QFileInfo::exists(dir.filePath(name)), qPrintable(name));
        }
        QCOMPARE(DeleteTableFiles(dir.filePath(QStringLiteral("no such folder"))), 0);
        QCOMPARE(DeleteTableFiles(QString()), 0);
    }
};

QTEST_GUILESS_MAIN(TestQDFun)
#include "tst_qdfun.moc"

#include "core/params/ProfileFile.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

class ProfileFileTest : public QObject {
    Q_OBJECT
private slots:
    void parsesIntegers_data();
    void parsesIntegers();
    void readsValuesLikeTheDesktopDoes();
    void updatesInPlaceAndKeepsEverythingElse();
    void createsMissingFileWithSectionsInOrder();
    void writesWindows1250WithCrLf();
    void failedSaveLeavesNothingBehind();
};

void ProfileFileTest::parsesIntegers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "12" << true << 12;
    QTest::newRow("negative") << "-1" << true << -1;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("blanks around") << "  42 " << true << 42;
    QTest::newRow("dollar hex") << "$1F" << true << 31;
    QTest::newRow("0x hex") << "0x1" << true << 1;
    QTest::newRow("0X hex") << "0X0a" << true << 10;
    QTest::newRow("hex wraps to negative") << "$FF00000F" << true << int(0xFF00000F);
    QTest::newRow("largest int") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest int") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("nine hex digits") << "$123456789" << false << 0;
    QTest::newRow("0x alone") << "0x" << false << 0;
    QTest::newRow("dollar alone") << "$" << false << 0;
    QTest::newRow("word") << "abc" << false << 0;
    QTest::newRow("yes") << "yes" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("trailing garbage") << "12abc" << false << 0;
    QTest::newRow("decimal fraction") << "2,5" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
}

void ProfileFileTest::parsesIntegers() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(int, value);
    const auto parsed = parseProfileInteger(text);
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void ProfileFileTest::readsValuesLikeTheDesktopDoes() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    testfiles::writeBytes(path, "; a comment\r\n"
                                "[First]\r\n"
                                "Text =  spaced value  \r\n"
                                "Quoted=\"with quotes\"\r\n"
                                "Five=5\n"
                                "Word=yes\n"
                                "[second]\n"
                                "KEY=$10\n"
                                "Long=abcdefgh\n");
    const ProfileFile file(path);
    QVERIFY(file.exists());
    QCOMPARE(file.readString(QStringLiteral("First"), QStringLiteral("Text"), {}),
             QStringLiteral("spaced value"));
    QCOMPARE(file.readString(QStringLiteral("first"), QStringLiteral("quoted"), {}),
             QStringLiteral("with quotes"));
    QCOMPARE(file.readString(QStringLiteral("First"), QStringLiteral("Missing"),
                             QStringLiteral("fallback")),
             QStringLiteral("fallback"));
    QCOMPARE(file.readString(QStringLiteral("Second"), QStringLiteral("Text"),
                             QStringLiteral("other section")),
             QStringLiteral("other section"));
    QCOMPARE(file.readString(QStringLiteral("Second"), QStringLiteral("Long"), {}, 3),
             QStringLiteral("abc"));
    QCOMPARE(file.readInteger(QStringLiteral("SECOND"), QStringLiteral("key"), 0), 16);
    QCOMPARE(file.readBool(QStringLiteral("First"), QStringLiteral("Five"), false), true);
    QCOMPARE(file.readBool(QStringLiteral("First"), QStringLiteral("Word"), false), false);
    QCOMPARE(file.readBool(QStringLiteral("First"), QStringLiteral("Word"), true), true);
    QCOMPARE(file.readInteger(QStringLiteral("First"), QStringLiteral("Text"), -5), -5);

    const ProfileFile missing(dir.filePath(QStringLiteral("none.ini")));
    QVERIFY(!missing.exists());
    QCOMPARE(missing.readInteger(QStringLiteral("First"), QStringLiteral("Five"), 9), 9);
}

void ProfileFileTest::updatesInPlaceAndKeepsEverythingElse() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("params.ini"));
    testfiles::writeBytes(path, "[Info]\r\n"
                                "Info=Old\r\n"
                                "Extra=kept\r\n"
                                "\r\n"
                                "[Mine]\r\n"
                                "; my notes\r\n"
                                "Own=1\r\n");
    ProfileFile file(path);
    file.writeString(QStringLiteral("info"), QStringLiteral("INFO"), QStringLiteral("New"));
    file.writeInteger(QStringLiteral("Info"), QStringLiteral("Added"), -3);
    file.writeBool(QStringLiteral("Other"), QStringLiteral("Flag"), true);
    QVERIFY(file.save());

    QCOMPARE(testfiles::readBytes(path), QByteArray("[Info]\r\n"
                                                    "INFO=New\r\n"
                                                    "Extra=kept\r\n"
                                                    "Added=-3\r\n"
                                                    "\r\n"
                                                    "[Mine]\r\n"
                                                    "; my notes\r\n"
                                                    "Own=1\r\n"
                                                    "[Other]\r\n"
                                                    "Flag=1\r\n"));
}

void ProfileFileTest::createsMissingFileWithSectionsInOrder() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.ini"));
    ProfileFile file(path);
    file.writeString(QStringLiteral("Info"), QStringLiteral("Info"), QStringLiteral("x"));
    file.writeInteger(QStringLiteral("MainP"), QStringLiteral("PArrange"), 2);
    file.writeInteger(QStringLiteral("MainP"), QStringLiteral("OnPage"), 0);
    QVERIFY(file.save());
    QCOMPARE(testfiles::readBytes(path),
             QByteArray("[Info]\r\nInfo=x\r\n[MainP]\r\nPArrange=2\r\nOnPage=0\r\n"));
}

void ProfileFileTest::writesWindows1250WithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pl.ini"));
    ProfileFile file(path);
    file.writeString(QStringLiteral("Sekcja"), QStringLiteral("Tekst"),
                     QStringLiteral("Zażółć gęślą jaźń"));
    QVERIFY(file.save());
    const QByteArray bytes = testfiles::readBytes(path);
    QVERIFY(bytes.contains(QByteArray("Tekst=Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1\r\n")));
    QCOMPARE(ProfileFile(path).readString(QStringLiteral("Sekcja"), QStringLiteral("Tekst"), {}),
             QStringLiteral("Zażółć gęślą jaźń"));
}

void ProfileFileTest::failedSaveLeavesNothingBehind() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/x.ini"));
    ProfileFile file(path);
    file.writeInteger(QStringLiteral("A"), QStringLiteral("B"), 1);
    QVERIFY(!file.save());
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(ProfileFileTest)
#include "ProfileFileTest.moc"

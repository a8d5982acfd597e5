#include "core/app/ProgramSettings.h"

#include "TestFiles.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class ProgramSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void readsSettingsFile_data();
    void readsSettingsFile();
    void missingFileGivesEnglishWithVersionCheck();
    void writesBothKeysAndKeepsOtherLines();
    void settingsLiveBesideAWritableProgram();
    void settingsMoveToConfigDirectoryWhenProgramDirectoryIsNotWritable();
};

void ProgramSettingsTest::readsSettingsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("versionCheck");
    QTest::newRow("Polish") << QByteArray("[Ustawienia]\r\nJezyk=1\r\nWersja=1\r\n") << 1 << true;
    QTest::newRow("English") << QByteArray("[Ustawienia]\r\nJezyk=0\r\nWersja=0\r\n") << 0 << false;
    QTest::newRow("2 is English") << QByteArray("[Ustawienia]\r\nJezyk=2\r\n") << 0 << true;
    QTest::newRow("-1 is English") << QByteArray("[Ustawienia]\r\nJezyk=-1\r\n") << 0 << true;
    QTest::newRow("0x1 is Polish") << QByteArray("[Ustawienia]\r\nJezyk=0x1\r\n") << 1 << true;
    QTest::newRow("$1 is Polish") << QByteArray("[Ustawienia]\r\nJezyk=$1\r\n") << 1 << true;
    QTest::newRow("low byte of 257 is 1")
        << QByteArray("[Ustawienia]\r\nJezyk=257\r\n") << 1 << true;
    QTest::newRow("low byte of 256 is 0")
        << QByteArray("[Ustawienia]\r\nJezyk=256\r\n") << 0 << true;
    QTest::newRow("low byte 255 is -1") << QByteArray("[Ustawienia]\r\nJezyk=255\r\n") << 0 << true;
    QTest::newRow("word is English") << QByteArray("[Ustawienia]\r\nJezyk=abc\r\n") << 0 << true;
    QTest::newRow("abc version check is on")
        << QByteArray("[Ustawienia]\r\nWersja=abc\r\n") << 0 << true;
    QTest::newRow("any nonzero is on") << QByteArray("[Ustawienia]\r\nWersja=-7\r\n") << 0 << true;
    QTest::newRow("keys in another section")
        << QByteArray("[Inne]\r\nJezyk=1\r\nWersja=0\r\n") << 0 << true;
    QTest::newRow("empty file") << QByteArray() << 0 << true;
    // Read like a missing file, and at once: a pipe would keep the window from starting.
    QTest::newRow("a named pipe") << QByteArray("<fifo>") << 0 << true;
}

void ProgramSettingsTest::readsSettingsFile() {
    QFETCH(QByteArray, content);
    QFETCH(int, language);
    QFETCH(bool, versionCheck);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kadrela.ini"));
    if (content == "<fifo>")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        testfiles::writeBytes(path, content);
    const ProgramSettings settings = readProgramSettings(path);
    QCOMPARE(int(settings.languageFlag), language);
    QCOMPARE(settings.versionCheck, versionCheck);
}

void ProgramSettingsTest::missingFileGivesEnglishWithVersionCheck() {
    QTemporaryDir dir;
    const ProgramSettings settings =
        readProgramSettings(dir.filePath(QStringLiteral("kadrela.ini")));
    QCOMPARE(int(settings.languageFlag), 0);
    QVERIFY(settings.versionCheck);
}

void ProgramSettingsTest::writesBothKeysAndKeepsOtherLines() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kadrela.ini"));
    QVERIFY(writeProgramSettings(path, ProgramSettings{1, false}));
    QCOMPARE(testfiles::readBytes(path), QByteArray("[Ustawienia]\r\nJezyk=1\r\nWersja=0\r\n"));

    testfiles::writeBytes(path, "[Ustawienia]\r\nWersja=1\r\nInny=x\r\n");
    QVERIFY(writeProgramSettings(path, ProgramSettings{0, true}));
    QCOMPARE(testfiles::readBytes(path),
             QByteArray("[Ustawienia]\r\nWersja=1\r\nInny=x\r\nJezyk=0\r\n"));
}

void ProgramSettingsTest::settingsLiveBesideAWritableProgram() {
    QTemporaryDir dir;
    QCOMPARE(programSettingsPath(dir.path() + QLatin1Char('/')),
             dir.filePath(QStringLiteral("kadrela.ini")));
}

void ProgramSettingsTest::settingsMoveToConfigDirectoryWhenProgramDirectoryIsNotWritable() {
    // A program directory that cannot take a file: it does not exist, or it is a file.
    QTemporaryDir dir;
    const QString notADirectory = dir.filePath(QStringLiteral("plain-file"));
    testfiles::writeBytes(notADirectory, "x");
    const QString configDirectory =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    for (const QString& programDirectory :
         {dir.filePath(QStringLiteral("missing/")), notADirectory + QLatin1Char('/')}) {
        const QString path = programSettingsPath(programDirectory);
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(configDirectory).absoluteFilePath());
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("kadrela.ini"));
        // The choices really land there and come back.
        QVERIFY(writeProgramSettings(path, ProgramSettings{1, false}));
        QCOMPARE(int(readProgramSettings(path).languageFlag), 1);
        QVERIFY(QFile::remove(path));
    }
}

QTEST_GUILESS_MAIN(ProgramSettingsTest)
#include "ProgramSettingsTest.moc"

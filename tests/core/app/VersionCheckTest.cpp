#include "core/app/VersionCheck.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(VersionCheckOutcome)

class VersionCheckTest : public QObject {
    Q_OBJECT
private slots:
    void outcomes_data();
    void outcomes();
    void passesProgramIdentityAndLanguage();
    void theProgramsOwnLibraryLetsItStart();
};

void VersionCheckTest::outcomes_data() {
    QTest::addColumn<QString>("programDirectory");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<VersionCheckOutcome>("outcome");
    const QString recording = QStringLiteral(TEST_UPDATE_RECORDING_DIR);
    QTest::newRow("no library") << QString() << QByteArray("0")
                                << VersionCheckOutcome::LibraryMissing;
    QTest::newRow("no function") << QStringLiteral(TEST_UPDATE_WITHOUT_FUNCTION_DIR)
                                 << QByteArray("0") << VersionCheckOutcome::FunctionMissing;
    QTest::newRow("zero goes on") << recording << QByteArray("0") << VersionCheckOutcome::GoOn;
    QTest::newRow("one quits") << recording << QByteArray("1") << VersionCheckOutcome::Quit;
    QTest::newRow("256 has a zero low byte")
        << recording << QByteArray("256") << VersionCheckOutcome::GoOn;
    QTest::newRow("0x101 has low byte 1")
        << recording << QByteArray("0x101") << VersionCheckOutcome::Quit;
    QTest::newRow("-256 has a zero low byte")
        << recording << QByteArray("-256") << VersionCheckOutcome::GoOn;
    QTest::newRow("-1 quits") << recording << QByteArray("-1") << VersionCheckOutcome::Quit;
}

void VersionCheckTest::outcomes() {
    QFETCH(QString, programDirectory);
    QFETCH(QByteArray, result);
    QFETCH(VersionCheckOutcome, outcome);
    QTemporaryDir emptyDirectory;
    if (programDirectory.isEmpty())
        programDirectory = emptyDirectory.path() + QLatin1Char('/');
    qputenv("KADRELA_TEST_SPRVER_RESULT", result);
    QCOMPARE(runVersionCheck(programDirectory, 0), outcome);
}

void VersionCheckTest::passesProgramIdentityAndLanguage() {
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("call.txt"));
    qputenv("KADRELA_TEST_SPRVER_LOG", log.toLocal8Bit());
    qputenv("KADRELA_TEST_SPRVER_RESULT", "0");
    for (qint8 language : {qint8(1), qint8(0)}) {
        QCOMPARE(runVersionCheck(QStringLiteral(TEST_UPDATE_RECORDING_DIR), language),
                 VersionCheckOutcome::GoOn);
        QCOMPARE(testfiles::readBytes(log),
                 QByteArray("kadrela|1.1.6|Kadrela|") + QByteArray::number(language));
    }
    qunsetenv("KADRELA_TEST_SPRVER_LOG");
}

void VersionCheckTest::theProgramsOwnLibraryLetsItStart() {
    QCOMPARE(runVersionCheck(QStringLiteral(TEST_REAL_UPDATE_DIR), 1), VersionCheckOutcome::GoOn);
}

QTEST_GUILESS_MAIN(VersionCheckTest)
#include "VersionCheckTest.moc"

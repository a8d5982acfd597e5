#include "core/generator/UniqueName.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

class UniqueNameTest : public QObject {
    Q_OBJECT
private slots:
    void insertsBeforeTheExtensionWhileTaken_data();
    void insertsBeforeTheExtensionWhileTaken();
    void danglingLinkTakesItsName();
};

void UniqueNameTest::insertsBeforeTheExtensionWhileTaken_data() {
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("free") << QStringList() << "a.jpg"
                          << "a.jpg";
    QTest::newRow("taken once") << QStringList{"a.jpg"} << "a.jpg"
                                << "a_.jpg";
    QTest::newRow("taken twice") << QStringList{"a.jpg", "a_.jpg"} << "a.jpg"
                                 << "a__.jpg";
    QTest::newRow("thumbnail") << QStringList{"th_a.jpg", "th_a_.jpg"} << "th_a.jpg"
                               << "th_a__.jpg";
    QTest::newRow("bitmap thumbnail") << QStringList{"th_a.bmp.jpg"} << "th_a.bmp.jpg"
                                      << "th_a.bmp_.jpg";
    QTest::newRow("letter case of the extension kept") << QStringList{"A.JPG"} << "A.JPG"
                                                       << "A_.JPG";
    QTest::newRow("first occurrence of the extension") << QStringList{"x.jpg.jpg"} << "x.jpg.jpg"
                                                       << "x_.jpg.jpg";
    QTest::newRow("no extension") << QStringList{"README"} << "README"
                                  << "README_";
    QTest::newRow("background copy") << QStringList{"pbck.GIF"} << "pbck.GIF"
                                     << "pbck_.GIF";
}

void UniqueNameTest::insertsBeforeTheExtensionWhileTaken() {
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (const QString& file : existing)
        testfiles::writeBytes(dir.filePath(file), "x");
    QCOMPARE(uniqueFileName(dir.path(), name), expected);
}

void UniqueNameTest::danglingLinkTakesItsName() {
    QTemporaryDir dir;
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.jpg")),
                        dir.filePath(QStringLiteral("a.jpg"))));
    QCOMPARE(uniqueFileName(dir.path(), QStringLiteral("a.jpg")), QStringLiteral("a_.jpg"));
}

QTEST_GUILESS_MAIN(UniqueNameTest)
#include "UniqueNameTest.moc"

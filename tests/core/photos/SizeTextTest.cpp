#include "core/photos/SizeText.h"

#include "JpegFixtures.h"

#include <QTemporaryDir>
#include <QtTest>

class SizeTextTest : public QObject {
    Q_OBJECT

private slots:
    void unitsAndRounding_data();
    void unitsAndRounding();
    void decimalSeparatorOfLocale_data();
    void decimalSeparatorOfLocale();
    void sizeOfFile();
};

void SizeTextTest::unitsAndRounding_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    constexpr qint64 mebi = 1024 * 1024;
    constexpr qint64 gibi = mebi * 1024;
    QTest::newRow("nothing") << qint64(0) << QStringLiteral("0.00 B");
    QTest::newRow("512") << qint64(512) << QStringLiteral("512.00 B");
    QTest::newRow("last bytes, no thousands separator")
        << qint64(1023) << QStringLiteral("1023.00 B");
    QTest::newRow("first kilobyte") << qint64(1024) << QStringLiteral("1.00 KB");
    QTest::newRow("one and a half") << qint64(1536) << QStringLiteral("1.50 KB");
    QTest::newRow("exact tie rounds as %.2f does") << qint64(1152) << QStringLiteral("1.12 KB");
    QTest::newRow("last kilobytes round up") << mebi - 1 << QStringLiteral("1024.00 KB");
    QTest::newRow("first megabyte") << mebi << QStringLiteral("1.00 MB");
    QTest::newRow("last megabytes") << gibi - 1 << QStringLiteral("1024.00 MB");
    QTest::newRow("first gigabyte") << gibi << QStringLiteral("1.00 GB");
    QTest::newRow("beyond 32 bits") << gibi * 11 / 2 << QStringLiteral("5.50 GB");
    QTest::newRow("terabytes stay gigabytes") << gibi * 1024 << QStringLiteral("1024.00 GB");
}

void SizeTextTest::unitsAndRounding() {
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(sizeText(bytes, QLocale::c()), text);
}

void SizeTextTest::decimalSeparatorOfLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Polish") << polish << qint64(1536) << QStringLiteral("1,50 KB");
    QTest::newRow("Polish bytes") << polish << qint64(512) << QStringLiteral("512,00 B");
    QTest::newRow("Polish, no group separator")
        << polish << qint64(1024 * 1024 - 1) << QStringLiteral("1024,00 KB");
    QTest::newRow("German") << QLocale(QLocale::German) << qint64(1536)
                            << QStringLiteral("1,50 KB");
    QTest::newRow("English, no group separator")
        << english << qint64(1023) << QStringLiteral("1023.00 B");
}

void SizeTextTest::decimalSeparatorOfLocale() {
    QFETCH(QLocale, locale);
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(sizeText(bytes, locale), text);
}

void SizeTextTest::sizeOfFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file =
        fixtures::writeFixture(dir.path(), QStringLiteral("a.gif"), QByteArray(1536, 'x'));
    const QString empty = fixtures::writeFixture(dir.path(), QStringLiteral("e.gif"), {});
    QCOMPARE(fileSizeText(file, QLocale::c()), QStringLiteral("1.50 KB"));
    QCOMPARE(fileSizeText(empty, QLocale::c()), QStringLiteral("0.00 B"));
    QCOMPARE(fileSizeText(dir.filePath(QStringLiteral("missing.gif")), QLocale::c()),
             QStringLiteral("0.00 B"));
}

QTEST_APPLESS_MAIN(SizeTextTest)
#include "SizeTextTest.moc"

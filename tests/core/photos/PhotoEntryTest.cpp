#include "core/photos/PhotoEntry.h"
#include "core/photos/ImageHeader.h"
#include "core/photos/TaggedText.h"

#include "JpegFixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// Trailing bytes after the end marker change nothing for a reader, and give every fixture the
// same file size, so expected entries can be written out in full.
QByteArray paddedTo2KiB(QByteArray bytes) {
    bytes.append(QByteArray(2048 - bytes.size(), '\0'));
    return bytes;
}

} // namespace

class PhotoEntryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        return fixtures::writeFixture(dir_.path(), name, bytes);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void entryFormsForAcceptedExtensions_data();
    void entryFormsForAcceptedExtensions();
    void noEntry_data();
    void noEntry();
    void missingFiles();
    void dimensionsAsDisplayed_data();
    void dimensionsAsDisplayed();
    void sizeTextFollowsLocale();
    void fileExtension_data();
    void fileExtension();
    void bmpDimensionsComeFromTheHeaderAlone();
};

void PhotoEntryTest::entryFormsForAcceptedExtensions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("tail"); // everything after "<n>path</n>"
    const QByteArray jpeg = paddedTo2KiB(fixtures::jpegBytes(QSize(64, 48)));
    const QByteArray bmp = paddedTo2KiB(fixtures::bmpBytes(QSize(6, 5)));
    const QByteArray junk(512, '\x17');
    const QString jpegTail = QStringLiteral("<w>64</w><h>48</h><r>2.00 KB</r>");
    const QString bmpTail = QStringLiteral("<w>6</w><h>5</h><r>2.00 KB</r>");
    const QString noDimensions = QStringLiteral("<r>512.00 B</r><ns>");
    QTest::newRow(".jpg") << QStringLiteral("a.jpg") << jpeg << jpegTail;
    QTest::newRow(".JPG") << QStringLiteral("A.JPG") << jpeg << jpegTail;
    QTest::newRow(".jpeg") << QStringLiteral("a.jpeg") << jpeg << jpegTail;
    QTest::newRow(".Jpeg") << QStringLiteral("b.Jpeg") << jpeg << jpegTail;
    QTest::newRow("dots in the name") << QStringLiteral("x.gif.JPG") << jpeg << jpegTail;
    QTest::newRow(".bmp") << QStringLiteral("a.bmp") << bmp << bmpTail;
    QTest::newRow(".BMP") << QStringLiteral("B.BMP") << bmp << bmpTail;
    QTest::newRow(".bmp stored top down")
        << QStringLiteral("t.bmp")
        << fixtures::bmpFile(24, QSize(6, 5), true, {}, QList<int>(30, 0x123456))
        << QStringLiteral("<w>6</w><h>5</h><r>154.00 B</r>");
    QTest::newRow("damaged .png") << QStringLiteral("a.png") << junk << noDimensions;
    QTest::newRow(".Png") << QStringLiteral("b.Png") << junk << noDimensions;
    QTest::newRow("damaged .gif") << QStringLiteral("a.gif") << junk << noDimensions;
    QTest::newRow(".gIF") << QStringLiteral("b.gIF") << junk << noDimensions;
    QTest::newRow("JPEG named .png")
        << QStringLiteral("c.png") << jpeg << QStringLiteral("<r>2.00 KB</r><ns>");
}

void PhotoEntryTest::entryFormsForAcceptedExtensions() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, tail);
    const QString path = write(name, content);
    const auto entry = buildPhotoEntry(path, QLocale::c());
    QVERIFY(entry);
    QCOMPARE(*entry, QStringLiteral("<n>") + path + QStringLiteral("</n>") + tail);
    QCOMPARE(tagValue(*entry, QStringLiteral("<n>")), path);
    QCOMPARE(hasDimensions(*entry), !tail.endsWith(QLatin1String("<ns>")));
    // Nothing is remembered between calls: the same file gives the same entry again.
    QCOMPARE(buildPhotoEntry(path, QLocale::c()), entry);
}

void PhotoEntryTest::noEntry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    const QByteArray jpeg = fixtures::jpegBytes(QSize(64, 48));
    const QByteArray bmp = fixtures::bmpBytes(QSize(6, 5));
    QTest::newRow("JPEG named .tif") << QStringLiteral("a.tif") << jpeg;
    QTest::newRow("no extension") << QStringLiteral("jpg") << jpeg;
    QTest::newRow("dot only in the directory") << QStringLiteral("d.jpg/photo") << jpeg;
    QTest::newRow("other extension after .jpg") << QStringLiteral("a.jpg.txt") << jpeg;
    QTest::newRow(".jpg that is text") << QStringLiteral("t.jpg") << QByteArray("hello");
    QTest::newRow(".jpg that is PNG") << QStringLiteral("p.jpg") << fixtures::pngBytes(QSize(4, 4));
    QTest::newRow("zero-length .jpg") << QStringLiteral("z.jpg") << QByteArray();
    QTest::newRow(".jpeg cut inside the header") << QStringLiteral("c.jpeg") << jpeg.left(150);
    QTest::newRow(".bmp that is text") << QStringLiteral("t.bmp") << QByteArray("BM but not");
    QTest::newRow(".bmp that is PNG") << QStringLiteral("p.bmp") << fixtures::pngBytes(QSize(4, 4));
    QTest::newRow(".bmp that is JPEG") << QStringLiteral("j.bmp") << jpeg;
    QTest::newRow("zero-length .bmp") << QStringLiteral("z.bmp") << QByteArray();
    QTest::newRow(".bmp cut inside the header") << QStringLiteral("c.bmp") << bmp.left(20);
    // What the thumbnails' BMP reader refuses is not taken either.
    QTest::newRow(".bmp cut inside its pixels") << QStringLiteral("p.bmp") << bmp.chopped(5);
    QByteArray bigPalette =
        fixtures::bmpFile(8, QSize(6, 5), false, QList<QRgb>(256, 0), QList<int>(30, 1));
    qToLittleEndian<quint32>(300, bigPalette.data() + 46);
    QTest::newRow(".bmp with a palette of 300 colours") << QStringLiteral("l.bmp") << bigPalette;
    QTest::newRow(".bmp with a mask of every bit")
        << QStringLiteral("m.bmp")
        << fixtures::bmpFile(32, QSize(6, 5), false, {}, QList<int>(30, 1),
                             {0xffffffff, 0xff00, 0xff});
}

void PhotoEntryTest::noEntry() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QDir(dir_.path()).mkpath(QFileInfo(dir_.filePath(name)).path());
    const QString path = write(name, content);
    QCOMPARE(buildPhotoEntry(path), std::nullopt);
}

void PhotoEntryTest::missingFiles() {
    // Only JPEG and BMP files are opened; a missing PNG still gets its entry, at 0 bytes.
    const QString missing = dir_.filePath(QStringLiteral("gone"));
    QCOMPARE(buildPhotoEntry(missing + QStringLiteral(".jpg")), std::nullopt);
    QCOMPARE(buildPhotoEntry(missing + QStringLiteral(".bmp")), std::nullopt);
    QCOMPARE(buildPhotoEntry(missing + QStringLiteral(".png"), QLocale::c()),
             QStringLiteral("<n>%1.png</n><r>0.00 B</r><ns>").arg(missing));
}

void PhotoEntryTest::dimensionsAsDisplayed_data() {
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    const QByteArray plain = fixtures::jpegBytes(QSize(64, 48));
    using fixtures::ByteOrder;
    QTest::newRow("no EXIF") << plain << QStringLiteral("64") << QStringLiteral("48");
    QTest::newRow("upside down") << fixtures::withExifOrientation(plain, 3) << QStringLiteral("64")
                                 << QStringLiteral("48");
    QTest::newRow("turned right") << fixtures::withExifOrientation(plain, 6) << QStringLiteral("48")
                                  << QStringLiteral("64");
    QTest::newRow("turned left, big-endian")
        << fixtures::withExifOrientation(plain, 8, ByteOrder::BigEndian) << QStringLiteral("48")
        << QStringLiteral("64");
    QTest::newRow("malformed EXIF")
        << fixtures::withApp1Segment(plain, fixtures::exifPayload(6).left(30))
        << QStringLiteral("64") << QStringLiteral("48");
    QByteArray damaged = plain;
    damaged.replace(fixtures::scanDataOffset(plain) + 10, 40, QByteArray(40, '\xff'));
    QTest::newRow("damaged image data") << damaged << QStringLiteral("64") << QStringLiteral("48");
    QTest::newRow("no image data at all") << plain.left(fixtures::scanDataOffset(plain))
                                          << QStringLiteral("64") << QStringLiteral("48");
}

void PhotoEntryTest::dimensionsAsDisplayed() {
    QFETCH(QByteArray, jpeg);
    QFETCH(QString, width);
    QFETCH(QString, height);
    const auto entry = buildPhotoEntry(write(QStringLiteral("o.jpg"), jpeg));
    QVERIFY(entry);
    QCOMPARE(tagValue(*entry, QStringLiteral("<w>")), width);
    QCOMPARE(tagValue(*entry, QStringLiteral("<h>")), height);
}

void PhotoEntryTest::sizeTextFollowsLocale() {
    const QString path =
        write(QStringLiteral("l.jpg"), paddedTo2KiB(fixtures::jpegBytes(QSize(8, 8))));
    const auto entry = buildPhotoEntry(path, QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(entry);
    QCOMPARE(tagValue(*entry, QStringLiteral("<r>")), QStringLiteral("2,00 KB"));
}

void PhotoEntryTest::fileExtension_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::newRow("plain") << QStringLiteral("/a/b.jpg") << QStringLiteral(".jpg");
    QTest::newRow("lower-cased") << QStringLiteral("/a/b.JpEg") << QStringLiteral(".jpeg");
    QTest::newRow("last dot") << QStringLiteral("b.tar.GZ") << QStringLiteral(".gz");
    QTest::newRow("name that is all extension")
        << QStringLiteral("/a/.gif") << QStringLiteral(".gif");
    QTest::newRow("trailing dot") << QStringLiteral("/a/b.") << QStringLiteral(".");
    QTest::newRow("dot in a directory") << QStringLiteral("/a.jpg/b") << QString();
    QTest::newRow("no dot") << QStringLiteral("b") << QString();
}

void PhotoEntryTest::fileExtension() {
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QCOMPARE(::fileExtension(path), extension);
}

void PhotoEntryTest::bmpDimensionsComeFromTheHeaderAlone() {
    // The header and one row to show the reader takes the file: no more is read.
    const QByteArray bmp = fixtures::bmpBytes(QSize(300, 200));
    const auto dimensions = readImageDimensions(write(QStringLiteral("big.bmp"), bmp));
    QVERIFY(dimensions);
    QCOMPARE(dimensions->size, QSize(300, 200));
    QVERIFY(dimensions->bytesRead > 0 && dimensions->bytesRead <= 54 + 300 * 4);
}

QTEST_MAIN(PhotoEntryTest)
#include "PhotoEntryTest.moc"

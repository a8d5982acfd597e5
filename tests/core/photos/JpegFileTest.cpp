#include "core/photos/JpegFile.h"
#include "core/photos/PhotoMetadata.h"

#include "JpegFixtures.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using fixtures::ByteOrder;

namespace {

// Markers of a JPEG byte stream up to the start of scan, each with the offset of its segment data.
QList<QPair<int, qsizetype>> markersOf(const QByteArray& jpeg) {
    QList<QPair<int, qsizetype>> markers;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<uchar>(jpeg[at]) == 0xff) {
        const int marker = static_cast<uchar>(jpeg[at + 1]);
        markers.append({marker, at + 4});
        if (marker == 0xda)
            break;
        at += 2 + ((static_cast<uchar>(jpeg[at + 2]) << 8) | static_cast<uchar>(jpeg[at + 3]));
    }
    return markers;
}

bool closeTo(QColor actual, QColor expected) {
    constexpr int tolerance = 12;
    return qAbs(actual.red() - expected.red()) <= tolerance &&
           qAbs(actual.green() - expected.green()) <= tolerance &&
           qAbs(actual.blue() - expected.blue()) <= tolerance;
}

} // namespace

class JpegFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        return fixtures::writeFixture(dir_.path(), name, bytes);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void headerGivesStoredSize_data();
    void headerGivesStoredSize();
    void orientationSwapsDisplaySizeForQuarterTurns_data();
    void orientationSwapsDisplaySizeForQuarterTurns();
    void exifBehindAnotherApp1SegmentIsFound();
    void exifOrientationOfPayload_data();
    void exifOrientationOfPayload();
    void noHeaderNoResult_data();
    void noHeaderNoResult();
    void missingFileNoResult();
    void headerReadsOnlyTheHeader();
    void hugeClaimedSizeIsNotDecoded();
    void roundTripKeepsSizeAndColours_data();
    void roundTripKeepsSizeAndColours();
    void damagedImageDataStillDecodes_data();
    void damagedImageDataStillDecodes();
    void greyscaleFileDecodesToRgb();
    void writesBaselineThreeComponentsWithDefaultMarkers_data();
    void writesBaselineThreeComponentsWithDefaultMarkers();
    void qualityFollowsLibjpegScale_data();
    void qualityFollowsLibjpegScale();
    void writeFailuresAreReported();
};

void JpegFileTest::headerGivesStoredSize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("odd sides") << QSize(17, 9);
    QTest::newRow("landscape") << QSize(640, 480);
    QTest::newRow("tall strip") << QSize(1, 3000);
}

void JpegFileTest::headerGivesStoredSize() {
    QFETCH(QSize, size);
    const auto header =
        readJpegHeader(write(QStringLiteral("plain.jpg"), fixtures::jpegBytes(size)));
    QVERIFY(header);
    QCOMPARE(header->storedSize, size);
    QCOMPARE(header->orientation, 1);
    QCOMPARE(header->displaySize(), size);
}

void JpegFileTest::orientationSwapsDisplaySizeForQuarterTurns_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<ByteOrder>("order");
    QTest::addColumn<bool>("swapped");
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (const ByteOrder order : {ByteOrder::LittleEndian, ByteOrder::BigEndian}) {
            const char* name = order == ByteOrder::BigEndian ? "MM" : "II";
            QTest::addRow("%d %s", orientation, name) << orientation << order << (orientation >= 5);
        }
    }
}

void JpegFileTest::orientationSwapsDisplaySizeForQuarterTurns() {
    QFETCH(int, orientation);
    QFETCH(ByteOrder, order);
    QFETCH(bool, swapped);
    const QByteArray jpeg =
        fixtures::withExifOrientation(fixtures::jpegBytes(QSize(40, 30)), orientation, order);
    const auto header = readJpegHeader(write(QStringLiteral("turned.jpg"), jpeg));
    QVERIFY(header);
    QCOMPARE(header->orientation, orientation);
    QCOMPARE(header->storedSize, QSize(40, 30));
    QCOMPARE(header->displaySize(), swapped ? QSize(30, 40) : QSize(40, 30));
}

void JpegFileTest::exifBehindAnotherApp1SegmentIsFound() {
    const QByteArray xmp = QByteArray("http://ns.adobe.com/xap/1.0/\0<x/>", 34);
    const QByteArray jpeg = fixtures::withApp1Segment(
        fixtures::withExifOrientation(fixtures::jpegBytes(QSize(40, 30)), 6), xmp);
    const auto header = readJpegHeader(write(QStringLiteral("xmp.jpg"), jpeg));
    QVERIFY(header);
    QCOMPARE(header->orientation, 6);
}

void JpegFileTest::exifOrientationOfPayload_data() {
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("orientation");
    const QByteArray good = fixtures::exifPayload(6);
    auto patched = [&](qsizetype at, QByteArray bytes) {
        QByteArray payload = good;
        payload.replace(at, bytes.size(), bytes);
        return payload;
    };
    // Offsets within the payload: 6 "Exif\0\0", then the TIFF header (8), the entry count (2)
    // and the orientation entry as the second 12-byte entry.
    const qsizetype orientationEntry = 6 + 8 + 2 + 12;
    QTest::newRow("empty") << QByteArray() << 1;
    QTest::newRow("identifier only") << QByteArray("Exif\0\0", 6) << 1;
    QTest::newRow("other identifier") << patched(0, "Exig") << 1;
    QTest::newRow("unknown byte order") << patched(6, "IM") << 1;
    QTest::newRow("wrong magic number") << patched(8, QByteArray("\x2b\x00", 2)) << 1;
    QTest::newRow("directory beyond the end")
        << patched(10, QByteArray("\x00\x10\x00\x00", 4)) << 1;
    QTest::newRow("directory offset at 4 GiB")
        << patched(10, QByteArray("\xff\xff\xff\xff", 4)) << 1;
    QTest::newRow("directory inside the header")
        << patched(10, QByteArray("\x02\x00\x00\x00", 4)) << 1;
    QTest::newRow("well formed, II") << good << 6;
    QTest::newRow("well formed, MM") << fixtures::exifPayload(8, ByteOrder::BigEndian) << 8;
    // A directory that claims more entries than the data holds is refused as a whole.
    QTest::newRow("entry count past the end") << patched(14, QByteArray("\xff\xff", 2)) << 1;
    QTest::newRow("orientation as LONG")
        << patched(orientationEntry + 2, QByteArray("\x04\x00", 2)) << 1;
    QTest::newRow("two values") << patched(orientationEntry + 4, QByteArray("\x02\x00", 2)) << 1;
    QTest::newRow("value 0") << patched(orientationEntry + 8, QByteArray("\x00\x00", 2)) << 1;
    QTest::newRow("value 9") << patched(orientationEntry + 8, QByteArray("\x09\x00", 2)) << 1;
    QTest::newRow("value 0x0106") << patched(orientationEntry + 8, QByteArray("\x06\x01", 2)) << 1;
    // Every cut that leaves the orientation entry incomplete.
    for (qsizetype length = 0; length < orientationEntry + 12; ++length)
        QTest::addRow("cut after %lld bytes", qlonglong(length)) << good.left(length) << 1;
}

void JpegFileTest::exifOrientationOfPayload() {
    QFETCH(QByteArray, payload);
    QFETCH(int, orientation);
    QCOMPARE(exifOrientation(payload), orientation);
    const QByteArray jpeg = fixtures::withApp1Segment(fixtures::jpegBytes(QSize(40, 30)), payload);
    const auto header = readJpegHeader(write(QStringLiteral("bad-exif.jpg"), jpeg));
    QVERIFY(header);
    QCOMPARE(header->orientation, orientation);
}

void JpegFileTest::noHeaderNoResult_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray jpeg = fixtures::jpegBytes(QSize(64, 48));
    const qsizetype scanData = fixtures::scanDataOffset(jpeg);
    QVERIFY(scanData > 0);
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("text") << QByteArray("This is not a picture.\n");
    QTest::newRow("PNG") << fixtures::pngBytes(QSize(8, 8));
    QTest::newRow("start marker only") << jpeg.left(2);
    QTest::newRow("cut inside the tables") << jpeg.left(100);
    QTest::newRow("cut inside the scan header") << jpeg.left(scanData - 1);
    QTest::newRow("ends at its end marker") << QByteArray("\xff\xd8\xff\xd9", 4);
}

void JpegFileTest::noHeaderNoResult() {
    QFETCH(QByteArray, bytes);
    const QString path = write(QStringLiteral("broken.jpg"), bytes);
    QVERIFY(!readJpegHeader(path));
    QVERIFY(!readJpegImage(path));
}

void JpegFileTest::missingFileNoResult() {
    QVERIFY(!readJpegHeader(dir_.filePath(QStringLiteral("missing.jpg"))));
    QVERIFY(!readJpegImage(dir_.filePath(QStringLiteral("missing.jpg"))));
}

void JpegFileTest::headerReadsOnlyTheHeader() {
    const QByteArray jpeg = fixtures::withExifOrientation(
        fixtures::jpegBytes(fixtures::noisePicture(QSize(1600, 1200))), 8);
    QVERIFY(jpeg.size() > 1'000'000);
    const auto header = readJpegHeader(write(QStringLiteral("large.jpg"), jpeg));
    QVERIFY(header);
    QCOMPARE(header->displaySize(), QSize(1200, 1600));
    QVERIFY2(header->bytesRead <= 8192, QByteArray::number(header->bytesRead));
    QVERIFY(header->bytesRead >= fixtures::scanDataOffset(jpeg));
}

void JpegFileTest::hugeClaimedSizeIsNotDecoded() {
    // The header is all an entry needs; decoding must not trust it with gigabytes.
    QByteArray jpeg = fixtures::jpegBytes(QSize(16, 16));
    qsizetype frame = -1;
    for (const auto& [marker, data] : markersOf(jpeg))
        frame = marker == 0xc0 ? data : frame;
    QVERIFY(frame > 0);
    jpeg.replace(frame + 1, 4, QByteArray("\xea\x60\xea\x60", 4)); // 60000 x 60000
    const QString path = write(QStringLiteral("huge.jpg"), jpeg);
    const auto header = readJpegHeader(path);
    QVERIFY(header);
    QCOMPARE(header->storedSize, QSize(60000, 60000));
    QVERIFY(!readJpegImage(path));
}

void JpegFileTest::roundTripKeepsSizeAndColours_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("even") << QSize(64, 48);
    QTest::newRow("odd, not a multiple of the block size") << QSize(37, 21);
}

void JpegFileTest::roundTripKeepsSizeAndColours() {
    QFETCH(QSize, size);
    // The orientation tag must not turn the decoded pixels; that is left to the caller.
    const QByteArray jpeg = fixtures::withExifOrientation(fixtures::jpegBytes(size), 6);
    const auto image = readJpegImage(write(QStringLiteral("round.jpg"), jpeg));
    QVERIFY(image);
    QCOMPARE(image->size(), size);
    QCOMPARE(image->format(), QImage::Format_RGB888);
    const int w = size.width(), h = size.height();
    const QPoint centres[] = {
        {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int quarter = 0; quarter < 4; ++quarter)
        QVERIFY2(closeTo(image->pixelColor(centres[quarter]), fixtures::quarterColour(quarter)),
                 qPrintable(image->pixelColor(centres[quarter]).name()));
}

void JpegFileTest::damagedImageDataStillDecodes_data() {
    QTest::addColumn<bool>("cut");
    QTest::newRow("garbage in the scan") << false;
    QTest::newRow("cut inside the scan") << true;
}

void JpegFileTest::damagedImageDataStillDecodes() {
    QFETCH(bool, cut);
    QByteArray jpeg = fixtures::jpegBytes(fixtures::noisePicture(QSize(96, 64)));
    const qsizetype scanData = fixtures::scanDataOffset(jpeg);
    const qsizetype middle = (scanData + jpeg.size()) / 2;
    if (cut)
        jpeg.truncate(middle);
    else
        jpeg.replace(middle, 64, QByteArray(64, '\x5a'));
    const QString path = write(QStringLiteral("damaged.jpg"), jpeg);
    const auto header = readJpegHeader(path);
    QVERIFY(header);
    QCOMPARE(header->storedSize, QSize(96, 64));
    const auto image = readJpegImage(path);
    QVERIFY(image);
    QCOMPARE(image->size(), QSize(96, 64));
}

void JpegFileTest::greyscaleFileDecodesToRgb() {
    QImage grey(16, 16, QImage::Format_Grayscale8);
    grey.fill(200);
    const QString path = dir_.filePath(QStringLiteral("grey.jpg"));
    // A one-component file, which our own writer never makes.
    if (!grey.save(path, "JPG"))
        QSKIP("Qt's JPEG plug-in is not installed");
    const auto image = readJpegImage(path);
    QVERIFY(image);
    QVERIFY(closeTo(image->pixelColor(8, 8), QColor(200, 200, 200)));
}

void JpegFileTest::writesBaselineThreeComponentsWithDefaultMarkers_data() {
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("RGB32") << QImage::Format_RGB32;
    QTest::newRow("ARGB32") << QImage::Format_ARGB32;
    QTest::newRow("RGB888") << QImage::Format_RGB888;
    QTest::newRow("greyscale") << QImage::Format_Grayscale8;
    QTest::newRow("indexed") << QImage::Format_Indexed8;
}

void JpegFileTest::writesBaselineThreeComponentsWithDefaultMarkers() {
    QFETCH(QImage::Format, format);
    const QImage picture = fixtures::quarteredPicture(QSize(24, 16)).convertToFormat(format);
    const QByteArray jpeg = fixtures::jpegBytes(picture);
    QList<int> names;
    qsizetype frame = -1;
    for (const auto& [marker, data] : markersOf(jpeg)) {
        names.append(marker);
        if (marker == 0xc0)
            frame = data;
    }
    // JFIF, two quantisation tables, baseline frame, four Huffman tables, scan.
    const QList<int> expected{0xe0, 0xdb, 0xdb, 0xc0, 0xc4, 0xc4, 0xc4, 0xc4, 0xda};
    QCOMPARE(names, expected);
    QCOMPARE(int(static_cast<uchar>(jpeg[frame + 5])), 3);
}

void JpegFileTest::qualityFollowsLibjpegScale_data() {
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("firstLuminanceStep");
    // libjpeg scales the standard table (first value 16) by 200 - 2q per cent from q 50 up ...
    QTest::newRow("90") << 90 << 3;
    QTest::newRow("75") << 75 << 8;
    QTest::newRow("50") << 50 << 16;
    // ... and by 5000 / q per cent below.
    QTest::newRow("25") << 25 << 32;
}

void JpegFileTest::qualityFollowsLibjpegScale() {
    QFETCH(int, quality);
    QFETCH(int, firstLuminanceStep);
    const QByteArray jpeg = fixtures::jpegBytes(fixtures::quarteredPicture(QSize(8, 8)), quality);
    const auto markers = markersOf(jpeg);
    QCOMPARE(markers.value(1).first, 0xdb);
    QCOMPARE(int(static_cast<uchar>(jpeg[markers[1].second + 1])), firstLuminanceStep);
}

void JpegFileTest::writeFailuresAreReported() {
    const QImage picture = fixtures::quarteredPicture(QSize(8, 8));
    QVERIFY(!writeJpeg(picture, dir_.filePath(QStringLiteral("no/such/dir/x.jpg"))));
    QVERIFY(!writeJpeg(QImage(), dir_.filePath(QStringLiteral("null.jpg"))));
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("null.jpg"))));
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QVERIFY(!writeJpeg(picture, &readOnly));
    QVERIFY(writeJpeg(picture, dir_.filePath(QStringLiteral("fine.jpg"))));
    QVERIFY(readJpegHeader(dir_.filePath(QStringLiteral("fine.jpg"))));
}

QTEST_MAIN(JpegFileTest)
#include "JpegFileTest.moc"

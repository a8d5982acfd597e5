#include "core/generator/ModernImages.h"
#include "core/generator/ThumbnailMaker.h"
#include "core/photos/JpegFile.h"
#include "core/photos/JpegWithoutMetadata.h"

#include "JpegFixtures.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

// Fine stripes over a gradient: what nearest-neighbour sampling turns into moiré.
QImage stripedPicture(QSize size) {
    QImage picture(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int stripe = ((x / 2) + (y / 3)) % 2 ? 230 : 25;
            picture.setPixel(x, y,
                             qRgb(stripe, (x * 255) / size.width(), (y * 255) / size.height()));
        }
    return picture;
}

// The exact area average: each pixel of the result is the mean of the source pixels it
// covers, fractions weighed.
QImage referenceDownscale(const QImage& source, QSize size) {
    QImage result(size, QImage::Format_RGB888);
    const double sx = double(source.width()) / size.width();
    const double sy = double(source.height()) / size.height();
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            double sum[3] = {}, weight = 0;
            for (int v = int(y * sy); v < std::ceil((y + 1) * sy); ++v)
                for (int u = int(x * sx); u < std::ceil((x + 1) * sx); ++u) {
                    const double w =
                        (std::min<double>(u + 1, (x + 1) * sx) - std::max<double>(u, x * sx)) *
                        (std::min<double>(v + 1, (y + 1) * sy) - std::max<double>(v, y * sy));
                    const QRgb p = source.pixel(u, v);
                    sum[0] += w * qRed(p);
                    sum[1] += w * qGreen(p);
                    sum[2] += w * qBlue(p);
                    weight += w;
                }
            result.setPixel(x, y,
                            qRgb(int(sum[0] / weight + 0.5), int(sum[1] / weight + 0.5),
                                 int(sum[2] / weight + 0.5)));
        }
    return result;
}

double psnr(const QImage& a, const QImage& b) {
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                squares += d * d;
        }
    const double mean = squares / (3.0 * a.width() * a.height());
    return 10 * std::log10(255.0 * 255.0 / std::max(mean, 1e-9));
}

using fixtures::withSegment;

} // namespace

class ModernImagesTest : public QObject {
    Q_OBJECT
private slots:
    void thumbnailsAreFilteredNotSampled();
    void displayCopiesFitTurnAndCarryNoMetadata_data();
    void displayCopiesFitTurnAndCarryNoMetadata();
    void metadataLeftOutOfTheSamePicture_data();
    void metadataLeftOutOfTheSamePicture();
};

// Measured, not assumed: the modern thumbnail against an exact area average of the photo, and
// the classic nearest-neighbour thumbnail against the same.
void ModernImagesTest::thumbnailsAreFilteredNotSampled() {
    QTemporaryDir dir;
    const QImage original = stripedPicture(QSize(1600, 1200));
    const QString photo =
        fixtures::writeFixture(dir.path(), "p.jpg", fixtures::jpegBytes(original, 98));
    const QSize size(100, 75);
    ModernImagePlan plan{photo,
                         photo,
                         dir.filePath("d.jpg"),
                         QSize(1280, 1280),
                         dir.filePath("t.jpg"),
                         dir.filePath("t2.jpg"),
                         size};
    makeModernImages(plan);
    const QImage decoded = *readJpegImage(photo);
    const QImage reference = referenceDownscale(decoded, size);
    const double modern = psnr(*readJpegImage(plan.thumbnailPath), reference);
    const double sampled = psnr(thumbnailPicture(photo, size), reference);
    qInfo("thumbnail PSNR against an exact area average: filtered %.1f dB, sampled %.1f dB", modern,
          sampled);
    constexpr double floor = 30.0;
    QVERIFY2(modern >= floor, qPrintable(QString::number(modern)));
    QVERIFY2(sampled < floor, qPrintable(QString::number(sampled)));
    QCOMPARE(readJpegImage(plan.thumbnail2xPath)->size(), size * 2);
}

void ModernImagesTest::displayCopiesFitTurnAndCarryNoMetadata_data() {
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<bool>("samePixels"); // the photo's own compressed picture
    QTest::newRow("shrunk to the long side")
        << QSize(1600, 1200) << 1 << QSize(1280, 1280) << QSize(1280, 960) << false;
    QTest::newRow("never enlarged, the photo's own picture")
        << QSize(640, 480) << 1 << QSize(1280, 1280) << QSize(640, 480) << true;
    QTest::newRow("turned by its EXIF orientation")
        << QSize(1600, 1200) << 6 << QSize(1280, 1280) << QSize(960, 1280) << false;
    QTest::newRow("full size, turned")
        << QSize(1600, 1200) << 8 << QSize(1200, 1600) << QSize(1200, 1600) << false;
}

void ModernImagesTest::displayCopiesFitTurnAndCarryNoMetadata() {
    QFETCH(QSize, photo);
    QFETCH(int, orientation);
    QFETCH(QSize, box);
    QFETCH(QSize, shown);
    QFETCH(bool, samePixels);
    QTemporaryDir dir;
    const QString path = fixtures::writeFixture(
        dir.path(), "p.jpg",
        fixtures::withExifOrientation(fixtures::jpegBytes(stripedPicture(photo)), orientation));
    ModernImagePlan plan{path,
                         path,
                         dir.filePath("d.jpg"),
                         box,
                         dir.filePath("t.jpg"),
                         dir.filePath("t2.jpg"),
                         QSize(100, 75)};
    makeModernImages(plan);
    const QByteArray display = testfiles::readBytes(plan.displayPath);
    QVERIFY(!display.contains("Exif"));
    QCOMPARE(readJpegHeader(plan.displayPath)->displaySize(), shown);
    // Turned: the photo's top left corner (dark stripe, no green) stays where it is shown.
    const QImage turned = orientedPicture(*readJpegImage(path), orientation);
    const QImage copy = *readJpegImage(plan.displayPath);
    QVERIFY(qAbs(qGreen(copy.pixel(copy.width() - 1, 0)) -
                 qGreen(turned.pixel(turned.width() - 1, 0))) < 24);
    QCOMPARE(copy == turned, samePixels);
    // Filtered, not sampled: close to the exact area average of the photo as shown.
    const double quality = psnr(copy, referenceDownscale(turned, shown));
    QVERIFY2(quality >= 25.0, qPrintable(QString::number(quality)));
}

void ModernImagesTest::metadataLeftOutOfTheSamePicture_data() {
    QTest::addColumn<QByteArray>("photo");
    QTest::addColumn<QByteArrayList>("gone");
    QTest::addColumn<QByteArrayList>("kept");
    const QByteArray jpeg = fixtures::jpegBytes(stripedPicture(QSize(64, 48)));
    QTest::newRow("EXIF, XMP, IPTC and comments")
        << withSegment(
               withSegment(withSegment(withSegment(jpeg, 0xFE, "at home"), 0xED,
                                       QByteArray("Photoshop 3.0\0", 14) + "8BIM caption"),
                           0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0", 29) + "<x:xmpmeta/>"),
               0xE1, fixtures::exifPayload(6))
        << QByteArrayList{"at home", "8BIM", "xmpmeta", "Exif"} << QByteArrayList{"JFIF"};
    QTest::newRow("the colour profile and Adobe's colour block stay")
        << withSegment(withSegment(jpeg, 0xEE, QByteArray("Adobe\0\x64\0\0\0\0\x01", 12)), 0xE2,
                       QByteArray("ICC_PROFILE\0\x01\x01", 14) + "profile")
        << QByteArrayList{} << QByteArrayList{"ICC_PROFILE", "Adobe"};
    QTest::newRow("a video after the end of the picture")
        << jpeg + "\0\0\0\x18" + "ftypmp42 the video" << QByteArrayList{"ftypmp42"}
        << QByteArrayList{};
}

void ModernImagesTest::metadataLeftOutOfTheSamePicture() {
    QFETCH(QByteArray, photo);
    QFETCH(QByteArrayList, gone);
    QFETCH(QByteArrayList, kept);
    const std::optional<QByteArray> stripped = jpegWithoutMetadata(photo);
    QVERIFY(stripped);
    for (const QByteArray& text : gone)
        QVERIFY2(!stripped->contains(text), text.constData());
    for (const QByteArray& text : kept)
        QVERIFY2(stripped->contains(text), text.constData());
    QVERIFY(stripped->endsWith("\xFF\xD9"));
    const QByteArray scan = photo.mid(fixtures::scanDataOffset(photo));
    QVERIFY(stripped->contains(scan.left(scan.indexOf("\xFF\xD9") + 2)));

    // What is not laid out as it must be, or coded in a way browsers may not read, is left
    // to the decoder.
    const qsizetype frame = photo.indexOf("\xFF\xC0");
    QByteArray arithmetic = photo;
    arithmetic[frame + 1] = char(0xC9);
    QByteArray twelveBits = photo;
    twelveBits[frame + 4] = char(12);
    for (const QByteArray& refused :
         {photo.left(photo.indexOf("\xFF\xD9")), arithmetic, twelveBits, QByteArray("GIF89a"),
          photo.left(photo.indexOf("\xFF\xDB") + 3)})
        QVERIFY(!jpegWithoutMetadata(refused));
}

QTEST_GUILESS_MAIN(ModernImagesTest)
#include "ModernImagesTest.moc"

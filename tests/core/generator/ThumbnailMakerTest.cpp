#include "core/generator/ThumbnailMaker.h"
#include "core/generator/GenerationError.h"
#include "core/photos/JpegFile.h"

#include "JpegFixtures.h"
#include "JpegVariants.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

using fixtures::JpegVariant;
using fixtures::Sampling;

Q_DECLARE_METATYPE(JpegVariant)

namespace {

QString entry(const QString& path, QSize size) {
    return QStringLiteral("<n>%1</n><w>%2</w><h>%3</h><r>1 kB</r>")
        .arg(path)
        .arg(size.width())
        .arg(size.height());
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Smooth gradients with noise on top: flat areas would hide an upsampling slip, pure noise
// would hide a row mix-up.
QImage busyPicture(QSize size) {
    QImage picture(size, QImage::Format_RGB888);
    QRandomGenerator random(size.width() * 7919u + size.height());
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const int noise = static_cast<int>(random.bounded(64));
            line[3 * x] = static_cast<uchar>((x * 255 / qMax(1, size.width() - 1) + noise) / 2);
            line[3 * x + 1] = static_cast<uchar>((y * 255 / qMax(1, size.height() - 1)) ^ noise);
            line[3 * x + 2] = static_cast<uchar>(((x + y) * 3 + noise) & 0xff);
        }
    }
    return picture;
}

QStringList thumbnailsIn(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("th_*")}, QDir::Files);
}

} // namespace

class ThumbnailMakerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QHash<QString, QByteArray> variantFiles_;

    // A fresh directory per test row, so that names never collide between rows.
    QString freshDir() {
        static int count = 0;
        const QString path = dir_.filePath(QString::number(++count));
        QDir().mkpath(path);
        return path;
    }

    QByteArray variantBytes(const QString& key, QSize size, const JpegVariant& variant) {
        auto found = variantFiles_.find(key);
        if (found == variantFiles_.end())
            found =
                variantFiles_.insert(key, fixtures::variantJpegBytes(busyPicture(size), variant));
        return *found;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void displaySize_data() {
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("landscape") << QSize(640, 480) << QSize(100, 100) << QSize(100, 75);
        QTest::newRow("portrait") << QSize(480, 640) << QSize(100, 100) << QSize(75, 100);
        QTest::newRow("wide box") << QSize(1024, 768) << QSize(150, 100) << QSize(133, 100);
        QTest::newRow("panorama") << QSize(1000, 333) << QSize(100, 100) << QSize(100, 33);
        QTest::newRow("enlarged") << QSize(50, 50) << QSize(100, 100) << QSize(100, 100);
        QTest::newRow("box proportions") << QSize(800, 600) << QSize(160, 120) << QSize(160, 120);
        // Exact quotients that double precision puts just below the integer (49.99…, 74.99…);
        // single-precision storage rounds them back up.
        QTest::newRow("halves") << QSize(14, 7) << QSize(100, 100) << QSize(100, 50);
        QTest::newRow("three quarters") << QSize(21, 28) << QSize(100, 100) << QSize(75, 100);
        QTest::newRow("one side vanishes") << QSize(10000, 1) << QSize(100, 100) << QSize(100, 0);
    }
    void displaySize() {
        QFETCH(QSize, photo);
        QFETCH(QSize, box);
        QFETCH(QSize, expected);
        QCOMPARE(thumbnailDisplaySize(photo.width(), photo.height(), box.width(), box.height()),
                 expected);
    }

    void textWithoutFile_data() {
        QTest::addColumn<QString>("entryTail");
        QTest::addColumn<bool>("makeFile");
        QTest::addColumn<QString>("photoName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no dimensions, file asked for") << "<r>2 kB</r><ns>" << true << "b.png"
                                                       << "<n>b.png</n><w>120</w><h>90</h>";
        QTest::newRow("no dimensions, no file") << "<r>2 kB</r><ns>" << false << "b.gif"
                                                << "<n>b.gif</n><w>120</w><h>90</h>";
        QTest::newRow("photo shown scaled") << "<w>640</w><h>480</h><r>1 kB</r>" << false << "a.jpg"
                                            << "<n>a.jpg</n><w>120</w><h>90</h>";
        QTest::newRow("portrait shown scaled") << "<w>480</w><h>640</h>" << false << "A.JPG"
                                               << "<n>A.JPG</n><w>67</w><h>90</h>";
    }
    void textWithoutFile() {
        QFETCH(QString, entryTail);
        QFETCH(bool, makeFile);
        QFETCH(QString, photoName);
        QFETCH(QString, expected);
        const QString dir = freshDir();
        // The photo need not even be readable: nothing of it is decoded.
        const QString path = fixtures::writeFixture(dir, photoName, "not a picture");
        const QString photoEntry = "<n>" + path + "</n>" + entryTail;
        QCOMPARE(makeThumbnail(photoEntry, 120, 90, makeFile), expected);
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{photoName});
    }

    void sizeNotANumber_data() {
        QTest::addColumn<QString>("sizeTags");
        QTest::newRow("word") << "<w>wide</w><h>480</h>";
        QTest::newRow("unit") << "<w>640</w><h>480px</h>";
        QTest::newRow("missing height") << "<w>640</w>";
        QTest::newRow("fraction") << "<w>640.5</w><h>480</h>";
    }
    void sizeNotANumber() {
        QFETCH(QString, sizeTags);
        const QString dir = freshDir();
        const QString path = fixtures::writeFixture(dir, "a.jpg", fixtures::jpegBytes({64, 48}));
        for (const bool makeFile : {true, false}) {
            try {
                makeThumbnail("<n>" + path + "</n>" + sizeTags, 100, 100, makeFile);
                QFAIL("no error raised");
            } catch (const GenerationError& error) {
                QVERIFY2(error.message().contains(path), qPrintable(error.message()));
            }
        }
        QVERIFY(thumbnailsIn(dir).isEmpty());
    }

    void thumbnailNames_data() {
        QTest::addColumn<QString>("photoName");
        QTest::addColumn<QStringList>("expected"); // three thumbnails of one photo in a row
        QTest::newRow("jpg") << "a.jpg" << QStringList{"th_a.jpg", "th_a_.jpg", "th_a__.jpg"};
        QTest::newRow("upper case")
            << "A.JPG" << QStringList{"th_A.JPG", "th_A_.JPG", "th_A__.JPG"};
        QTest::newRow("jpeg") << "x.JPEG" << QStringList{"th_x.JPEG", "th_x_.JPEG", "th_x__.JPEG"};
        QTest::newRow("bmp") << "a.bmp"
                             << QStringList{"th_a.bmp.jpg", "th_a.bmp_.jpg", "th_a.bmp__.jpg"};
        QTest::newRow("mixed case bmp")
            << "B.Bmp" << QStringList{"th_B.Bmp.jpg", "th_B.Bmp_.jpg", "th_B.Bmp__.jpg"};
        QTest::newRow("dots and spaces")
            << "my trip.2023.jpg"
            << QStringList{"th_my trip.2023.jpg", "th_my trip.2023_.jpg", "th_my trip.2023__.jpg"};
    }
    void thumbnailNames() {
        QFETCH(QString, photoName);
        QFETCH(QStringList, expected);
        const QString dir = freshDir();
        const bool bmp = photoName.endsWith(".bmp", Qt::CaseInsensitive);
        const QString path = fixtures::writeFixture(
            dir, photoName, bmp ? fixtures::bmpBytes({64, 48}) : fixtures::jpegBytes({64, 48}));
        QList<QByteArray> written;
        for (const QString& name : expected) {
            QCOMPARE(makeThumbnail(entry(path, {64, 48}), 100, 100, true),
                     "<n>" + name + "</n><w>100</w><h>75</h>");
            written.append(readAll(QDir(dir).filePath(name)));
            const auto picture = readJpegImage(QDir(dir).filePath(name));
            QVERIFY(picture);
            QCOMPARE(picture->size(), QSize(100, 75));
        }
        // Earlier thumbnails are left as they were, and nothing else appears.
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(readAll(QDir(dir).filePath(expected[i])), written[i]);
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), expected.size() + 1);
    }

    // What an interrupted earlier run may have left behind is neither in the way nor touched.
    void leftoverPartFile() {
        const QString dir = freshDir();
        const QString path = fixtures::writeFixture(dir, "a.jpg", fixtures::jpegBytes({64, 48}));
        fixtures::writeFixture(dir, ".th_a.jpg.0.part", "left over");
        QCOMPARE(makeThumbnail(entry(path, {64, 48}), 100, 100, true),
                 "<n>th_a.jpg</n><w>100</w><h>75</h>");
        QVERIFY(readJpegImage(QDir(dir).filePath("th_a.jpg")));
        QCOMPARE(readAll(QDir(dir).filePath(".th_a.jpg.0.part")), QByteArray("left over"));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void fastPathMatchesFullDecode_data() {
        QTest::addColumn<JpegVariant>("variant");
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<int>("orientation");
        const QList<QPair<const char*, JpegVariant>> variants = {
            {"4:2:0", {Sampling::Yuv420}},
            {"4:2:2", {Sampling::Yuv422}},
            {"4:4:4", {Sampling::Yuv444}},
            {"4:4:0", {Sampling::Yuv440}},
            {"4:1:1", {Sampling::Yuv411}},
            {"grey", {Sampling::Grey}},
            {"cmyk", {Sampling::Cmyk}},
            {"progressive 4:2:0", {Sampling::Yuv420, true}},
            {"progressive 4:4:4", {Sampling::Yuv444, true}},
            {"progressive grey", {Sampling::Grey, true}},
            {"progressive 4:2:2", {Sampling::Yuv422, true}},
            {"progressive 4:4:0", {Sampling::Yuv440, true}},
            {"progressive 4:1:1", {Sampling::Yuv411, true}},
            {"progressive cmyk", {Sampling::Cmyk, true}},
            {"restarts 4:2:0", {Sampling::Yuv420, false, 1}},
            {"restarts 4:2:2", {Sampling::Yuv422, false, 3}},
            {"arithmetic 4:2:0", {Sampling::Yuv420, false, 0, 90, true}},
            {"arithmetic progressive", {Sampling::Yuv422, true, 0, 90, true}},
        };
        const QList<QPair<const char*, QPair<QSize, QSize>>> sizes = {
            {"odd", {{333, 217}, {100, 100}}},
            {"many rows skipped", {{1203, 905}, {40, 40}}},
            {"smaller than box", {{7, 5}, {100, 100}}},
            {"one pixel", {{1, 1}, {10, 10}}},
            {"narrow strip", {{17, 1000}, {100, 100}}},
            {"one to one", {{45, 37}, {45, 37}}},
        };
        for (const auto& [variantName, variant] : variants)
            for (const auto& [sizeName, sizes] : sizes)
                for (int orientation = 1; orientation <= 8; ++orientation)
                    QTest::addRow("%s %s %d", variantName, sizeName, orientation)
                        << variant << sizes.first << sizes.second << orientation;
    }
    void fastPathMatchesFullDecode() {
        QFETCH(JpegVariant, variant);
        QFETCH(QSize, photo);
        QFETCH(QSize, box);
        QFETCH(int, orientation);
        const QString key = QString::fromLatin1(QTest::currentDataTag()).section(' ', 0, -2);
        const QByteArray bytes =
            fixtures::withExifOrientation(variantBytes(key, photo, variant), orientation);
        const QString path = fixtures::writeFixture(dir_.path(), "variant.jpg", bytes);
        const QSize shown = orientation >= 5 ? photo.transposed() : photo;
        const QSize size =
            thumbnailDisplaySize(shown.width(), shown.height(), box.width(), box.height());
        const QImage fast = thumbnailPicture(path, size);
        QCOMPARE(fast.size(), size);
        QCOMPARE(fast.format(), QImage::Format_RGB888);
        QVERIFY(fast == plainThumbnailPicture(path, size));
    }

    // Damaged photos show what could be decoded and grey for the rest; both ways must agree
    // on every pixel of that too.
    void fastPathMatchesFullDecodeOfDamage_data() {
        QTest::addColumn<JpegVariant>("variant");
        QTest::addColumn<bool>("truncate");
        for (const bool truncate : {true, false}) {
            const char* damage = truncate ? "cut short" : "garbled";
            QTest::addRow("4:2:0 %s", damage) << JpegVariant{Sampling::Yuv420} << truncate;
            QTest::addRow("restarts %s", damage)
                << JpegVariant{Sampling::Yuv420, false, 2} << truncate;
            QTest::addRow("progressive %s", damage)
                << JpegVariant{Sampling::Yuv420, true} << truncate;
        }
    }
    void fastPathMatchesFullDecodeOfDamage() {
        QFETCH(JpegVariant, variant);
        QFETCH(bool, truncate);
        QByteArray bytes = fixtures::variantJpegBytes(busyPicture({400, 300}), variant);
        const qsizetype scan = fixtures::scanDataOffset(bytes);
        QVERIFY(scan > 0);
        const qsizetype middle = scan + (bytes.size() - scan) / 2;
        if (truncate) {
            bytes.truncate(middle);
        } else {
            // Bits flipped away from 0xff bytes, so that no marker appears or goes.
            for (qsizetype at = middle; at < middle + 40; ++at) {
                const auto byte = static_cast<uchar>(bytes[at]);
                if (byte != 0xff && static_cast<uchar>(bytes[at - 1]) != 0xff && byte != 0xa5)
                    bytes[at] = static_cast<char>(byte ^ 0x5a);
            }
        }
        const QString path = fixtures::writeFixture(dir_.path(), "damaged.jpg", bytes);
        for (const QSize size : {QSize(100, 75), QSize(57, 300)}) {
            const QImage fast = thumbnailPicture(path, size);
            QVERIFY(!fast.isNull());
            QVERIFY(fast == plainThumbnailPicture(path, size));
        }
    }

    void orientationTurnsThePicture_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QList<int>>("quarters"); // stored quarter shown top left, top right,
                                                  // bottom left, bottom right
        QTest::newRow("1 as stored") << 1 << QList<int>{0, 1, 2, 3};
        QTest::newRow("2 mirrored") << 2 << QList<int>{1, 0, 3, 2};
        QTest::newRow("3 half turn") << 3 << QList<int>{3, 2, 1, 0};
        QTest::newRow("4 flipped") << 4 << QList<int>{2, 3, 0, 1};
        QTest::newRow("5 transposed") << 5 << QList<int>{0, 2, 1, 3};
        QTest::newRow("6 turned right") << 6 << QList<int>{2, 0, 3, 1};
        QTest::newRow("7 transversed") << 7 << QList<int>{3, 1, 2, 0};
        QTest::newRow("8 turned left") << 8 << QList<int>{1, 3, 0, 2};
    }
    void orientationTurnsThePicture() {
        QFETCH(int, orientation);
        QFETCH(QList<int>, quarters);
        const QString dir = freshDir();
        const QSize stored(96, 48);
        const QString path = fixtures::writeFixture(
            dir, "turned.jpg",
            fixtures::withExifOrientation(
                fixtures::jpegBytes(fixtures::quarteredPicture(stored), 100), orientation));
        const QSize shown = orientation >= 5 ? stored.transposed() : stored;
        const QString text = makeThumbnail(entry(path, shown), 80, 80, true);
        const QSize size = orientation >= 5 ? QSize(40, 80) : QSize(80, 40);
        QCOMPARE(text, QStringLiteral("<n>th_turned.jpg</n><w>%1</w><h>%2</h>")
                           .arg(size.width())
                           .arg(size.height()));
        const auto thumbnail = readJpegImage(QDir(dir).filePath("th_turned.jpg"));
        QVERIFY(thumbnail);
        QCOMPARE(thumbnail->size(), size);
        const int w = size.width(), h = size.height();
        const QList<QPoint> centres = {
            {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
        for (int i = 0; i < 4; ++i) {
            const QColor actual = thumbnail->pixelColor(centres[i]);
            const QColor expected = fixtures::quarterColour(quarters[i]);
            QVERIFY2(qAbs(actual.red() - expected.red()) < 24 &&
                         qAbs(actual.green() - expected.green()) < 24 &&
                         qAbs(actual.blue() - expected.blue()) < 24,
                     qPrintable(QStringLiteral("quarter %1 is %2").arg(i).arg(actual.name())));
        }
    }

    void writtenFileIsBaselineQuality90_data() {
        QTest::addColumn<JpegVariant>("source");
        QTest::newRow("colour") << JpegVariant{Sampling::Yuv444, false, 0, 98};
        QTest::newRow("greyscale") << JpegVariant{Sampling::Grey};
        QTest::newRow("progressive") << JpegVariant{Sampling::Yuv420, true, 0, 50};
    }
    void writtenFileIsBaselineQuality90() {
        QFETCH(JpegVariant, source);
        const QString dir = freshDir();
        const QString path = fixtures::writeFixture(
            dir, "s.jpg", fixtures::variantJpegBytes(busyPicture({200, 150}), source));
        makeThumbnail(entry(path, {200, 150}), 100, 100, true);
        const fixtures::JpegLayout layout =
            fixtures::jpegLayout(readAll(QDir(dir).filePath("th_s.jpg")));
        const fixtures::JpegLayout libraryDefaults = fixtures::defaultJpegLayout(90);
        QVERIFY(layout.valid && libraryDefaults.valid);
        QVERIFY(layout.baseline);
        QVERIFY(!layout.progressive);
        QCOMPARE(layout.components, 3);
        QCOMPARE(layout.horizontalSampling, libraryDefaults.horizontalSampling);
        QCOMPARE(layout.verticalSampling, libraryDefaults.verticalSampling);
        QCOMPARE(layout.quantTables, libraryDefaults.quantTables);
        QVERIFY(layout.quantTables != fixtures::defaultJpegLayout(75).quantTables);
    }

    void bmpSources_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("topDown");
        for (const int bits : {1, 4, 8, 16, 24, 32}) {
            QTest::addRow("%d bits", bits) << bits << false;
            QTest::addRow("%d bits top down", bits) << bits << true;
        }
    }
    void bmpSources() {
        QFETCH(int, bits);
        QFETCH(bool, topDown);
        const QSize size(13, 7);
        QList<QRgb> palette;
        for (int i = 0; i < (bits <= 8 ? 1 << bits : 0); ++i)
            palette.append(qRgb(i * 37 % 256, 255 - i, i * 11 % 256));
        QList<int> values;
        QImage expected(size, QImage::Format_RGB888);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                QRgb colour = 0;
                int value = 0;
                if (bits <= 8) {
                    value = (x * 3 + y * 5) % palette.size();
                    colour = palette[value];
                } else if (bits == 16) { // 5-5-5, each channel widened by a shift of 3
                    const int r = x * 2 % 32, g = y * 4 % 32, b = (x + y) % 32;
                    value = r << 10 | g << 5 | b;
                    colour = qRgb(r << 3, g << 3, b << 3);
                } else { // the fourth byte of a 32-bit pixel is left 0, as most writers do
                    colour = qRgb(x * 19, y * 36, (x * y) % 256);
                    value = static_cast<int>(colour & 0xffffff);
                }
                values.append(value);
                expected.setPixel(x, y, colour);
            }
        }
        const QString dir = freshDir();
        const QString path = fixtures::writeFixture(
            dir, "x.bmp", fixtures::bmpFile(bits, size, topDown, palette, values));
        QCOMPARE(thumbnailPicture(path, size), expected);
        QImage doubled(26, 7, QImage::Format_RGB888);
        for (int y = 0; y < doubled.height(); ++y)
            for (int x = 0; x < doubled.width(); ++x)
                doubled.setPixel(x, y, expected.pixel(x / 2, y));
        QCOMPARE(thumbnailPicture(path, doubled.size()), doubled);
        QCOMPARE(makeThumbnail(entry(path, size), 100, 100, true),
                 "<n>th_x.bmp.jpg</n><w>100</w><h>53</h>");
        const auto written = readJpegImage(QDir(dir).filePath("th_x.bmp.jpg"));
        QVERIFY(written);
        QCOMPARE(written->size(), QSize(100, 53));
    }

    // A BMP is read row by row where the sampling looks: any size makes a thumbnail.
    void largeBmpWithoutHoldingIt() {
        const QString dir = freshDir();
        QByteArray header = fixtures::bmpFile(24, QSize(1, 1), false, {}, {0});
        header.truncate(54);
        const qint64 side = 12000;
        const qint64 stride = side * 3;
        qToLittleEndian<quint32>(quint32(54 + stride * side), header.data() + 2);
        qToLittleEndian<quint32>(quint32(side), header.data() + 18);
        qToLittleEndian<quint32>(quint32(side), header.data() + 22);
        QFile file(fixtures::writeFixture(dir, "big.bmp", header));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(54 + stride * side)); // sparse
        QImage black(100, 100, QImage::Format_RGB888);
        black.fill(Qt::black);
        QCOMPARE(thumbnailPicture(file.fileName(), QSize(100, 100)), black);
    }

    void badSourceRaisesErrorNamingIt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: no file at all
        const QByteArray jpeg = fixtures::jpegBytes({64, 48});
        QTest::newRow("missing jpg") << "gone.jpg" << QByteArray();
        QTest::newRow("missing bmp") << "gone.bmp" << QByteArray();
        QTest::newRow("empty jpg") << "empty.jpg" << QByteArray("");
        QTest::newRow("text as jpg") << "text.jpg" << QByteArray("hello, not a photo");
        QTest::newRow("header cut short")
            << "cut.jpg" << jpeg.left(fixtures::scanDataOffset(jpeg) - 30);
        QTest::newRow("png as jpg") << "png.jpg" << fixtures::pngBytes({64, 48});
        QTest::newRow("jpg as bmp") << "photo.bmp" << jpeg;
        QTest::newRow("bmp cut short") << "cut.bmp" << fixtures::bmpBytes({64, 48}).left(30);
        QTest::newRow("size as text") << "tall.jpg" << fixtures::jpegBytes({1, 3000});
        // A progressive header claiming 40000 × 40000 pixels: 9 GB of coefficients.
        QByteArray huge = fixtures::variantJpegBytes(QImage(16, 16, QImage::Format_RGB888),
                                                     {fixtures::Sampling::Yuv444, true});
        const qsizetype frame = huge.indexOf("\xff\xc2");
        qToBigEndian<quint16>(40000, huge.data() + frame + 5);
        qToBigEndian<quint16>(40000, huge.data() + frame + 7);
        QTest::newRow("too large, and says so") << "huge.jpg" << huge;
    }
    void badSourceRaisesErrorNamingIt() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString dir = freshDir();
        const QString path = QDir(dir).filePath(name);
        if (!bytes.isNull())
            fixtures::writeFixture(dir, name, bytes);
        // The tall photo is readable but makes a thumbnail one pixel less than nothing wide.
        const QSize recorded = name == "tall.jpg" ? QSize(1, 3000) : QSize(64, 48);
        try {
            makeThumbnail(entry(path, recorded), 100, 100, true);
            QFAIL("no error raised");
        } catch (const GenerationError& error) {
            QVERIFY2(error.message().contains(path), qPrintable(error.message()));
            QCOMPARE(error.message().contains("too large for a thumbnail: it needs 9155 MB"),
                     name == "huge.jpg");
        }
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden),
                 bytes.isNull() ? QStringList() : QStringList{name});
    }
};

QTEST_GUILESS_MAIN(ThumbnailMakerTest)
#include "ThumbnailMakerTest.moc"

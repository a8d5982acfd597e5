#include "core/photos/PhotoMetadata.h"
#include "core/photos/JpegFile.h"
#include "core/photos/LocationRemoval.h"
#include "core/photos/PhotoEntry.h"
#include "core/photos/TaggedText.h"

#include "JpegFixtures.h"
#include "MetadataFixtures.h"

#include <QTemporaryDir>
#include <QtTest>

using fixtures::ByteOrder;
using fixtures::PhotoTags;

Q_DECLARE_METATYPE(PhotoTags)

namespace {

const QSize pictureSize(40, 30);

QByteArray plainJpeg() {
    return fixtures::jpegBytes(pictureSize);
}

PhotoTags exifTags(QList<fixtures::ExifTag> exif, QList<fixtures::XmpTag> xmp = {}) {
    PhotoTags tags;
    tags.exif = std::move(exif);
    tags.xmp = std::move(xmp);
    return tags;
}

// A photo with everything but its location: date, camera, shot and captions.
PhotoTags describedPhoto() {
    PhotoTags tags = exifTags({{"Exif.Photo.DateTimeOriginal", "2024:05:01 12:30:00"},
                               {"Exif.Image.Make", "Canon"},
                               {"Exif.Image.Model", "Canon EOS 5D"},
                               {"Exif.Image.Orientation", "6"},
                               {"Exif.Photo.ExposureTime", "1/200"},
                               {"Exif.Photo.FNumber", "8/1"},
                               {"Exif.Photo.ISOSpeedRatings", "100"},
                               {"Exif.Photo.FocalLength", "50/1"}},
                              {{"Xmp.dc.description", "Harbour at dawn"}});
    tags.iptcCaption = QStringLiteral("IPTC caption");
    tags.comment = "A comment";
    return tags;
}

const QList<fixtures::ExifTag> exifLocation{{"Exif.GPSInfo.GPSLatitudeRef", "N"},
                                            {"Exif.GPSInfo.GPSLatitude", "52/1 13/1 30/1"},
                                            {"Exif.GPSInfo.GPSLongitudeRef", "E"},
                                            {"Exif.GPSInfo.GPSLongitude", "21/1 0/1 45/1"},
                                            {"Exif.GPSInfo.GPSAltitude", "100/1"}};
const QList<fixtures::XmpTag> xmpLocation{{"Xmp.exif.GPSLatitude", "52,13.5N"},
                                          {"Xmp.exif.GPSLongitude", "21,0.75E"}};

QString fieldOf(const PhotoMetadata& metadata, const QString& field) {
    const QHash<QString, QString> fields{
        {QStringLiteral("date"), metadata.dateTaken},
        {QStringLiteral("make"), metadata.cameraMake},
        {QStringLiteral("model"), metadata.cameraModel},
        {QStringLiteral("exposure"), metadata.exposureTime},
        {QStringLiteral("aperture"), metadata.aperture},
        {QStringLiteral("iso"), metadata.iso},
        {QStringLiteral("focal length"), metadata.focalLength},
        {QStringLiteral("summary"), metadata.cameraSummary()},
        {QStringLiteral("location"), metadata.hasLocation ? QStringLiteral("yes") : "no"},
    };
    return fields.value(field, QStringLiteral("no such field"));
}

// The payload of the first segment that starts with the prefix.
QByteArray segmentPayload(const QByteArray& jpeg, const QByteArray& prefix) {
    const qsizetype at = jpeg.indexOf(prefix);
    if (at < 4)
        return {};
    const int length = (static_cast<uchar>(jpeg[at - 2]) << 8) | static_cast<uchar>(jpeg[at - 1]);
    return jpeg.mid(at, length - 2);
}

bool isLocationKey(const QString& key) {
    return key.startsWith(QLatin1String("Exif.GPSInfo.")) ||
           key == QLatin1String("Exif.Image.GPSTag") ||
           key.startsWith(QLatin1String("Xmp.exif.GPS"));
}

} // namespace

class PhotoMetadataTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        return fixtures::writeFixture(dir_.path(), name, bytes);
    }

    std::optional<JpegHeader> header(const QByteArray& jpeg) {
        return readJpegHeader(write(QStringLiteral("photo.jpg"), jpeg));
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void fieldsReadFromFile_data();
    void fieldsReadFromFile();
    void captionPrecedence_data();
    void captionPrecedence();
    void malformedSegmentsArePassedOver_data();
    void malformedSegmentsArePassedOver();
    void orientationWrittenByExiv2_data();
    void orientationWrittenByExiv2();
    void entryKeepsMetadataTexts_data();
    void entryKeepsMetadataTexts();
    void locationRemoved_data();
    void locationRemoved();
    void locationRemovalRefusesWhatIsNotJpeg_data();
    void locationRemovalRefusesWhatIsNotJpeg();
};

void PhotoMetadataTest::fieldsReadFromFile_data() {
    QTest::addColumn<PhotoTags>("tags");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const PhotoTags& tags, const char* field,
                        const char* expected) {
        QTest::newRow(name) << tags << QString::fromUtf8(field) << QString::fromUtf8(expected);
    };
    const QString original = QStringLiteral("Exif.Photo.DateTimeOriginal");
    const QString digitised = QStringLiteral("Exif.Photo.DateTimeDigitized");
    row("date taken", exifTags({{original, "2024:05:01 12:30:00"}}), "date", "2024-05-01 12:30:00");
    row("original before digitised",
        exifTags({{digitised, "2024:05:02 08:00:00"}, {original, "2024:05:01 12:30:00"}}), "date",
        "2024-05-01 12:30:00");
    row("digitised without original", exifTags({{digitised, "2024:05:02 08:00:00"}}), "date",
        "2024-05-02 08:00:00");
    row("all-zero date", exifTags({{original, "0000:00:00 00:00:00"}}), "date", "");
    row("blank date", exifTags({{original, "    :  :     :  :  "}}), "date", "");
    row("all-zero original, digitised taken",
        exifTags({{original, "0000:00:00 00:00:00"}, {digitised, "2024:05:02 08:00:00"}}), "date",
        "2024-05-02 08:00:00");
    row("XMP date when EXIF has none",
        exifTags({}, {{"Xmp.exif.DateTimeOriginal", "2024-05-01T12:30:00+02:00"}}), "date",
        "2024-05-01 12:30:00");
    row("EXIF date before XMP date",
        exifTags({{original, "2024:05:01 12:30:00"}},
                 {{"Xmp.exif.DateTimeOriginal", "2023-01-01T00:00:00"}}),
        "date", "2024-05-01 12:30:00");
    row("make", exifTags({{"Exif.Image.Make", "Canon"}}), "make", "Canon");
    row("make padded", exifTags({{"Exif.Image.Make", "NIKON CORPORATION   "}}), "make",
        "NIKON CORPORATION");
    row("model", exifTags({{"Exif.Image.Model", "Canon EOS 5D"}}), "model", "Canon EOS 5D");
    const QString exposure = QStringLiteral("Exif.Photo.ExposureTime");
    row("exposure 1/200", exifTags({{exposure, "1/200"}}), "exposure", "1/200 s");
    row("exposure 10/2000", exifTags({{exposure, "10/2000"}}), "exposure", "1/200 s");
    row("exposure 2 s", exifTags({{exposure, "2/1"}}), "exposure", "2 s");
    row("exposure 1.3 s", exifTags({{exposure, "13/10"}}), "exposure", "1.3 s");
    row("exposure over zero", exifTags({{exposure, "1/0"}}), "exposure", "");
    const QString fNumber = QStringLiteral("Exif.Photo.FNumber");
    row("f/2.8", exifTags({{fNumber, "28/10"}}), "aperture", "f/2.8");
    row("f/8", exifTags({{fNumber, "8/1"}}), "aperture", "f/8");
    row("ISO", exifTags({{"Exif.Photo.ISOSpeedRatings", "100"}}), "iso", "ISO 100");
    row("ISO 0", exifTags({{"Exif.Photo.ISOSpeedRatings", "0"}}), "iso", "");
    const QString focal = QStringLiteral("Exif.Photo.FocalLength");
    row("focal length", exifTags({{focal, "50/1"}}), "focal length", "50 mm");
    row("no location", exifTags({{"Exif.Image.Make", "Canon"}}), "location", "no");
    row("EXIF location", exifTags(exifLocation), "location", "yes");
    row("XMP location", exifTags({}, xmpLocation), "location", "yes");
    row("summary", describedPhoto(), "summary", "Canon EOS 5D · 1/200 s · f/8 · ISO 100 · 50 mm");
    row("summary, make not in the model",
        exifTags({{"Exif.Image.Make", "Panasonic"},
                  {"Exif.Image.Model", "DMC-FZ200"},
                  {fNumber, "28/10"}}),
        "summary", "Panasonic DMC-FZ200 · f/2.8");
    row("summary, first word of the make in the model",
        exifTags({{"Exif.Image.Make", "NIKON CORPORATION"}, {"Exif.Image.Model", "NIKON D750"}}),
        "summary", "NIKON D750");
    row("summary of nothing", exifTags({{original, "2024:05:01 12:30:00"}}), "summary", "");
}

void PhotoMetadataTest::fieldsReadFromFile() {
    QFETCH(PhotoTags, tags);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    const auto read = header(fixtures::withTags(plainJpeg(), tags));
    QVERIFY(read);
    QCOMPARE(fieldOf(read->metadata, field), expected);
}

void PhotoMetadataTest::captionPrecedence_data() {
    QTest::addColumn<PhotoTags>("tags");
    QTest::addColumn<QString>("expected");
    // Each source is written only when given (nullptr leaves it out).
    const auto row = [](const char* name, const char* description, const char* title,
                        const char* iptc, const char* exif, const char* comment,
                        const char* expected) {
        PhotoTags tags;
        if (description)
            tags.xmp.append({QStringLiteral("Xmp.dc.description"), QString::fromUtf8(description)});
        if (title)
            tags.xmp.append({QStringLiteral("Xmp.dc.title"), QString::fromUtf8(title)});
        tags.iptcCaption = QString::fromUtf8(iptc);
        if (exif)
            tags.exif.append(
                {QStringLiteral("Exif.Image.ImageDescription"), QString::fromUtf8(exif)});
        tags.comment = QByteArray(comment);
        QTest::newRow(name) << tags << QString::fromUtf8(expected);
    };
    row("XMP description alone", "D", nullptr, nullptr, nullptr, nullptr, "D");
    row("XMP title alone", nullptr, "T", nullptr, nullptr, nullptr, "T");
    row("IPTC caption alone", nullptr, nullptr, "I", nullptr, nullptr, "I");
    row("EXIF description alone", nullptr, nullptr, nullptr, "E", nullptr, "E");
    row("comment alone", nullptr, nullptr, nullptr, nullptr, "C", "C");
    row("description before title", "D", "T", nullptr, nullptr, nullptr, "D");
    row("title before IPTC", nullptr, "T", "I", nullptr, nullptr, "T");
    row("IPTC before EXIF", nullptr, nullptr, "I", "E", nullptr, "I");
    row("EXIF before comment", nullptr, nullptr, nullptr, "E", "C", "E");
    row("description before all", "D", "T", "I", "E", "C", "D");
    row("camera text in EXIF", nullptr, nullptr, nullptr, "OLYMPUS DIGITAL CAMERA", "Sea", "Sea");
    row("camera text alone", nullptr, nullptr, nullptr, "KONICA MINOLTA DIGITAL CAMERA", nullptr,
        "");
    row("camera text in XMP", "SONY DSC", nullptr, "Harbour", nullptr, nullptr, "Harbour");
    row("encoder comment", nullptr, nullptr, nullptr, nullptr,
        "CREATOR: gd-jpeg v1.0 (using IJG JPEG v62), quality = 90", "");
    row("blank description", "   ", "T", nullptr, nullptr, nullptr, "T");
    row("blank IPTC caption", nullptr, nullptr, " ", "E", nullptr, "E");
    const char* polish = "Zażółć gęślą jaźń";
    row("Polish in XMP", polish, nullptr, nullptr, nullptr, nullptr, polish);
    row("Polish in IPTC", nullptr, nullptr, polish, nullptr, nullptr, polish);
    row("Polish in EXIF", nullptr, nullptr, nullptr, polish, nullptr, polish);
    row("Polish in the comment", nullptr, nullptr, nullptr, nullptr, polish, polish);
    row("Latin-1 comment", nullptr, nullptr, nullptr, nullptr, "Z\xfcrich", "Zürich");
    row("line break", "Line one\nLine two", nullptr, nullptr, nullptr, nullptr,
        "Line one Line two");
}

void PhotoMetadataTest::captionPrecedence() {
    QFETCH(PhotoTags, tags);
    QFETCH(QString, expected);
    const auto read = header(fixtures::withTags(plainJpeg(), tags));
    QVERIFY(read);
    QCOMPARE(read->metadata.caption, expected);
}

void PhotoMetadataTest::malformedSegmentsArePassedOver_data() {
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("orientation");
    const QByteArray plain = plainJpeg();
    QByteArray noise(200, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 73 + 41) % 251);
    const QByteArray exifId("Exif\0\0", 6);
    const QByteArray xmpId("http://ns.adobe.com/xap/1.0/\0", 29);
    const QByteArray photoshopId("Photoshop 3.0\0", 14);
    // Only the first segment of a kind counts, so a damaged one put in front hides any other.
    using fixtures::withSegment;

    PhotoTags xmpOnly = exifTags({}, {{"Xmp.dc.description", "From XMP"},
                                      {"Xmp.exif.DateTimeOriginal", "2021-03-04T05:06:07"}});
    const QByteArray withXmp = fixtures::withTags(plain, xmpOnly);
    PhotoTags exifOnly = exifTags({{"Exif.Image.ImageDescription", "From EXIF"},
                                   {"Exif.Image.Make", "Canon"},
                                   {"Exif.Image.Model", "Canon EOS 5D"},
                                   {"Exif.Image.Orientation", "6"},
                                   {"Exif.Photo.DateTimeOriginal", "2022:02:02 10:00:00"}});
    const QByteArray withExif = fixtures::withTags(plain, exifOnly);
    PhotoTags commentOnly;
    commentOnly.comment = "From the comment";
    const QByteArray withComment = fixtures::withTags(plain, commentOnly);

    const auto row = [](const char* name, const QByteArray& jpeg, const char* caption,
                        const char* date, const char* summary, int orientation) {
        QTest::newRow(name) << jpeg << QString::fromUtf8(caption) << QString::fromUtf8(date)
                            << QString::fromUtf8(summary) << orientation;
    };
    const char* const exifDate = "2022-02-02 10:00:00";
    row("EXIF of noise", withSegment(withXmp, 0xe1, exifId + noise), "From XMP",
        "2021-03-04 05:06:07", "", 1);
    row("EXIF identifier alone", withSegment(withXmp, 0xe1, exifId), "From XMP",
        "2021-03-04 05:06:07", "", 1);
    // Cut inside the first directory: its entries' values lie beyond the end.
    row("EXIF cut short",
        withSegment(withComment, 0xe1, segmentPayload(withExif, exifId).left(6 + 8 + 2 + 24)),
        "From the comment", "", "", 1);
    QByteArray looped = fixtures::exifPayload(6);
    looped.replace(looped.size() - 4, 4, QByteArray("\x08\0\0\0", 4));
    row("EXIF directories in a loop", withSegment(withComment, 0xe1, looped), "From the comment",
        "", "", 6);
    row("XMP cut short",
        withSegment(withExif, 0xe1,
                    xmpId + "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
                            "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                            "<rdf:Description rdf:about='' "
                            "xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:description>"
                            "<rdf:Alt><rdf:li xml:lang='x-default'>From XMP"),
        "From EXIF", exifDate, "Canon EOS 5D", 6);
    row("XMP of noise", withSegment(withExif, 0xe1, xmpId + noise), "From EXIF", exifDate,
        "Canon EOS 5D", 6);
    row("APP13 resource longer than the segment",
        withSegment(withExif, 0xed,
                    photoshopId + QByteArray("8BIM\x04\x04\0\0\xff\xff\xff\x00", 12) + noise),
        "From EXIF", exifDate, "Canon EOS 5D", 6);
    row("APP13 record longer than the resource",
        withSegment(withExif, 0xed,
                    photoshopId + QByteArray("8BIM\x04\x04\0\0\0\0\0\x0c\x1c\x02\x78\x7f\xff", 17) +
                        "Caption"),
        "From EXIF", exifDate, "Canon EOS 5D", 6);
    row("APP13 of noise", withSegment(withExif, 0xed, photoshopId + noise), "From EXIF", exifDate,
        "Canon EOS 5D", 6);
    row("all broken but the comment",
        withSegment(
            withSegment(withSegment(withComment, 0xe1, exifId + noise), 0xe1, xmpId + noise), 0xed,
            photoshopId + noise),
        "From the comment", "", "", 1);
}

void PhotoMetadataTest::malformedSegmentsArePassedOver() {
    QFETCH(QByteArray, jpeg);
    QFETCH(QString, caption);
    QFETCH(QString, date);
    QFETCH(QString, summary);
    QFETCH(int, orientation);
    const auto read = header(jpeg);
    QVERIFY(read);
    QCOMPARE(read->storedSize, pictureSize);
    QCOMPARE(read->metadata.caption, caption);
    QCOMPARE(read->metadata.dateTaken, date);
    QCOMPARE(read->metadata.cameraSummary(), summary);
    QCOMPARE(read->orientation, orientation);
    QVERIFY(!read->metadata.hasLocation);
}

void PhotoMetadataTest::orientationWrittenByExiv2_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("type");
    QTest::addColumn<ByteOrder>("order");
    QTest::addColumn<int>("expected");
    for (int orientation = 1; orientation <= 8; ++orientation)
        for (const ByteOrder order : {ByteOrder::LittleEndian, ByteOrder::BigEndian})
            QTest::addRow("%d %s", orientation, order == ByteOrder::BigEndian ? "MM" : "II")
                << QString::number(orientation) << QString() << order << orientation;
    QTest::newRow("0") << QStringLiteral("0") << QString() << ByteOrder::BigEndian << 1;
    QTest::newRow("9") << QStringLiteral("9") << QString() << ByteOrder::LittleEndian << 1;
    QTest::newRow("6 as LONG") << QStringLiteral("6") << QStringLiteral("Long")
                               << ByteOrder::BigEndian << 1;
    QTest::newRow("6 twice") << QStringLiteral("6 6") << QString() << ByteOrder::LittleEndian << 1;
}

void PhotoMetadataTest::orientationWrittenByExiv2() {
    QFETCH(QString, value);
    QFETCH(QString, type);
    QFETCH(ByteOrder, order);
    QFETCH(int, expected);
    PhotoTags tags = exifTags({{QStringLiteral("Exif.Image.Orientation"), value, type}});
    tags.byteOrder = order;
    const QByteArray jpeg = fixtures::withTags(plainJpeg(), tags);
    QVERIFY(jpeg.contains(order == ByteOrder::BigEndian ? QByteArray("Exif\0\0MM\0*", 10)
                                                        : QByteArray("Exif\0\0II*\0", 10)));
    const auto read = header(jpeg);
    QVERIFY(read);
    QCOMPARE(read->orientation, expected);
    QCOMPARE(read->storedSize, pictureSize);
    QCOMPARE(read->displaySize(), expected >= 5 ? pictureSize.transposed() : pictureSize);
}

void PhotoMetadataTest::entryKeepsMetadataTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("location");
    const auto row = [](const char* name, const char* file, const char* caption, bool location) {
        QTest::newRow(name) << QString::fromUtf8(file) << QString::fromUtf8(caption) << location;
    };
    row("markup", "a.jpg", "a < b & c > d", false);
    row("closing tag and location tag", "b.jpg", "x</cap><gps>y", false);
    row("escapes as text", "c.jpg", "&lt; &amp;lt; &", false);
    row("the entry's other tags", "d.jpg", "<dt>1999</dt><cam>Fake</cam></n><w>1</w>", false);
    row("with a location", "e.jpg", "</cap>&<gps>", true);
    row("location tag in the file name", "f<gps>.jpg", "Plain", false);
}

void PhotoMetadataTest::entryKeepsMetadataTexts() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, location);
    PhotoTags tags = describedPhoto();
    tags.xmp = {{QStringLiteral("Xmp.dc.description"), caption}};
    if (location)
        tags.exif += exifLocation;
    const auto entry = buildPhotoEntry(write(name, fixtures::withTags(plainJpeg(), tags)));
    QVERIFY(entry);
    QCOMPARE(photoCaption(*entry), caption);
    QCOMPARE(photoHasLocation(*entry), location);
    QCOMPARE(photoDateTaken(*entry), QStringLiteral("2024-05-01 12:30:00"));
    QCOMPARE(photoCameraSummary(*entry),
             QStringLiteral("Canon EOS 5D · 1/200 s · f/8 · ISO 100 · 50 mm"));
    QCOMPARE(tagValue(*entry, QStringLiteral("<w>")), QStringLiteral("30"));
}

void PhotoMetadataTest::locationRemoved_data() {
    QTest::addColumn<PhotoTags>("tags");
    QTest::addColumn<bool>("located");
    PhotoTags both = describedPhoto();
    both.exif += exifLocation;
    both.xmp += xmpLocation;
    PhotoTags exifBigEndian = describedPhoto();
    exifBigEndian.exif += exifLocation;
    exifBigEndian.byteOrder = ByteOrder::BigEndian;
    PhotoTags xmpOnly = describedPhoto();
    xmpOnly.xmp += xmpLocation;
    QTest::newRow("EXIF and XMP") << both << true;
    QTest::newRow("EXIF, big-endian") << exifBigEndian << true;
    QTest::newRow("XMP") << xmpOnly << true;
    QTest::newRow("no location") << describedPhoto() << false;
}

void PhotoMetadataTest::locationRemoved() {
    QFETCH(PhotoTags, tags);
    QFETCH(bool, located);
    const QByteArray original = fixtures::withTags(plainJpeg(), tags);
    const std::optional<QByteArray> removed = jpegWithoutLocation(original);
    QVERIFY(removed);

    const auto before = readJpegHeader(write(QStringLiteral("before.jpg"), original));
    const auto after = readJpegHeader(write(QStringLiteral("after.jpg"), *removed));
    QVERIFY(before && after);
    QCOMPARE(before->metadata.hasLocation, located);
    QVERIFY(!after->metadata.hasLocation);
    QCOMPARE(after->metadata.dateTaken, QStringLiteral("2024-05-01 12:30:00"));
    QCOMPARE(after->metadata.cameraSummary(), before->metadata.cameraSummary());
    QCOMPARE(after->metadata.caption, QStringLiteral("Harbour at dawn"));
    QCOMPARE(after->orientation, 6);

    QStringList kept = fixtures::metadataKeys(original);
    kept.removeIf(isLocationKey);
    QCOMPARE(fixtures::metadataKeys(*removed), kept);
    QVERIFY(kept.contains(QStringLiteral("Iptc.Application2.Caption")));
    QVERIFY(removed->contains("A comment"));

    // The compressed picture is carried over byte for byte.
    QCOMPARE(removed->mid(fixtures::scanDataOffset(*removed)),
             original.mid(fixtures::scanDataOffset(original)));
    const auto pixelsBefore = readJpegImage(dir_.filePath(QStringLiteral("before.jpg")));
    const auto pixelsAfter = readJpegImage(dir_.filePath(QStringLiteral("after.jpg")));
    QVERIFY(pixelsBefore && pixelsAfter);
    QCOMPARE(*pixelsAfter, *pixelsBefore);
}

void PhotoMetadataTest::locationRemovalRefusesWhatIsNotJpeg_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("This is not a picture.\n");
    QTest::newRow("PNG") << fixtures::pngBytes(QSize(8, 8));
    QTest::newRow("start of image, then noise")
        << QByteArray("\xff\xd8\x13\x57\x9b\xdf\x02\x46\x8a\xce", 10);
}

void PhotoMetadataTest::locationRemovalRefusesWhatIsNotJpeg() {
    QFETCH(QByteArray, bytes);
    QCOMPARE(jpegWithoutLocation(bytes), std::nullopt);
}

QTEST_MAIN(PhotoMetadataTest)
#include "PhotoMetadataTest.moc"

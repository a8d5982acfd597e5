#include "core/photos/PreviewPicture.h"

#include "JpegFixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QSize box(237, 213);

// The colour in the middle of one quarter of the picture.
QColor quarterOf(const QImage& image, int quarter) {
    const int x = quarter % 2 == 0 ? image.width() / 4 : image.width() * 3 / 4;
    const int y = quarter < 2 ? image.height() / 4 : image.height() * 3 / 4;
    return image.pixelColor(x, y);
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

} // namespace

class PreviewPictureTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void sizes_data();
    void sizes();
    // Scaled to fit and turned as the camera says, so the preview shows what the album shows.
    void loadsTurnedAndScaled_data();
    void loadsTurnedAndScaled();
    void smallPictureIsNotEnlarged();
    void failuresSayWhichFile_data();
    void failuresSayWhichFile();
};

void PreviewPictureTest::sizes_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("small stays its size") << QSize(100, 50) << QSize(100, 50);
    QTest::newRow("exactly the box") << QSize(237, 213) << QSize(237, 213);
    QTest::newRow("wide, height truncated") << QSize(474, 213) << QSize(237, 106);
    QTest::newRow("tall, width truncated") << QSize(100, 400) << QSize(53, 213);
    QTest::newRow("only too wide") << QSize(300, 100) << QSize(237, 79);
    QTest::newRow("only too tall") << QSize(200, 300) << QSize(142, 213);
    QTest::newRow("photo 4:3") << QSize(1600, 1200) << QSize(237, 177);
    QTest::newRow("photo 3:4") << QSize(1200, 1600) << QSize(159, 213);
    QTest::newRow("same shape as the box") << QSize(474, 426) << QSize(237, 213);
    QTest::newRow("a thread keeps a pixel") << QSize(10000, 1) << QSize(237, 1);
    QTest::newRow("nothing") << QSize(0, 0) << QSize();
}

void PreviewPictureTest::sizes() {
    QFETCH(QSize, picture);
    QFETCH(QSize, shown);
    QCOMPARE(previewSize(picture, box), shown);
}

void PreviewPictureTest::loadsTurnedAndScaled_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<int>("topLeftQuarter"); // which quarter of the stored picture
    QTest::newRow("upright") << 1 << QSize(237, 118) << 0;
    QTest::newRow("upside down") << 3 << QSize(237, 118) << 3;
    QTest::newRow("turned right") << 6 << QSize(106, 213) << 2;
    QTest::newRow("turned left") << 8 << QSize(106, 213) << 1;
}

void PreviewPictureTest::loadsTurnedAndScaled() {
    QFETCH(int, orientation);
    QFETCH(QSize, shown);
    QFETCH(int, topLeftQuarter);
    const QString path = fixtures::writeFixture(
        dir_.path(), QString("turned%1.jpg").arg(orientation),
        fixtures::withExifOrientation(fixtures::jpegBytes(QSize(800, 400)), orientation));
    const PreviewPicture picture = loadPreviewPicture(path, box);
    QVERIFY2(!picture.image.isNull(), qPrintable(picture.errorMessage));
    QCOMPARE(picture.image.size(), shown);
    QVERIFY(near(quarterOf(picture.image, 0), fixtures::quarterColour(topLeftQuarter)));
}

void PreviewPictureTest::smallPictureIsNotEnlarged() {
    const QString path =
        fixtures::writeFixture(dir_.path(), "small.bmp", fixtures::bmpBytes(QSize(40, 30)));
    const PreviewPicture picture = loadPreviewPicture(path, box);
    QCOMPARE(picture.image.size(), QSize(40, 30));
}

void PreviewPictureTest::failuresSayWhichFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
    QTest::newRow("vanished") << "gone.jpg" << QByteArray();
    QTest::newRow("not a picture") << "text.jpg" << QByteArray("just some words");
}

void PreviewPictureTest::failuresSayWhichFile() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = dir_.path() + '/' + name;
    if (!content.isEmpty())
        fixtures::writeFixture(dir_.path(), name, content);
    const PreviewPicture picture = loadPreviewPicture(path, box);
    QVERIFY(picture.image.isNull());
    QVERIFY2(picture.errorMessage.contains(path), qPrintable(picture.errorMessage));
}

QTEST_MAIN(PreviewPictureTest)
#include "PreviewPictureTest.moc"

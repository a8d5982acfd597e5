#include "core/generator/ThumbnailPage.h"
#include "core/generator/GenerationError.h"
#include "core/generator/RunObserver.h"

#include "AlbumFixtures.h"
#include "JpegFixtures.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QtTest>

using albumfixtures::gifEntry;
using albumfixtures::jpegEntry;
using albumfixtures::thumbnailPageHead;

namespace {

// Records what the page writer reports and presses "stop" during the pump after the given
// step (0: before the page starts).
class RecordingObserver : public RunObserver {
public:
    explicit RecordingObserver(int stopAfterStep = -1)
        : m_stopAfterStep(stopAfterStep)
        , m_abort(stopAfterStep == 0) {}

    void setCaption(const QString& caption) override { events << "caption " + caption; }
    void setMaximum(int maximum) override { events << QString("maximum %1").arg(maximum); }
    void step() override {
        ++steps;
        events << "step";
    }
    void pump() override {
        events << "pump";
        if (steps == m_stopAfterStep)
            m_abort = true;
    }
    bool abortRequested() const override { return m_abort; }

    QStringList events;
    int steps = 0;

private:
    int m_stopAfterStep;
    bool m_abort;
};

QByteArray fileOf(const QByteArrayList& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QByteArrayList linesOf(const QByteArray& file) {
    QByteArrayList lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(1);
    return lines;
}

AlbumContext album(const QString& dir, int language) {
    AlbumContext context;
    context.languageFlag = static_cast<qint8>(language);
    context.albumTitle = "Wakacje";
    context.albumDirectoryName = "album-Wakacje";
    context.albumDirectory = dir + "/";
    context.parameters.photoInformation = false;
    return context;
}

// Photos x0.jpg … as real 640×480 JPEG copies in the album directory.
QStringList realPhotos(const QString& dir, int count, int first = 0) {
    static const QByteArray jpeg = fixtures::jpegBytes(QSize(640, 480));
    QStringList entries;
    for (int i = first; i < first + count; ++i) {
        const QString path = fixtures::writeFixture(dir, QString("x%1.jpg").arg(i), jpeg);
        entries << jpegEntry(path, 640, 480, "12 KB");
    }
    return entries;
}

// The cell of photo xK.jpg without descriptions, linking its photo page.
QByteArray plainCell(int k) {
    return QString(" <td class=\"td2\"><a href=\"p-%1.html\" title=\"x%1.jpg\" class=\"hili\">"
                   "<img src=\"th_x%1.jpg\" alt=\"x%1.jpg\" width=\"100\" height=\"75\" "
                   "border=\"0\"></a></td>")
        .arg(k)
        .toLatin1();
}

const QByteArray emptyCell = " <td class=\"td2\"></td>";

const QByteArrayList polishFoot = {
    "</table>",
    "</center>",
    "<hr size=\"1\" noshade>",
    "<a href=\"../album-Wakacje.html\" title=\"Powr\xf3t do strony g\xb3\xf3wnej albumu\">"
    "<img src=\"home.gif\" alt=\"Powr\xf3t do strony g\xb3\xf3wnej albumu\" border=\"0\"></a>"
    "</body></html>",
};

} // namespace

class ThumbnailPageTest : public QObject {
    Q_OBJECT
private slots:
    void exampleCellPage();
    void englishPage();
    void grid_data();
    void grid();
    void cellForms_data();
    void cellForms();
    void photoNumbersCountOverTheAlbum();
    void resizedOriginalsMakeNoFiles();
    void progressStepsOncePerPhoto();
    void stopLeavesThePageUnwritten_data();
    void stopLeavesThePageUnwritten();
    void makerErrorsPropagate();
};

void ThumbnailPageTest::exampleCellPage() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1);
    context.parameters.photoInformation = true;
    context.parameters.photoInformationType = 0;
    context.workingPhotos = realPhotos(dir.path(), 3);
    const QString x =
        fixtures::writeFixture(dir.path(), "x.jpg", fixtures::jpegBytes(QSize(640, 480)));
    context.workingPhotos << jpegEntry(x, 640, 480, "57,3 KB");

    RecordingObserver observer;
    QVERIFY(writeThumbnailPage(context, {context.workingPhotos[3]}, dir.filePath("main-2.html"),
                               "Zdj\u0119cia 4 - 4", observer));

    const QByteArray caption = "Zdj\xea"
                               "cia 4 - 4";
    QByteArrayList expected = thumbnailPageHead(caption);
    expected << "<tr>"
             << " <td class=\"td2\"><ul id=\"gallery\"><li><a href=\"p-3.html\" class=\"hili\">"
                "<img src=\"th_x.jpg\" alt=\"x.jpg\" width=\"100\" height=\"75\" border=\"0\"></a>"
                "<ul><li><strong>Nazwa zdj\xea"
                "cia : </strong>x.jpg</li><li><strong>Wymiary : "
                "</strong>[640x480]</li><li><strong>Rozmiar : </strong>57,3 KB</li></ul></li>"
                "</ul></td>"
             << emptyCell << emptyCell << emptyCell << "</tr>" << polishFoot;
    QCOMPARE(testfiles::readBytes(dir.filePath("main-2.html")), fileOf(expected));
    QVERIFY(QFile::exists(dir.filePath("th_x.jpg")));
}

void ThumbnailPageTest::englishPage() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 0);
    context.albumTitle = "Łeba 2007";
    context.albumDirectoryName = "album-Łeba_2007";
    context.workingPhotos = realPhotos(dir.path(), 1);
    RecordingObserver observer;
    QVERIFY(writeThumbnailPage(context, context.workingPhotos, dir.filePath("main.html"), "Album",
                               observer));
    QCOMPARE(testfiles::readBytes(dir.filePath("main.html")),
             fileOf({
                 "<html><head>",
                 "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">",
                 "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html\">",
                 "<title>&#321;eba 2007 - Album</title>",
                 "</head><body>",
                 "<h1 align=\"center\" class=\"td01\">&#321;eba 2007</h1>",
                 "<h2 align=\"center\" class=\"td02\">Album</h2>",
                 "<hr size=\"1\" noshade>",
                 "<center>",
                 "<table class=\"td1\" cellspacing=\"2\" cellpadding=\"2\">",
                 "<tr>",
                 plainCell(0),
                 emptyCell,
                 emptyCell,
                 emptyCell,
                 "</tr>",
                 "</table>",
                 "</center>",
                 "<hr size=\"1\" noshade>",
                 "<a href=\"../album-&#321;eba_2007.html\" title=\"Back to album main page\">"
                 "<img src=\"home.gif\" alt=\"Back to album main page\" border=\"0\"></a>"
                 "</body></html>",
             }));
}

void ThumbnailPageTest::grid_data() {
    QTest::addColumn<int>("photos");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("layout"); // rows split by "/", P a photo, E an empty cell
    QTest::newRow("10 in 4") << 10 << 4 << "PPPP/PPPP/PPEE";
    QTest::newRow("8 in 4") << 8 << 4 << "PPPP/PPPP";
    QTest::newRow("1 in 4") << 1 << 4 << "PEEE";
    QTest::newRow("3 in 1") << 3 << 1 << "P/P/P";
    QTest::newRow("5 in 100 columns") << 5 << 100 << "PPPPP" + QString(95, 'E');
    QTest::newRow("no photos, no rows") << 0 << 4 << "";
}

void ThumbnailPageTest::grid() {
    QFETCH(int, photos);
    QFETCH(int, columns);
    QFETCH(QString, layout);
    AlbumContext context = album("/album", 1);
    context.parameters.thumbnailColumns = columns;
    QStringList thumbnails;
    for (int i = 0; i < photos; ++i) {
        context.workingPhotos << jpegEntry(QString("/album/x%1.jpg").arg(i), 640, 480, "1 KB");
        thumbnails << QString("<n>th_x%1.jpg</n><w>100</w><h>75</h>").arg(i);
    }

    QByteArrayList expected = thumbnailPageHead("Album");
    int photo = 0;
    for (const QString& row : layout.split('/', Qt::SkipEmptyParts)) {
        expected << "<tr>";
        for (const QChar cell : row)
            expected << (cell == 'P' ? plainCell(photo++) : emptyCell);
        expected << "</tr>";
    }
    expected << polishFoot;

    const QStringList lines =
        thumbnailPageLines(context, context.workingPhotos, thumbnails, "Album");
    QStringEncoder encoder("windows-1250");
    QByteArrayList written;
    for (const QString& line : lines)
        written << encoder.encode(line);
    QCOMPARE(written, expected);
}

void ThumbnailPageTest::cellForms_data() {
    QTest::addColumn<int>("information"); // -1 none, 0 interactive, 1 in the table
    QTest::addColumn<bool>("photoPages");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("photoNumber"); // where the entry stands in the working list
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("thumbnail");
    QTest::addColumn<QByteArray>("cell");

    const QString jpeg = jpegEntry("/album/x.jpg", 640, 480, "57,3 KB");
    const QString gif = gifEntry("/album/b.gif", "3 KB");
    const QString jpegThumbnail = "<n>th_x.jpg</n><w>100</w><h>75</h>";
    const QString gifThumbnail = "<n>b.gif</n><w>100</w><h>100</h>";

    QTest::newRow("plain, photo page")
        << -1 << true << 1 << 0 << jpeg << jpegThumbnail
        << QByteArray(" <td class=\"td2\"><a href=\"p-0.html\" title=\"x.jpg\" class=\"hili\">"
                      "<img src=\"th_x.jpg\" alt=\"x.jpg\" width=\"100\" height=\"75\" "
                      "border=\"0\"></a></td>");
    QTest::newRow("plain, direct link")
        << -1 << false << 1 << 0 << jpeg << jpegThumbnail
        << QByteArray(" <td class=\"td2\"><a href=\"x.jpg\" title=\"x.jpg\" class=\"hili\">"
                      "<img src=\"th_x.jpg\" alt=\"x.jpg\" width=\"100\" height=\"75\" "
                      "border=\"0\"></a></td>");
    QTest::newRow("interactive, direct link, English")
        << 0 << false << 0 << 0 << jpeg << jpegThumbnail
        << QByteArray(" <td class=\"td2\"><ul id=\"gallery\"><li><a href=\"x.jpg\" "
                      "class=\"hili\"><img src=\"th_x.jpg\" alt=\"x.jpg\" width=\"100\" "
                      "height=\"75\" border=\"0\"></a><ul><li><strong>Picture name : </strong>"
                      "x.jpg</li><li><strong>Dimensions : </strong>[640x480]</li><li><strong>"
                      "Size : </strong>57,3 KB</li></ul></li></ul></td>");
    QTest::newRow("interactive, GIF: name and size only")
        << 0 << true << 1 << 1 << gif << gifThumbnail
        << QByteArray(" <td class=\"td2\"><ul id=\"gallery\"><li><a href=\"p-1.html\" "
                      "class=\"hili\"><img src=\"b.gif\" alt=\"b.gif\" width=\"100\" "
                      "height=\"100\" border=\"0\"></a><ul><li><strong>Nazwa zdj\xea"
                      "cia : "
                      "</strong>b.gif</li><li><strong>Rozmiar : </strong>3 KB</li></ul></li>"
                      "</ul></td>");
    QTest::newRow("in the table, all three")
        << 1 << true << 1 << 0 << jpeg << jpegThumbnail
        << QByteArray(" <td class=\"td2\"><a href=\"p-0.html\" title=\"x.jpg\" class=\"hili\">"
                      "<img src=\"th_x.jpg\" alt=\"x.jpg\" width=\"100\" height=\"75\" "
                      "border=\"0\"></a><br><div class=\"td3\">x.jpg</div><div class=\"td4\">"
                      "[640x480]</div><div class=\"td5\">57,3 KB</div></td>");
    QTest::newRow("in the table, GIF: no dimensions piece")
        << 1 << false << 1 << 0 << gif << gifThumbnail
        << QByteArray(" <td class=\"td2\"><a href=\"b.gif\" title=\"b.gif\" class=\"hili\">"
                      "<img src=\"b.gif\" alt=\"b.gif\" width=\"100\" height=\"100\" "
                      "border=\"0\"></a><br><div class=\"td3\">b.gif</div><div class=\"td5\">"
                      "3 KB</div></td>");
    QTest::newRow("URL characters in names")
        << 1 << false << 1 << 0 << jpegEntry("/album/a#1 \"b\"%?.jpg", 640, 480, "1 KB")
        << QString("<n>th_a#1 \"b\"%?.jpg</n><w>100</w><h>75</h>")
        << QByteArray(" <td class=\"td2\"><a href=\"a%231 %22b%22%25%3F.jpg\" "
                      "title=\"a#1 &quot;b&quot;%?.jpg\" class=\"hili\"><img "
                      "src=\"th_a%231 %22b%22%25%3F.jpg\" alt=\"a#1 &quot;b&quot;%?.jpg\" "
                      "width=\"100\" height=\"75\" border=\"0\"></a><br><div class=\"td3\">"
                      "a#1 \"b\"%?.jpg</div><div class=\"td4\">[640x480]</div><div "
                      "class=\"td5\">1 KB</div></td>");
    QTest::newRow("Polish name, English interface")
        << 0 << false << 0 << 0 << jpegEntry("/album/łąka.jpg", 640, 480, "1 KB")
        << QString("<n>th_łąka.jpg</n><w>100</w><h>75</h>")
        << QByteArray(
               " <td class=\"td2\"><ul id=\"gallery\"><li><a href=\"&#322;&#261;ka.jpg\" "
               "class=\"hili\"><img src=\"th_&#322;&#261;ka.jpg\" alt=\"&#322;&#261;ka.jpg\" "
               "width=\"100\" height=\"75\" border=\"0\"></a><ul><li><strong>Picture name : "
               "</strong>&#322;&#261;ka.jpg</li><li><strong>Dimensions : </strong>[640x480]"
               "</li><li><strong>Size : </strong>1 KB</li></ul></li></ul></td>");
}

void ThumbnailPageTest::cellForms() {
    QFETCH(int, information);
    QFETCH(bool, photoPages);
    QFETCH(int, language);
    QFETCH(int, photoNumber);
    QFETCH(QString, entry);
    QFETCH(QString, thumbnail);
    QFETCH(QByteArray, cell);
    AlbumContext context = album("/album", language);
    context.parameters.photoInformation = information >= 0;
    context.parameters.photoInformationType = std::max(information, 0);
    context.parameters.photoPages = photoPages ? 0 : 1;
    context.parameters.tableFileName.shown = true;
    context.parameters.tableDimensions.shown = true;
    context.parameters.tableSize.shown = true;
    context.workingPhotos = {jpegEntry("/album/other.jpg", 1, 1, "1 KB")};
    context.workingPhotos.insert(photoNumber, entry);

    const QStringList lines = thumbnailPageLines(context, {entry}, {thumbnail}, "Album");
    QStringEncoder encoder("windows-1250");
    QCOMPARE(QByteArray(encoder.encode(lines.at(11))), cell);
}

void ThumbnailPageTest::photoNumbersCountOverTheAlbum() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1);
    for (int i = 0; i < 20; ++i)
        context.workingPhotos << jpegEntry(dir.filePath(QString("x%1.jpg").arg(i)), 640, 480,
                                           "12 KB");
    const QStringList secondPage = realPhotos(dir.path(), 5, 20);
    context.workingPhotos << secondPage;

    RecordingObserver observer;
    QVERIFY(writeThumbnailPage(context, secondPage, dir.filePath("main-2.html"),
                               "Zdj\u0119cia 21 - 25", observer));
    const QByteArrayList lines = linesOf(testfiles::readBytes(dir.filePath("main-2.html")));
    QCOMPARE(lines.mid(10, 12), (QByteArrayList{"<tr>", plainCell(20), plainCell(21), plainCell(22),
                                                plainCell(23), "</tr>", "<tr>", plainCell(24),
                                                emptyCell, emptyCell, emptyCell, "</tr>"}));
}

void ThumbnailPageTest::resizedOriginalsMakeNoFiles() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1);
    context.parameters.thumbnailKind = 1;
    context.parameters.thumbnailWidth = 150;
    context.parameters.thumbnailHeight = 100;
    const QString photo =
        fixtures::writeFixture(dir.path(), "big.jpg", fixtures::jpegBytes(QSize(1024, 768)));
    context.workingPhotos << jpegEntry(photo, 1024, 768, "80 KB")
                          << gifEntry(dir.filePath("b.gif"), "3 KB");

    RecordingObserver observer;
    QVERIFY(writeThumbnailPage(context, context.workingPhotos, dir.filePath("main.html"), "Album",
                               observer));
    const QByteArrayList lines = linesOf(testfiles::readBytes(dir.filePath("main.html")));
    QCOMPARE(lines.at(11), QByteArray(" <td class=\"td2\"><a href=\"p-0.html\" title=\"big.jpg\" "
                                      "class=\"hili\"><img src=\"big.jpg\" alt=\"big.jpg\" "
                                      "width=\"133\" height=\"100\" border=\"0\"></a></td>"));
    QCOMPARE(lines.at(12), QByteArray(" <td class=\"td2\"><a href=\"p-1.html\" title=\"b.gif\" "
                                      "class=\"hili\"><img src=\"b.gif\" alt=\"b.gif\" "
                                      "width=\"150\" height=\"100\" border=\"0\"></a></td>"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{"big.jpg", "main.html"}));
}

void ThumbnailPageTest::progressStepsOncePerPhoto() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1);
    context.workingPhotos = realPhotos(dir.path(), 2);
    context.workingPhotos << gifEntry(dir.filePath("b.gif"), "3 KB");
    RecordingObserver observer;
    QVERIFY(writeThumbnailPage(context, context.workingPhotos, dir.filePath("main.html"), "Album",
                               observer));
    // Empty cells take no step; each photo one step, then a pump.
    QCOMPARE(observer.events, (QStringList{"step", "pump", "step", "pump", "step", "pump"}));
    QCOMPARE(QDir(dir.path()).entryList({"th_*"}, QDir::Files, QDir::Name),
             (QStringList{"th_x0.jpg", "th_x1.jpg"}));
}

void ThumbnailPageTest::stopLeavesThePageUnwritten_data() {
    QTest::addColumn<int>("stopAfterStep");
    QTest::addColumn<QStringList>("thumbnailsLeft");
    QTest::newRow("stopped before the page") << 0 << QStringList{"th_x0.jpg"};
    QTest::newRow("stopped after the first photo") << 1 << QStringList{"th_x0.jpg"};
    QTest::newRow("stopped after the fourth photo, the last of a row")
        << 4 << QStringList{"th_x0.jpg", "th_x1.jpg", "th_x2.jpg", "th_x3.jpg"};
    QTest::newRow("stopped after the last photo")
        << 6 << QStringList{"th_x0.jpg", "th_x1.jpg", "th_x2.jpg",
                            "th_x3.jpg", "th_x4.jpg", "th_x5.jpg"};
}

void ThumbnailPageTest::stopLeavesThePageUnwritten() {
    QFETCH(int, stopAfterStep);
    QFETCH(QStringList, thumbnailsLeft);
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1);
    context.workingPhotos = realPhotos(dir.path(), 6);
    testfiles::writeBytes(dir.filePath("main-1.html"), "earlier run");

    RecordingObserver observer(stopAfterStep);
    QVERIFY(!writeThumbnailPage(context, context.workingPhotos, dir.filePath("main-1.html"),
                                "Zdj\u0119cia 1 - 6", observer));
    QCOMPARE(observer.steps, stopAfterStep);
    QCOMPARE(testfiles::readBytes(dir.filePath("main-1.html")), QByteArray("earlier run"));
    QCOMPARE(QDir(dir.path()).entryList({"th_*"}, QDir::Files, QDir::Name), thumbnailsLeft);
}

void ThumbnailPageTest::makerErrorsPropagate() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1);
    context.workingPhotos = realPhotos(dir.path(), 1);
    context.workingPhotos << 0 << jpegEntry(dir.filePath("missing.jpg"), 640, 480, "1 KB");
    RecordingObserver observer;
    QVERIFY_THROWS_EXCEPTION(GenerationError,
                             writeThumbnailPage(context, context.workingPhotos,
                                                dir.filePath("main.html"), "Album", observer));
    QVERIFY(!QFile::exists(dir.filePath("main.html")));
}

QTEST_GUILESS_MAIN(ThumbnailPageTest)
#include "ThumbnailPageTest.moc"

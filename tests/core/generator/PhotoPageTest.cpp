#include "core/generator/PhotoPage.h"
#include "core/generator/GenerationError.h"

#include "AlbumFixtures.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QtTest>

using albumfixtures::gifEntry;
using albumfixtures::jpegEntry;

namespace {

QByteArray fileOf(const QByteArrayList& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// An album of `count` photos x0.jpg … in dir, as the copy step leaves the entries.
AlbumContext album(const QString& dir, int count, int language) {
    AlbumContext context;
    context.languageFlag = static_cast<qint8>(language);
    context.albumTitle = "Wakacje";
    context.albumDirectoryName = "album-Wakacje";
    context.albumDirectory = dir + "/";
    for (int i = 0; i < count; ++i)
        context.workingPhotos << jpegEntry(QString("%1/x%2.jpg").arg(dir).arg(i), 640, 480,
                                           "57,3 KB");
    return context;
}

QByteArray pageOf(const QTemporaryDir& dir, int photoNumber) {
    return testfiles::readBytes(dir.filePath(QString("p-%1.html").arg(photoNumber)));
}

QByteArrayList linesOf(const QByteArray& file) {
    QByteArrayList lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(1); // the CR
    return lines;
}

} // namespace

class PhotoPageTest : public QObject {
    Q_OBJECT
private slots:
    void onePhotoAlbumPolish();
    void englishPage();
    void navigation_data();
    void navigation();
    void descriptions_data();
    void descriptions();
    void awkwardNames_data();
    void awkwardNames();
    void writtenBesideThePhotoCopy();
    void unwritablePageNamesTheFile();
};

void PhotoPageTest::onePhotoAlbumPolish() {
    QTemporaryDir dir;
    const AlbumContext context = album(dir.path(), 1, 1);
    writePhotoPage(context, 0, 0);
    QCOMPARE(pageOf(dir, 0),
             fileOf({
                 "<html>",
                 "<head>",
                 "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">",
                 "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Windows-1250\">",
                 "<title>Wakacje - x0.jpg</title>",
                 "</head>",
                 "<body>",
                 "<h1 align=\"center\" class=\"pd0\">x0.jpg</h1>",
                 "<hr size=\"1\" noshade>",
                 "<a href=\"p-0.html\" title=\"Ostatnie zdj\xea"
                 "cie\"><img src=\"prev.gif\" "
                 "alt=\"Ostatnie zdj\xea"
                 "cie\" border=\"0\"></a>",
                 "<a href=\"../album-Wakacje.html\" title=\"Powr\xf3t do strony g\xb3\xf3wnej "
                 "albumu\"><img src=\"home.gif\" alt=\"Powr\xf3t do strony g\xb3\xf3wnej albumu\" "
                 "border=\"0\"></a>",
                 "<a href=\"main.html\" title=\"Powr\xf3t do miniatur\"><img src=\"index.gif\" "
                 "alt=\"Powr\xf3t do miniatur\" border=\"0\"></a>",
                 "<a href=\"p-0.html\" title=\"Pierwsze zdj\xea"
                 "cie\"><img src=\"next.gif\" "
                 "alt=\"Pierwsze zdj\xea"
                 "cie\" border=\"0\"></a>",
                 "<hr size=\"1\" noshade><br>",
                 "<a href=\"x0.jpg\" title=\"x0.jpg\"><img class=\"pd4\" src=\"x0.jpg\" "
                 "alt=\"x0.jpg\" border=\"0\"></a>",
                 "</body>",
                 "</html>",
             }));
}

void PhotoPageTest::englishPage() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 3, 0);
    context.albumTitle = "Góry: żółte łąki";
    context.albumDirectoryName = "album-Gory_zolte_laki";
    context.parameters.photoDescription = true;
    context.parameters.pageSize.shown = true;
    context.workingPhotos[1] = jpegEntry(dir.filePath("Łeba.jpg"), 640, 480, "1,2 MB");
    writePhotoPage(context, 1, 2);
    QCOMPARE(pageOf(dir, 1),
             fileOf({
                 "<html>",
                 "<head>",
                 "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">",
                 "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html\">",
                 "<title>G&#243;ry: &#380;&#243;&#322;te &#322;&#261;ki - &#321;eba.jpg</title>",
                 "</head>",
                 "<body>",
                 "<h1 align=\"center\" class=\"pd0\">&#321;eba.jpg</h1>",
                 "<hr size=\"1\" noshade>",
                 "<a href=\"p-0.html\" title=\"Previous picture\"><img src=\"prev.gif\" "
                 "alt=\"Previous picture\" border=\"0\"></a>",
                 "<a href=\"../album-Gory_zolte_laki.html\" title=\"Back to album main page\">"
                 "<img src=\"home.gif\" alt=\"Back to album main page\" border=\"0\"></a>",
                 "<a href=\"main-2.html\" title=\"Back to thumbnails\"><img src=\"index.gif\" "
                 "alt=\"Back to thumbnails\" border=\"0\"></a>",
                 "<a href=\"p-2.html\" title=\"Next picture\"><img src=\"next.gif\" "
                 "alt=\"Next picture\" border=\"0\"></a>",
                 "<hr size=\"1\" noshade><br>",
                 "<a href=\"&#321;eba.jpg\" title=\"&#321;eba.jpg\"><img class=\"pd4\" "
                 "src=\"&#321;eba.jpg\" alt=\"&#321;eba.jpg\" border=\"0\"></a>",
                 "<br><br><hr size=\"1\" noshade>",
                 "<div class=\"pd3\">1,2 MB</div>",
                 "</body>",
                 "</html>",
             }));
}

void PhotoPageTest::navigation_data() {
    QTest::addColumn<int>("photos");
    QTest::addColumn<int>("photoNumber");
    QTest::addColumn<int>("categoryPage");
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArrayList>("links"); // previous, index, next: target and text

    QTest::newRow("first of 12, page 1") << 12 << 0 << 1 << 1
                                         << QByteArrayList{"p-11.html",
                                                           "Ostatnie zdj\xea"
                                                           "cie",
                                                           "main-1.html", "p-1.html",
                                                           "Nast\xea"
                                                           "pne zdj\xea"
                                                           "cie"};
    QTest::newRow("last of 12 wraps to the first") << 12 << 11 << 3 << 1
                                                   << QByteArrayList{"p-10.html",
                                                                     "Poprzednie zdj\xea"
                                                                     "cie",
                                                                     "main-3.html", "p-0.html",
                                                                     "Pierwsze zdj\xea"
                                                                     "cie"};
    QTest::newRow("middle, all photos on main.html") << 12 << 5 << 0 << 1
                                                     << QByteArrayList{"p-4.html",
                                                                       "Poprzednie zdj\xea"
                                                                       "cie",
                                                                       "main.html", "p-6.html",
                                                                       "Nast\xea"
                                                                       "pne zdj\xea"
                                                                       "cie"};
    QTest::newRow("English, first of 2")
        << 2 << 0 << 0 << 0
        << QByteArrayList{"p-1.html", "Last picture", "main.html", "p-1.html", "Next picture"};
    QTest::newRow("English, last of 2")
        << 2 << 1 << 0 << 0
        << QByteArrayList{"p-0.html", "Previous picture", "main.html", "p-0.html", "First picture"};
    QTest::newRow("English, only photo")
        << 1 << 0 << 7 << 0
        << QByteArrayList{"p-0.html", "Last picture", "main-7.html", "p-0.html", "First picture"};
    QTest::newRow("page numbers past 9")
        << 25 << 20 << 12 << 0
        << QByteArrayList{"p-19.html", "Previous picture", "main-12.html", "p-21.html",
                          "Next picture"};
}

void PhotoPageTest::navigation() {
    QFETCH(int, photos);
    QFETCH(int, photoNumber);
    QFETCH(int, categoryPage);
    QFETCH(int, language);
    QFETCH(QByteArrayList, links);
    QTemporaryDir dir;
    writePhotoPage(album(dir.path(), photos, language), photoNumber, categoryPage);
    const QByteArrayList lines = linesOf(pageOf(dir, photoNumber));
    QCOMPARE(lines.size(), 17);
    QCOMPARE(lines.at(9), "<a href=\"" + links[0] + "\" title=\"" + links[1] +
                              "\"><img src=\"prev.gif\" alt=\"" + links[1] +
                              "\" border=\"0\"></a>");
    const QByteArray index = language ? "Powr\xf3t do miniatur" : "Back to thumbnails";
    QCOMPARE(lines.at(11), "<a href=\"" + links[2] + "\" title=\"" + index +
                               "\"><img src=\"index.gif\" alt=\"" + index + "\" border=\"0\"></a>");
    QCOMPARE(lines.at(12), "<a href=\"" + links[3] + "\" title=\"" + links[4] +
                               "\"><img src=\"next.gif\" alt=\"" + links[4] +
                               "\" border=\"0\"></a>");
}

void PhotoPageTest::descriptions_data() {
    QTest::addColumn<bool>("descriptions");
    QTest::addColumn<bool>("name");
    QTest::addColumn<bool>("dimensions");
    QTest::addColumn<bool>("size");
    QTest::addColumn<bool>("gif");
    QTest::addColumn<QByteArrayList>("lines"); // between the photo and </body>

    const QByteArray rule = "<br><br><hr size=\"1\" noshade>";
    const QByteArray nameLine = "<div class=\"pd1\">x0.jpg</div>";
    const QByteArray dimensionsLine = "<div class=\"pd2\">[640x480]</div>";
    const QByteArray sizeLine = "<div class=\"pd3\">57,3 KB</div>";
    QTest::newRow("all three") << true << true << true << true << false
                               << QByteArrayList{rule, nameLine, dimensionsLine, sizeLine};
    QTest::newRow("descriptions off hides everything")
        << false << true << true << true << false << QByteArrayList{};
    QTest::newRow("descriptions on, nothing chosen: no rule either")
        << true << false << false << false << false << QByteArrayList{};
    QTest::newRow("dimensions only")
        << true << false << true << false << false << QByteArrayList{rule, dimensionsLine};
    QTest::newRow("GIF: no dimensions line")
        << true << true << true << true << true
        << QByteArrayList{rule, "<div class=\"pd1\">x0.gif</div>", "<div class=\"pd3\">2 KB</div>"};
    QTest::newRow("GIF with dimensions only: the rule stays")
        << true << false << true << false << true << QByteArrayList{rule};
}

void PhotoPageTest::descriptions() {
    QFETCH(bool, descriptions);
    QFETCH(bool, name);
    QFETCH(bool, dimensions);
    QFETCH(bool, size);
    QFETCH(bool, gif);
    QFETCH(QByteArrayList, lines);
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1, 1);
    if (gif)
        context.workingPhotos[0] = gifEntry(dir.filePath("x0.gif"), "2 KB");
    context.parameters.photoDescription = descriptions;
    context.parameters.pageFileName.shown = name;
    context.parameters.pageDimensions.shown = dimensions;
    context.parameters.pageSize.shown = size;
    writePhotoPage(context, 0, 0);

    const QByteArrayList written = linesOf(pageOf(dir, 0));
    const QByteArrayList ending{"</body>", "</html>"};
    QCOMPARE(written.mid(15), lines + ending);
}

void PhotoPageTest::awkwardNames_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("directoryName");
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArrayList>("expected"); // title, heading, home link, photo

    QTest::newRow("URL characters")
        << "50% #1 \"best\"?.jpg"
        << "album-100%_#1" << 1
        << QByteArrayList{
               "<title>Wakacje - 50% #1 \"best\"?.jpg</title>",
               "<h1 align=\"center\" class=\"pd0\">50% #1 \"best\"?.jpg</h1>",
               "<a href=\"../album-100%25_%231.html\" title=\"Powr\xf3t do strony g\xb3\xf3wnej "
               "albumu\"><img src=\"home.gif\" alt=\"Powr\xf3t do strony g\xb3\xf3wnej albumu\" "
               "border=\"0\"></a>",
               "<a href=\"50%25 %231 %22best%22%3F.jpg\" title=\"50% #1 &quot;best&quot;?.jpg\">"
               "<img class=\"pd4\" src=\"50%25 %231 %22best%22%3F.jpg\" "
               "alt=\"50% #1 &quot;best&quot;?.jpg\" border=\"0\"></a>"};
    QTest::newRow("blanks and Polish letters, Polish interface")
        << "źródło w lesie.jpg"
        << "album-Świeta" << 1
        << QByteArrayList{
               "<title>Wakacje - \x9fr\xf3\x64\xb3o w lesie.jpg</title>",
               "<h1 align=\"center\" class=\"pd0\">\x9fr\xf3\x64\xb3o w lesie.jpg</h1>",
               "<a href=\"../album-\x8cwieta.html\" title=\"Powr\xf3t do strony g\xb3\xf3wnej "
               "albumu\"><img src=\"home.gif\" alt=\"Powr\xf3t do strony g\xb3\xf3wnej albumu\" "
               "border=\"0\"></a>",
               "<a href=\"\x9fr\xf3\x64\xb3o w lesie.jpg\" title=\"\x9fr\xf3\x64\xb3o w "
               "lesie.jpg\">"
               "<img class=\"pd4\" src=\"\x9fr\xf3\x64\xb3o w lesie.jpg\" "
               "alt=\"\x9fr\xf3\x64\xb3o w lesie.jpg\" border=\"0\"></a>"};
    QTest::newRow("outside the code page, Polish interface")
        << "Peña.jpg"
        << "album-Peña" << 1
        << QByteArrayList{
               "<title>Wakacje - Pe&#241;a.jpg</title>",
               "<h1 align=\"center\" class=\"pd0\">Pe&#241;a.jpg</h1>",
               "<a href=\"../album-Pe&#241;a.html\" title=\"Powr\xf3t do strony g\xb3\xf3wnej "
               "albumu\"><img src=\"home.gif\" alt=\"Powr\xf3t do strony g\xb3\xf3wnej albumu\" "
               "border=\"0\"></a>",
               "<a href=\"Pe&#241;a.jpg\" title=\"Pe&#241;a.jpg\"><img class=\"pd4\" "
               "src=\"Pe&#241;a.jpg\" alt=\"Pe&#241;a.jpg\" border=\"0\"></a>"};
    QTest::newRow("Polish letters, English interface")
        << "ż.jpg"
        << "album-Świeta" << 0
        << QByteArrayList{"<title>Wakacje - &#380;.jpg</title>",
                          "<h1 align=\"center\" class=\"pd0\">&#380;.jpg</h1>",
                          "<a href=\"../album-&#346;wieta.html\" title=\"Back to album main page\">"
                          "<img src=\"home.gif\" alt=\"Back to album main page\" border=\"0\"></a>",
                          "<a href=\"&#380;.jpg\" title=\"&#380;.jpg\"><img class=\"pd4\" "
                          "src=\"&#380;.jpg\" alt=\"&#380;.jpg\" border=\"0\"></a>"};
}

void PhotoPageTest::awkwardNames() {
    QFETCH(QString, fileName);
    QFETCH(QString, directoryName);
    QFETCH(int, language);
    QFETCH(QByteArrayList, expected);
    QTemporaryDir dir;
    AlbumContext context = album(dir.path(), 1, language);
    context.albumDirectoryName = directoryName;
    context.workingPhotos[0] = jpegEntry(dir.filePath(fileName), 640, 480, "1 KB");
    writePhotoPage(context, 0, 0);
    const QByteArrayList lines = linesOf(pageOf(dir, 0));
    QCOMPARE(lines.at(4), expected.at(0));
    QCOMPARE(lines.at(7), expected.at(1));
    QCOMPARE(lines.at(10), expected.at(2));
    QCOMPARE(lines.at(14), expected.at(3));
}

void PhotoPageTest::writtenBesideThePhotoCopy() {
    QTemporaryDir dir;
    AlbumContext context = album(dir.path() + "/copies", 3, 1);
    QDir(dir.path()).mkdir("copies");
    context.albumDirectory = dir.path() + "/elsewhere/";
    testfiles::writeBytes(dir.filePath("copies/p-2.html"), QByteArray(5000, 'x'));
    writePhotoPage(context, 2, 1);
    const QByteArray page = testfiles::readBytes(dir.filePath("copies/p-2.html"));
    QVERIFY(page.startsWith("<html>\r\n"));
    QVERIFY(page.endsWith("</body>\r\n</html>\r\n"));
    QCOMPARE(QDir(dir.path() + "/copies").entryList(QDir::Files), QStringList{"p-2.html"});
}

void PhotoPageTest::unwritablePageNamesTheFile() {
    QTemporaryDir dir;
    const AlbumContext context = album(dir.path() + "/gone", 1, 1);
    try {
        writePhotoPage(context, 0, 0);
        QFAIL("no error for a page that cannot be written");
    } catch (const GenerationError& error) {
        QVERIFY2(error.message().contains("p-0.html"), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(PhotoPageTest)
#include "PhotoPageTest.moc"

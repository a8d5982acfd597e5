#include "core/generator/MainPage.h"

#include "AlbumFixtures.h"
#include "RecordingObserver.h"
#include "TestFiles.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace albumfixtures;

namespace {

AlbumContext albumIn(const QString& location, qint8 language = 1) {
    AlbumContext context;
    context.languageFlag = language;
    context.albumTitle = "Wakacje";
    context.albumLocation = location + "/";
    context.albumDirectoryName = "album-Wakacje";
    context.albumDirectory = context.albumLocation + "album-Wakacje/";
    return context;
}

// Numbered categories 1 … count captioned C1, C2 …, each showing th_k.jpg.
QList<Category> numbered(int count, QStringList& thumbnailTexts) {
    QList<Category> categories;
    for (int k = 1; k <= count; ++k) {
        categories << Category{k, k - 1, k, {}, QString("C%1").arg(k)};
        thumbnailTexts << QString("<n>th_%1.jpg</n><w>10</w><h>8</h>").arg(k);
    }
    return categories;
}

// The table between the first "<tr>" and the last "</tr>", a category's pair of cells as "c"
// and a row break as "|".
QString tableShape(const QStringList& lines) {
    QString shape;
    for (qsizetype i = 11; i < lines.size() - 4; ++i) {
        if (lines[i] == "</tr>" && lines[i + 1] == "<tr>")
            shape += '|';
        else if (lines[i].contains("\">C"))
            shape += 'c';
    }
    return shape;
}

} // namespace

class MainPageTest : public QObject {
    Q_OBJECT
private slots:
    void onePageAlbum_data();
    void onePageAlbum();
    void rowBreaks_data();
    void rowBreaks();
    void namesAndLinks();
    void categoryPictures_data();
    void categoryPictures();
    void stopAfterANumberedCategory_data();
    void stopAfterANumberedCategory();
};

void MainPageTest::onePageAlbum_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("contentType");
    QTest::addColumn<QString>("titleText");

    QTest::newRow("English") << 0 << "Wakacje"
                             << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html\">"
                             << "Wakacje";
    QTest::newRow("Polish")
        << 1 << "Wakacje"
        << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Windows-1250\">"
        << "Wakacje";
    QTest::newRow("English, a title of marks and Polish letters")
        << 0 << "Góry <b> & \"co\""
        << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html\">"
        << "G&#243;ry <b> & \"co\"";
}

void MainPageTest::onePageAlbum() {
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, contentType);
    QFETCH(QString, titleText);

    AlbumContext context = albumIn("/x", qint8(language));
    context.albumTitle = title;
    const QList<Category> categories{Category{0, 0, 1, {}, "Album"}};
    const QStringList lines =
        mainPageLines(context, categories, {"<n>th_a.jpg</n><w>100</w><h>75</h>"});
    QCOMPARE(lines,
             QStringList({
                 "<html>",
                 "<head>",
                 "<link rel=\"stylesheet\" type=\"text/css\" href=\"album-Wakacje/style.css\">",
                 contentType,
                 "<title>" + titleText + "</title>",
                 "</head>",
                 "<body>",
                 "<h1 align=\"center\" class=\"id0\">" + titleText + "</h1>",
                 "<hr size=\"1\" noshade><br>",
                 "<center><table class=\"id1\" cellspacing=\"2\" cellpadding=\"2\">",
                 "<tr>",
                 "<td class=\"id2\"><a href=\"album-Wakacje/main.html\" title=\"Album\">"
                 "<img src=\"album-Wakacje/th_a.jpg\" alt=\"\" width=\"100\" "
                 "height=\"75\" border=\"0\"></a></td>",
                 "<td class=\"id2\"><a href=\"album-Wakacje/main.html\" "
                 "title=\"Album\">Album</a></td>",
                 "</tr>",
                 "</table></center>",
                 "</body>",
                 "</html>",
             }));
}

void MainPageTest::rowBreaks_data() {
    QTest::addColumn<int>("categories");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("shape");
    QTest::newRow("5 in rows of 2") << 5 << 2 << "cc|cc|c";
    QTest::newRow("4 in rows of 2: no break after the last") << 4 << 2 << "cc|cc";
    QTest::newRow("one column") << 3 << 1 << "c|c|c";
    QTest::newRow("more columns than categories") << 3 << 10 << "ccc";
    QTest::newRow("as many columns as categories") << 3 << 3 << "ccc";
}

void MainPageTest::rowBreaks() {
    QFETCH(int, categories);
    QFETCH(int, columns);
    QFETCH(QString, shape);
    AlbumContext context = albumIn("/x");
    context.parameters.categoryColumns = columns;
    QStringList thumbnails;
    const QList<Category> list = numbered(categories, thumbnails);
    QCOMPARE(tableShape(mainPageLines(context, list, thumbnails)), shape);
}

void MainPageTest::namesAndLinks() {
    AlbumContext context = albumIn("/x", 0);
    context.albumDirectoryName = "album-Foto_#1";
    const QList<Category> categories{Category{1, 0, 1, {}, "Łąka & <morze>"}};
    const QStringList lines =
        mainPageLines(context, categories, {"<n>th_100%.jpg</n><w>10</w><h>8</h>"});
    // Names in links are URLs; the directory name shown is text, written as it is.
    QCOMPARE(lines[2],
             "<link rel=\"stylesheet\" type=\"text/css\" href=\"album-Foto_%231/style.css\">");
    QCOMPARE(lines[11], "<td class=\"id2\"><a href=\"album-Foto_%231/main-1.html\"><img "
                        "src=\"album-Foto_%231/th_100%25.jpg\" alt=\"\" width=\"10\" height=\"8\" "
                        "border=\"0\"></a></td>");
    QCOMPARE(lines[12], "<td class=\"id2\"><a href=\"album-Foto_%231/main-1.html\">"
                        "&#321;&#261;ka & <morze></a></td>");
}

void MainPageTest::categoryPictures_data() {
    QTest::addColumn<int>("categorySign");
    QTest::addColumn<QString>("photo");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QString>("picture"); // "name width height"
    QTest::addColumn<QStringList>("newFiles");

    QTest::newRow("first photo: the page thumbnail is taken, so th_x_")
        << int(signFirstPhoto) << "x.jpg" << QSize(150, 100) << "th_x_.jpg 133 100"
        << QStringList{"th_x_.jpg"};
    QTest::newRow("random photo of one") << int(signRandomPhoto) << "x.jpg" << QSize(100, 100)
                                         << "th_x_.jpg 100 75" << QStringList{"th_x_.jpg"};
    QTest::newRow("a PNG shows itself in the box")
        << int(signFirstPhoto) << "d.png" << QSize(120, 80) << "d.png 120 80" << QStringList{};
    QTest::newRow("default icon: no thumbnail made")
        << int(signDefaultIcon) << "x.jpg" << QSize(150, 100) << "main.png 48 48" << QStringList{};
}

void MainPageTest::categoryPictures() {
    QFETCH(int, categorySign);
    QFETCH(QString, photo);
    QFETCH(QSize, box);
    QFETCH(QString, picture);
    QFETCH(QStringList, newFiles);

    QTemporaryDir root;
    AlbumContext context = albumIn(root.path());
    context.parameters.categorySign = categorySign;
    context.parameters.categoryThumbnailWidth = box.width();
    context.parameters.categoryThumbnailHeight = box.height();
    const QString dir = context.albumDirectory;
    const QString entry =
        photo.endsWith(".png") ? pngPhoto(dir, photo) : jpegPhoto(dir, photo, QSize(640, 480));
    testfiles::writeBytes(dir + "th_x.jpg", "the page thumbnail");
    const QStringList before = filesBelow(dir);

    RecordingObserver observer;
    QVERIFY(writeMainPage(context, {Category{1, 0, 1, {entry}, "C1"}}, {entry}, observer));
    const QStringList parts = picture.split(' ');
    QVERIFY(lineWith(mainPagePath(context), "<img")
                .contains("src=\"album-Wakacje/" + parts[0].toLatin1() + "\" alt=\"\" width=\"" +
                          parts[1].toLatin1() + "\" height=\"" + parts[2].toLatin1() + "\""));
    QStringList expected = before + newFiles;
    expected.sort();
    QCOMPARE(filesBelow(dir), expected);
    for (const QString& file : newFiles)
        QCOMPARE(QImage(dir + file).size(), QSize(parts[1].toInt(), parts[2].toInt()));
}

void MainPageTest::stopAfterANumberedCategory_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("written");
    QTest::newRow("numbered category: stops") << 1 << false;
    QTest::newRow("the one page of the album: no check") << 0 << true;
}

void MainPageTest::stopAfterANumberedCategory() {
    QFETCH(int, number);
    QFETCH(bool, written);

    QTemporaryDir root;
    AlbumContext context = albumIn(root.path());
    context.parameters.categorySign = signDefaultIcon;
    testfiles::writeBytes(mainPagePath(context), "earlier");
    RecordingObserver observer;
    observer.requestStop();
    const QList<Category> categories{Category{number, 0, 1, {"<n>a.png</n>"}, "C"},
                                     Category{number + 1, 1, 2, {"<n>b.png</n>"}, "D"}};
    QCOMPARE(writeMainPage(context, categories.mid(0, number == 0 ? 1 : 2),
                           {"<n>a.png</n>", "<n>b.png</n>"}, observer),
             written);
    QCOMPARE(testfiles::readBytes(mainPagePath(context)) != "earlier", written);
}

QTEST_GUILESS_MAIN(MainPageTest)
#include "MainPageTest.moc"

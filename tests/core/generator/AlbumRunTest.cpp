#include "core/generator/AlbumRun.h"
#include "core/generator/AlbumResources.h"
#include "core/generator/AlbumSnapshot.h"

#include "AlbumFixtures.h"
#include "core/app/StringTable.h"
#include "RecordingObserver.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

using namespace albumfixtures;

namespace {

const QString album = "album-Wakacje/";

// Four photos in list order a, b (Lato), c, d (Zima, d a PNG), written under root/src.
QStringList latoZima(const QString& root) {
    return {jpegPhoto(root + "/src/Lato", "a.jpg"), jpegPhoto(root + "/src/Lato", "b.jpg"),
            jpegPhoto(root + "/src/Zima", "c.jpg"), pngPhoto(root + "/src/Zima", "d.png")};
}

QString outDir(const QTemporaryDir& root) {
    QDir(root.path()).mkpath("out");
    return root.path() + "/out";
}

QByteArrayList mainPage(const QByteArrayList& cells) {
    return QByteArrayList{
               "<html>",
               "<head>",
               "<link rel=\"stylesheet\" type=\"text/css\" href=\"album-Wakacje/style.css\">",
               "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Windows-1250\">",
               "<title>Wakacje</title>",
               "</head>",
               "<body>",
               "<h1 align=\"center\" class=\"id0\">Wakacje</h1>",
               "<hr size=\"1\" noshade><br>",
               "<center><table class=\"id1\" cellspacing=\"2\" cellpadding=\"2\">",
               "<tr>"} +
           cells + QByteArrayList{"</tr>", "</table></center>", "</body>", "</html>"};
}

QByteArray pictureCell(const QByteArray& page, const QByteArray& picture, int w, int h,
                       const QByteArray& title = {}) {
    return "<td class=\"id2\"><a href=\"album-Wakacje/" + page + "\"" + title +
           "><img src=\"album-Wakacje/" + picture + "\" alt=\"\" width=\"" + QByteArray::number(w) +
           "\" height=\"" + QByteArray::number(h) + "\" border=\"0\"></a></td>";
}

QByteArray nameCell(const QByteArray& page, const QByteArray& name, const QByteArray& title = {}) {
    return "<td class=\"id2\"><a href=\"album-Wakacje/" + page + "\"" + title + ">" + name +
           "</a></td>";
}

QByteArrayList thumbnailPage(const QByteArray& caption, const QByteArrayList& cells) {
    const QByteArray home = "Powr\xf3t do strony g\xb3\xf3wnej albumu";
    return thumbnailPageHead(caption) + QByteArrayList{"<tr>"} + cells +
           QByteArrayList{"</tr>", "</table>", "</center>", "<hr size=\"1\" noshade>",
                          "<a href=\"../album-Wakacje.html\" title=\"" + home +
                              "\"><img src=\"home.gif\" alt=\"" + home +
                              "\" border=\"0\"></a></body></html>"};
}

// A thumbnail cell: the link target, the photo and the picture shown with its size.
QByteArray photoCell(const QByteArray& target, const QByteArray& photo, const QByteArray& picture,
                     int w, int h) {
    return " <td class=\"td2\"><a href=\"" + target + "\" title=\"" + photo +
           "\" class=\"hili\"><img src=\"" + picture + "\" alt=\"" + photo + "\" width=\"" +
           QByteArray::number(w) + "\" height=\"" + QByteArray::number(h) +
           "\" border=\"0\"></a></td>";
}

const QByteArray emptyCell = " <td class=\"td2\"></td>";

QStringList withAlbum(const QStringList& names) {
    QStringList paths{"album-Wakacje.html"};
    for (const QString& name : names)
        paths << album + name;
    paths.sort();
    return paths;
}

} // namespace

class AlbumRunTest : public QObject {
    Q_OBJECT
private slots:
    void refusals_data();
    void refusals();
    void directoryNames_data();
    void directoryNames();
    void layoutModes_data();
    void layoutModes();
    void progressReachesItsMaximum_data();
    void progressReachesItsMaximum();
    void copiesTakeNamesOfTheirOwn_data();
    void copiesTakeNamesOfTheirOwn();
    void secondBuildIntoTheSamePlace();
    void stops_data();
    void stops();
    void eraseRemovesLinksButNeverFollowsThem();
    void runOverWhatWasThere_data();
    void runOverWhatWasThere();
    void runChecksItsOwnLinks_data();
    void runChecksItsOwnLinks();
    void failures_data();
    void failures();
    void resources_data();
    void resources();
};

void AlbumRunTest::refusals_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<bool>("photos");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("location");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");

    const int none = int(RunRefusal::Focus::None);
    QTest::newRow("nothing set") << -1 << false << "" << false << 1
                                 << "Brak ustawionego sposobu układu zdjęć w albumie" << none;
    QTest::newRow("no photos") << 0 << false << "" << false << 1 << "Brak zdjeć na liście" << none;
    QTest::newRow("no title") << 1 << true << "" << false << 1 << "Brak ustawionego tytułu albumu"
                              << int(RunRefusal::Focus::Title);
    QTest::newRow("no location, English")
        << 2 << true << "T" << false << 0 << "No folder for the album is chosen"
        << int(RunRefusal::Focus::Location);
    QTest::newRow("blank title passes") << 2 << true << "  " << true << 0 << "" << none;
}

void AlbumRunTest::refusals() {
    QFETCH(int, layoutMode);
    QFETCH(bool, photos);
    QFETCH(QString, title);
    QFETCH(bool, location);
    QFETCH(int, language);
    QFETCH(QString, message);
    QFETCH(int, focus);

    QTemporaryDir root;
    const QString out = outDir(root);
    RunInput input = buildInput(
        photos ? QStringList{jpegPhoto(root.path(), "x.jpg")} : QStringList{}, out, layoutMode);
    input.albumTitle = title;
    input.albumLocation = location ? out + "/" : QString();
    input.languageFlag = qint8(language);

    const std::optional<RunRefusal> refusal = validateRun(input);
    if (message.isEmpty()) {
        QVERIFY(!refusal);
        return;
    }
    QVERIFY(refusal);
    QCOMPARE(refusal->message, message);
    QCOMPARE(int(refusal->focus), focus);

    RecordingObserver observer;
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, RunOutcome::Failed);
    QCOMPARE(result.errorMessage, message);
    QVERIFY(observer.events.isEmpty());
    QVERIFY(filesBelow(out).isEmpty());
}

void AlbumRunTest::directoryNames_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("blanks") << "Wakacje nad morzem 2007"
                            << "album-Wakacje_nad_morzem_2007";
    QTest::newRow("Polish letter") << "Moje zdjęcia"
                                   << "album-Moje_zdjecia";
    QTest::newRow("colon and Polish letters") << "Góry: żółte łąki"
                                              << "album-Gory_zolte_laki";
    QTest::newRow("s with acute and capitals stay") << "Święta"
                                                    << "album-Świeta";
    QTest::newRow("only removed characters") << "???"
                                             << "album-";
    QTest::newRow("every removed character") << "a/b\\c:d*e?f\"g<h>i|j"
                                             << "album-abcdefghij";
    QTest::newRow("every replaced letter") << "ąćęłńóżź ĄĆĘŁŃÓŻŹś"
                                           << "album-acelnozz_ĄĆĘŁŃÓŻŹś";
}

void AlbumRunTest::directoryNames() {
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(albumDirectoryName(title), name);
}

void AlbumRunTest::layoutModes_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<bool>("photoPagesAndThumbnailFiles");
    QTest::addColumn<int>("categorySign");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArrayList>("mainCells");
    QTest::addColumn<QString>("thumbnailPageName");
    QTest::addColumn<QByteArrayList>("thumbnailPageLines");
    QTest::addColumn<QStringList>("indexPages"); // of p-0 … p-3

    const QStringList common{"home.gif", "prev.gif", "next.gif", "index.gif", "style.css",
                             "a.jpg",    "b.jpg",    "c.jpg",    "d.png"};
    const QStringList photoPages{"p-0.html", "p-1.html", "p-2.html", "p-3.html"};
    const QStringList pageThumbnails{"th_a.jpg", "th_b.jpg", "th_c.jpg"};
    const QByteArray album = " title=\"Album\"";

    QTest::newRow("all on one page")
        << int(layoutOnePage) << 0 << true << int(signFirstPhoto)
        << withAlbum(common + photoPages + pageThumbnails + QStringList{"main.html", "th_a_.jpg"})
        << QByteArrayList{pictureCell("main.html", "th_a_.jpg", 100, 75, album),
                          nameCell("main.html", "Album", album)}
        << "main.html"
        << thumbnailPage("Album", {photoCell("p-0.html", "a.jpg", "th_a.jpg", 100, 75),
                                   photoCell("p-1.html", "b.jpg", "th_b.jpg", 100, 75),
                                   photoCell("p-2.html", "c.jpg", "th_c.jpg", 100, 75),
                                   photoCell("p-3.html", "d.png", "d.png", 100, 100)})
        << QStringList{"main.html", "main.html", "main.html", "main.html"};

    const QByteArray fourOfFour = "Zdj\xea"
                                  "cia 4 - 4";
    QTest::newRow("three per page")
        << int(layoutFixedCount) << 3 << true << int(signFirstPhoto)
        << withAlbum(common + photoPages + pageThumbnails +
                     QStringList{"main-1.html", "main-2.html", "th_a_.jpg"})
        << QByteArrayList{pictureCell("main-1.html", "th_a_.jpg", 100, 75),
                          nameCell("main-1.html", "Zdj\xea"
                                                  "cia 1 - 3"),
                          "</tr>",
                          "<tr>",
                          pictureCell("main-2.html", "d.png", 100, 100),
                          nameCell("main-2.html", fourOfFour)}
        << "main-2.html"
        << thumbnailPage(fourOfFour, {photoCell("p-3.html", "d.png", "d.png", 100, 100), emptyCell,
                                      emptyCell, emptyCell})
        << QStringList{"main-1.html", "main-1.html", "main-1.html", "main-2.html"};

    QTest::newRow("by directory")
        << int(layoutByDirectory) << 0 << true << int(signFirstPhoto)
        << withAlbum(common + photoPages + pageThumbnails +
                     QStringList{"main-1.html", "main-2.html", "th_a_.jpg", "th_c_.jpg"})
        << QByteArrayList{pictureCell("main-1.html", "th_a_.jpg", 100, 75),
                          nameCell("main-1.html", "Lato"),
                          "</tr>",
                          "<tr>",
                          pictureCell("main-2.html", "th_c_.jpg", 100, 75),
                          nameCell("main-2.html", "Zima")}
        << "main-2.html"
        << thumbnailPage("Zima",
                         {photoCell("p-2.html", "c.jpg", "th_c.jpg", 100, 75),
                          photoCell("p-3.html", "d.png", "d.png", 100, 100), emptyCell, emptyCell})
        << QStringList{"main-1.html", "main-1.html", "main-2.html", "main-2.html"};

    QTest::newRow("by directory, icon, links to resized photos")
        << int(layoutByDirectory) << 0 << false << int(signDefaultIcon)
        << withAlbum(common + QStringList{"main-1.html", "main-2.html", "main.png"})
        << QByteArrayList{pictureCell("main-1.html", "main.png", 48, 48),
                          nameCell("main-1.html", "Lato"),
                          "</tr>",
                          "<tr>",
                          pictureCell("main-2.html", "main.png", 48, 48),
                          nameCell("main-2.html", "Zima")}
        << "main-1.html"
        << thumbnailPage("Lato",
                         {photoCell("a.jpg", "a.jpg", "a.jpg", 100, 75),
                          photoCell("b.jpg", "b.jpg", "b.jpg", 100, 75), emptyCell, emptyCell})
        << QStringList{};
}

void AlbumRunTest::layoutModes() {
    QFETCH(int, layoutMode);
    QFETCH(int, perPage);
    QFETCH(bool, photoPagesAndThumbnailFiles);
    QFETCH(int, categorySign);
    QFETCH(QStringList, files);
    QFETCH(QByteArrayList, mainCells);
    QFETCH(QString, thumbnailPageName);
    QFETCH(QByteArrayList, thumbnailPageLines);
    QFETCH(QStringList, indexPages);

    QTemporaryDir root;
    const QString out = outDir(root);
    RunInput input = buildInput(latoZima(root.path()), out, layoutMode);
    input.parameters.perPageCount = perPage;
    input.parameters.photoPages = photoPagesAndThumbnailFiles ? 0 : 1;
    input.parameters.thumbnailKind = photoPagesAndThumbnailFiles ? 0 : 1;
    input.parameters.categorySign = categorySign;
    RecordingObserver observer;
    const RunResult result = runAlbumBuild(input, observer);

    QCOMPARE(result.outcome, RunOutcome::Finished);
    QCOMPARE(result.mainPagePath, out + "/album-Wakacje.html");
    QCOMPARE(result.albumDirectory, out + "/" + album);
    QCOMPARE(filesBelow(out), files);
    QCOMPARE(fileLines(result.mainPagePath), mainPage(mainCells));
    QCOMPARE(fileLines(result.albumDirectory + thumbnailPageName), thumbnailPageLines);
    const QStringList photos{"a.jpg", "b.jpg", "c.jpg", "d.png"};
    for (int k = 0; k < indexPages.size(); ++k) {
        const QString page = result.albumDirectory + QString("p-%1.html").arg(k);
        QVERIFY(lineWith(page, "index.gif").startsWith("<a href=\"" + indexPages[k].toLatin1()));
        QVERIFY(lineWith(page, "class=\"pd4\"").startsWith("<a href=\"" + photos[k].toLatin1()));
    }
}

void AlbumRunTest::progressReachesItsMaximum_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<int>("photos");
    QTest::addColumn<int>("photoPages");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("maximum");
    QTest::newRow("one photo, one page") << int(layoutOnePage) << 1 << 0 << 1 << 6;
    QTest::newRow("five photos, two per page") << int(layoutFixedCount) << 5 << 0 << 0 << 18;
    QTest::newRow("five photos, no photo pages") << int(layoutFixedCount) << 5 << 1 << 1 << 13;
    QTest::newRow("by directory, no photo pages") << int(layoutByDirectory) << 3 << 1 << 0 << 9;
}

void AlbumRunTest::progressReachesItsMaximum() {
    QFETCH(int, layoutMode);
    QFETCH(int, photos);
    QFETCH(int, photoPages);
    QFETCH(int, language);
    QFETCH(int, maximum);

    QTemporaryDir root;
    RunInput input = buildInput(jpegPhotos(root.path(), "x", photos), outDir(root), layoutMode);
    input.parameters.perPageCount = 2;
    input.parameters.photoPages = photoPages;
    input.languageFlag = qint8(language);
    RecordingObserver observer;
    QCOMPARE(runAlbumBuild(input, observer).outcome, RunOutcome::Finished);

    QCOMPARE(observer.maximum, maximum);
    QCOMPARE(observer.steps, maximum);
    QCOMPARE(observer.events.first(), QString("maximum %1").arg(maximum));
    QCOMPARE(observer.events.mid(observer.events.size() - 2), QStringList({"step", "pump"}));
    QStringList captions;
    for (int id = 184; id <= 188; ++id)
        captions << interfaceText(id, qint8(language));
    QCOMPARE(observer.captions, captions);
}

void AlbumRunTest::copiesTakeNamesOfTheirOwn_data() {
    QTest::addColumn<bool>("sameFile");
    QTest::newRow("one name in two folders") << false;
    QTest::newRow("the same file twice") << true;
}

void AlbumRunTest::copiesTakeNamesOfTheirOwn() {
    QFETCH(bool, sameFile);
    QTemporaryDir root;
    const QString first = jpegPhoto(root.path() + "/a", "x.jpg", QSize(64, 48));
    const QString second = sameFile ? first : jpegPhoto(root.path() + "/b", "x.jpg", QSize(48, 64));
    RunInput input = buildInput({first, second}, outDir(root), layoutOnePage);
    RecordingObserver observer;
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, RunOutcome::Finished);

    const QString dir = result.albumDirectory;
    QCOMPARE(testfiles::readBytes(dir + "x_.jpg"),
             testfiles::readBytes(root.path() + (sameFile ? "/a/x.jpg" : "/b/x.jpg")));
    QVERIFY(lineWith(dir + "p-1.html", "class=\"pd4\"").startsWith("<a href=\"x_.jpg\""));
    QVERIFY(lineWith(dir + "p-0.html", "class=\"pd4\"").startsWith("<a href=\"x.jpg\""));
    // The entries differ from the copy on: the second thumbnail is made from the second copy.
    QVERIFY(lineWith(dir + "main.html", "th_x_.jpg").contains("href=\"p-1.html\""));
}

void AlbumRunTest::secondBuildIntoTheSamePlace() {
    QTemporaryDir root;
    const QString out = outDir(root);
    RunInput input = buildInput({jpegPhoto(root.path(), "x.jpg")}, out, layoutOnePage);
    RecordingObserver firstObserver;
    QCOMPARE(runAlbumBuild(input, firstObserver).outcome, RunOutcome::Finished);
    const QString oldMainPage = testfiles::readBytes(out + "/album-Wakacje.html");

    RecordingObserver secondObserver;
    const RunResult result = runAlbumBuild(input, secondObserver);
    QCOMPARE(result.outcome, RunOutcome::Finished);
    QCOMPARE(secondObserver.steps, secondObserver.maximum);
    // Copies and thumbnails take new names beside the old ones; pages are written over.
    QCOMPARE(filesBelow(out), withAlbum({"home.gif", "prev.gif", "next.gif", "index.gif",
                                         "style.css", "x.jpg", "x_.jpg", "th_x.jpg", "th_x_.jpg",
                                         "th_x__.jpg", "th_x___.jpg", "main.html", "p-0.html"}));
    QVERIFY(lineWith(result.albumDirectory + "p-0.html", "class=\"pd4\"")
                .startsWith("<a href=\"x_.jpg\""));
    QVERIFY(lineWith(result.albumDirectory + "main.html", "th_x__.jpg").contains("p-0.html"));
    QVERIFY(lineWith(result.mainPagePath, "<img").contains("album-Wakacje/th_x___.jpg"));
    QVERIFY(testfiles::readBytes(result.mainPagePath) != oldMainPage);
}

// Three photos, two per page: step 1 after the icons, 2–4 the copies, 5 the style sheet, 6–7
// the photo pages of page 1, 8–9 its thumbnails, 10 and 11 page 2, 12 the end.
void AlbumRunTest::stops_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<QString>("stop"); // "pump N", "step N", "main page", "last pump"
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("notWritten");
    QTest::addColumn<bool>("mainPageWritten");

    const int twoPerPage = int(layoutFixedCount);
    QTest::newRow("before copying")
        << twoPerPage << "pump 1" << QStringList{"home.gif", "index.gif"} << QStringList{"x0.jpg"}
        << false;
    QTest::newRow("after a copy") << twoPerPage << "step 2" << QStringList{"x1.jpg"}
                                  << QStringList{"x2.jpg"} << false;
    QTest::newRow("after the style sheet")
        << twoPerPage << "step 4" << QStringList{"x2.jpg", "style.css"} << QStringList{"p-0.html"}
        << false;
    QTest::newRow("after a photo page")
        << twoPerPage << "step 5" << QStringList{"p-0.html"} << QStringList{"p-1.html"} << false;
    QTest::newRow("within a thumbnail page")
        << twoPerPage << "step 7" << QStringList{"p-1.html", "th_x0.jpg"}
        << QStringList{"th_x1.jpg", "main-1.html"} << false;
    QTest::newRow("in the last pump of a thumbnail page")
        << twoPerPage << "step 9" << QStringList{"th_x1.jpg"}
        << QStringList{"main-1.html", "p-2.html"} << false;
    QTest::newRow("on the main page")
        << twoPerPage << "main page" << QStringList{"main-2.html", "th_x0_.jpg", "th_x2_.jpg"}
        << QStringList{} << false;
    QTest::newRow("one page: the main page has no check point")
        << int(layoutOnePage) << "main page" << QStringList{"main.html"} << QStringList{} << true;
    QTest::newRow("in the last pump")
        << twoPerPage << "last pump" << QStringList{"main-2.html"} << QStringList{} << true;
}

void AlbumRunTest::stops() {
    QFETCH(int, layoutMode);
    QFETCH(QString, stop);
    QFETCH(QStringList, written);
    QFETCH(QStringList, notWritten);
    QFETCH(bool, mainPageWritten);

    QTemporaryDir root;
    const QString out = outDir(root);
    const QByteArray earlier = "left from an earlier build";
    testfiles::writeBytes(out + "/album-Wakacje.html", earlier);
    testfiles::writeBytes(out + "/other.txt", "not the album's");
    RunInput input = buildInput(jpegPhotos(root.path(), "x", 3), out, layoutMode);
    input.parameters.perPageCount = 2;

    RecordingObserver observer;
    const QString number = stop.section(' ', 1);
    if (stop.startsWith("pump "))
        observer.stopAtPump(number.toInt());
    else if (stop.startsWith("step "))
        observer.stopAfterStep(number.toInt());
    observer.onPump = [&](int) {
        if ((stop == "main page" && observer.captions.size() == 5) ||
            (stop == "last pump" && observer.steps == observer.maximum))
            observer.requestStop();
    };
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, RunOutcome::Stopped);

    // Answered No: everything written so far stays.
    for (const QString& name : written)
        QVERIFY2(QFile::exists(result.albumDirectory + name), qPrintable(name));
    for (const QString& name : notWritten)
        QVERIFY2(!QFile::exists(result.albumDirectory + name), qPrintable(name));
    QCOMPARE(testfiles::readBytes(result.mainPagePath) != earlier, mainPageWritten);

    // Answered Yes: what the run made goes; the main page of an earlier build is as it was.
    eraseUnfinishedAlbum(result);
    QCOMPARE(filesBelow(out), (QStringList{"album-Wakacje.html", "other.txt"}));
    QCOMPARE(testfiles::readBytes(result.mainPagePath), earlier);
    QVERIFY(!QFileInfo::exists(result.albumDirectory));
}

void AlbumRunTest::eraseRemovesLinksButNeverFollowsThem() {
    QTemporaryDir root;
    const QString outside = root.path() + "/outside";
    testfiles::writeBytes(outside + "/keep.txt", "keep");
    QFile::setPermissions(outside + "/keep.txt", QFile::ReadOwner);
    const QString dir = root.path() + "/album-x/";
    const QString mainPage = root.path() + "/album-x.html";
    RunResult result;
    result.before = std::make_shared<const AlbumSnapshot>(AlbumSnapshot::take(dir, mainPage));
    // What a run might leave: read-only files and folders, and links of every kind.
    testfiles::writeBytes(dir + "read-only.jpg", "x");
    testfiles::writeBytes(dir + ".hidden", "x");
    testfiles::writeBytes(dir + "sub/inner.txt", "x");
    QFile::setPermissions(dir + "read-only.jpg", QFile::ReadOwner);
    QFile::setPermissions(dir + "sub", QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(QFile::link(outside + "/keep.txt", dir + "file-link"));
    QVERIFY(QFile::link(outside, dir + "directory-link"));
    QVERIFY(QFile::link(root.path() + "/nowhere", dir + "dangling-link"));
    testfiles::writeBytes(mainPage, "x");
    QFile::setPermissions(mainPage, QFile::ReadOwner);
    // A second album whose directory is itself a link: the link goes, not what it points to.
    const QString linkedDir = root.path() + "/album-y/";
    RunResult linked;
    linked.before = std::make_shared<const AlbumSnapshot>(
        AlbumSnapshot::take(linkedDir, root.path() + "/album-y.html"));
    QVERIFY(QFile::link(outside, root.path() + "/album-y"));
    // A folder not named as albums are is never emptied.
    RunResult notAnAlbum;
    notAnAlbum.before = std::make_shared<const AlbumSnapshot>(
        AlbumSnapshot::take(outside + "/sub/", root.path() + "/none.html"));
    testfiles::writeBytes(outside + "/sub/made.txt", "x");

    eraseUnfinishedAlbum(notAnAlbum);
    eraseUnfinishedAlbum(result);
    eraseUnfinishedAlbum(linked);

    QVERIFY(!QFileInfo::exists(dir));
    QVERIFY(!QFileInfo::exists(mainPage));
    QVERIFY(!QFileInfo(root.path() + "/album-y").isSymLink());
    QCOMPARE(filesBelow(root.path()), (QStringList{"outside/keep.txt", "outside/sub/made.txt"}));
    QCOMPARE(testfiles::readBytes(outside + "/keep.txt"), QByteArray("keep"));
    // Nothing made the target writable by way of the link.
    QVERIFY(!(QFile::permissions(outside + "/keep.txt") &
              (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)));
}

// A run into a place that holds things already. Stopped and erased, it leaves them exactly
// as they were; finished, it has written nothing outside the album folder.
void AlbumRunTest::runOverWhatWasThere_data() {
    QTest::addColumn<QString>("before");    // "photos", "earlier album", "links"
    QTest::addColumn<int>("stopAfterStep"); // -1: runs to the end
    QTest::newRow("the album folder is the photos' own, stopped") << "photos" << 2;
    QTest::newRow("an earlier album with the user's files, stopped") << "earlier album" << 7;
    QTest::newRow("an earlier album, stopped on its last thumbnail page") << "earlier album" << 11;
    QTest::newRow("links in place of the pages, stopped") << "links" << 7;
    QTest::newRow("links in place of the pages, finished") << "links" << -1;
}

void AlbumRunTest::runOverWhatWasThere() {
    QFETCH(QString, before);
    QFETCH(int, stopAfterStep);
    QTemporaryDir root;
    const QString out = outDir(root);
    const QString album = out + "/album-Wakacje";
    const QString outside = root.path() + "/outside";
    QStringList photos = jpegPhotos(root.path() + "/src", "x", 3);
    if (before == "photos") {
        photos = jpegPhotos(album, "x", 3);
    } else {
        RecordingObserver first;
        QCOMPARE(runAlbumBuild(buildInput(photos, out, layoutFixedCount), first).outcome,
                 RunOutcome::Finished);
        testfiles::writeBytes(album + "/notes.txt", "mine");
        testfiles::writeBytes(album + "/sub/more.txt", "mine too");
    }
    if (before == "links") {
        for (const QString name : {"style.css", "main-1.html", "p-0.html", "home.gif"}) {
            testfiles::writeBytes(outside + "/" + name, "outside");
            QFile::remove(album + "/" + name);
            QVERIFY(QFile::link(outside + "/" + name, album + "/" + name));
        }
        testfiles::writeBytes(outside + "/main page", "outside");
        QFile::remove(out + "/album-Wakacje.html");
        QVERIFY(QFile::link(outside + "/main page", out + "/album-Wakacje.html"));
    }
    const QMap<QString, QByteArray> beforeRun = treeBelow(root.path());

    RunInput input = buildInput(photos, out, layoutFixedCount);
    input.parameters.perPageCount = 2;
    RecordingObserver observer;
    observer.stopAfterStep(stopAfterStep);
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, stopAfterStep < 0 ? RunOutcome::Finished : RunOutcome::Stopped);
    if (stopAfterStep >= 0) {
        eraseUnfinishedAlbum(result);
        QCOMPARE(treeBelow(root.path()), beforeRun);
        return;
    }
    for (const QString name : {"style.css", "main-1.html", "p-0.html", "home.gif", "main page"})
        QCOMPARE(testfiles::readBytes(outside + "/" + name), QByteArray("outside"));
    for (const QString name : {"style.css", "main-1.html", "p-0.html", "home.gif"})
        QVERIFY(!QFileInfo(album + "/" + name).isSymLink());
    QVERIFY(!QFileInfo(result.mainPagePath).isSymLink());
}

// At its end the run reads back every page it wrote; a link to a file that is not there
// (taken away while the run went on) is reported, a sound album reports nothing.
void AlbumRunTest::runChecksItsOwnLinks_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<bool>("photoPages");
    QTest::addColumn<QString>("taken");      // removed during the last pump
    QTest::addColumn<QStringList>("broken"); // "page → target", pages without their folder
    QTest::newRow("sound, one page") << int(layoutOnePage) << true << "" << QStringList{};
    QTest::newRow("sound, by folder") << int(layoutByDirectory) << true << "" << QStringList{};
    QTest::newRow("sound, links to the photos")
        << int(layoutFixedCount) << false << "" << QStringList{};
    QTest::newRow("a thumbnail taken away")
        << int(layoutOnePage) << true << "th_x1.jpg" << QStringList{"main.html → th_x1.jpg"};
    QTest::newRow("a photo taken away") << int(layoutOnePage) << true << "x2.jpg"
                                        << QStringList{"p-2.html → x2.jpg", "p-2.html → x2.jpg"};
    QTest::newRow("the style sheet taken away")
        << int(layoutOnePage) << false << "style.css"
        << QStringList{"album-Wakacje.html → album-Wakacje/style.css", "main.html → style.css"};
}

void AlbumRunTest::runChecksItsOwnLinks() {
    QFETCH(int, layoutMode);
    QFETCH(bool, photoPages);
    QFETCH(QString, taken);
    QFETCH(QStringList, broken);
    QTemporaryDir root;
    const QString out = outDir(root);
    RunInput input = buildInput(jpegPhotos(root.path() + "/src", "x", 3), out, layoutMode);
    input.parameters.photoPages = photoPages ? photoPagesMade : photoPagesLinksToPhotos;
    RecordingObserver observer;
    observer.onPump = [&](int) {
        if (!taken.isEmpty() && observer.steps == observer.maximum)
            QFile::remove(out + "/album-Wakacje/" + taken);
    };
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, RunOutcome::Finished);
    QStringList reported = result.brokenLinks;
    reported.replaceInStrings(out + "/album-Wakacje/", "").replaceInStrings(out + "/", "");
    QCOMPARE(reported, broken);
}

void AlbumRunTest::failures_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<RunOutcome>("outcome");
    QTest::addColumn<QString>("named");
    QTest::newRow("no such location") << "location" << RunOutcome::Failed << "album-Wakacje";
    QTest::newRow("style sheet cannot be written") << "style" << RunOutcome::Failed << "style.css";
    QTest::newRow("photo cannot be decoded") << "undecodable" << RunOutcome::Failed << "bad.jpg";
    QTest::newRow("JPEG photo gone") << "missing jpeg" << RunOutcome::Failed << "gone.jpg";
    QTest::newRow("a name of 252 bytes: its thumbnail's still fits")
        << "name of 252" << RunOutcome::Finished << "";
    QTest::newRow("a name of 253 bytes: the system's reason")
        << "name of 253" << RunOutcome::Failed << "File name too long";
    QTest::newRow("PNG photo gone: the run fails naming it")
        << "missing png" << RunOutcome::Failed << "gone.png cannot be read (No such file";
}

void AlbumRunTest::failures() {
    QFETCH(QString, damage);
    QFETCH(RunOutcome, outcome);
    QFETCH(QString, named);

    QTemporaryDir root;
    QString out = outDir(root);
    QStringList photos{jpegPhoto(root.path(), "x.jpg")};
    if (damage == "location")
        out += "/not/there";
    if (damage == "style")
        QDir(out).mkpath("album-Wakacje/style.css");
    if (damage == "undecodable") {
        testfiles::writeBytes(root.path() + "/bad.jpg", "not a picture");
        photos << "<n>" + root.path() + "/bad.jpg</n><w>64</w><h>48</h><r>13 B</r>";
    }
    if (damage == "missing jpeg")
        photos << "<n>" + root.path() + "/gone.jpg</n><w>64</w><h>48</h><r>1 KB</r>";
    if (damage.startsWith("name of "))
        photos << jpegPhoto(root.path(), QString(damage.mid(8).toInt() - 4, 'n') + ".jpg");
    if (damage == "missing png")
        photos << "<n>" + root.path() + "/gone.png</n><r>1 KB</r><ns>";

    RecordingObserver observer;
    const RunResult result = runAlbumBuild(buildInput(photos, out, layoutOnePage), observer);
    QCOMPARE(result.outcome, outcome);
    QVERIFY2(result.errorMessage.contains(named), qPrintable(result.errorMessage));
    QCOMPARE(result.errorMessage.isEmpty(), named.isEmpty());
}

void AlbumRunTest::resources_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("category icon") << 1000 << QByteArray("png") << QSize(48, 48);
    QTest::newRow("home") << 2000 << QByteArray("gif") << QSize(30, 30);
    QTest::newRow("previous") << 3000 << QByteArray("gif") << QSize(30, 30);
    QTest::newRow("next") << 4000 << QByteArray("gif") << QSize(30, 30);
    QTest::newRow("index") << 5000 << QByteArray("gif") << QSize(30, 30);
    QTest::newRow("no such resource") << 6000 << QByteArray() << QSize();
}

void AlbumRunTest::resources() {
    QFETCH(int, number);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);

    QTemporaryDir dir;
    const QString path = dir.filePath("icon");
    testfiles::writeBytes(path, "an older file");
    const std::optional<QString> warning = writeAlbumResource(number, path);
    if (format.isEmpty()) {
        QCOMPARE(warning, missingResourceMessage());
        QCOMPARE(testfiles::readBytes(path), QByteArray("an older file"));
        return;
    }
    QVERIFY(!warning);
    const QByteArray bytes = testfiles::readBytes(path);
    QCOMPARE(bytes, albumResource(number).value());
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    QCOMPARE(reader.format(), format);
    const QImage picture = reader.read();
    QCOMPARE(picture.size(), size);
    QVERIFY(picture.hasAlphaChannel());
}

QTEST_GUILESS_MAIN(AlbumRunTest)
#include "AlbumRunTest.moc"

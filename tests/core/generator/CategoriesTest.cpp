#include "core/generator/Categories.h"
#include "core/generator/AlbumRun.h"

#include "AlbumFixtures.h"
#include "core/photos/PhotoListOrder.h"
#include "core/photos/TaggedText.h"
#include "RecordingObserver.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace albumfixtures;

namespace {

QStringList entriesAt(const QStringList& paths) {
    QStringList entries;
    for (const QString& path : paths)
        entries << "<n>" + path + "</n><w>4</w><h>3</h><r>1 B</r>";
    return entries;
}

// The photo each photo page p-0, p-1 … shows, in page order.
QStringList photoPageNames(const QString& dir, int count) {
    QStringList names;
    for (int k = 0; k < count; ++k)
        names << QString::fromLatin1(lineWith(dir + QString("p-%1.html").arg(k), "<h1"))
                     .section("class=\"pd0\">", 1)
                     .section('<', 0, 0);
    return names;
}

// What every thumbnail page of the album shows: its caption, then its photos' names.
QStringList thumbnailPages(const QString& dir, int pages) {
    static const QRegularExpression photo(" alt=\"([^\"]+)\"");
    QStringList result;
    for (int k = 1; k <= pages; ++k) {
        const QString page = dir + QString("main-%1.html").arg(k);
        QString text =
            QString::fromLatin1(lineWith(page, "<h2")).section('>', 1).section('<', 0, 0);
        for (const QByteArray& line : fileLines(page))
            if (line.startsWith(" <td class=\"td2\"><a"))
                text += " " + photo.match(QString::fromLatin1(line)).captured(1);
        result << text;
    }
    return result;
}

} // namespace

class CategoriesTest : public QObject {
    Q_OBJECT
private slots:
    void grouping_data();
    void grouping();
    void perPageCorrection_data();
    void perPageCorrection();
    void fixedCountPages_data();
    void fixedCountPages();
    void directoryPages_data();
    void directoryPages();
    void randomPictureComesFromItsCategory();
};

void CategoriesTest::grouping_data() {
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("grouped");
    QTest::addColumn<QStringList>("records");

    QTest::newRow("Lato and Zima")
        << QStringList{"/Foto/Zima/z1.jpg", "/Foto/Lato/l1.jpg", "/Foto/Zima/z0.jpg",
                       "/Foto/Lato/l0.jpg"}
        << "pl_PL"
        << QStringList{"/Foto/Lato/l0.jpg", "/Foto/Lato/l1.jpg", "/Foto/Zima/z0.jpg",
                       "/Foto/Zima/z1.jpg"}
        << QStringList{"<nr>0</nr><dir>Lato</dir>", "<nr>2</nr><dir>Zima</dir>"};
    QTest::newRow("two directories named Lato")
        << QStringList{"/D/2007/Lato/b.jpg", "/D/2006/Lato/a.jpg"} << "pl_PL"
        << QStringList{"/D/2006/Lato/a.jpg", "/D/2007/Lato/b.jpg"}
        << QStringList{"<nr>0</nr><dir>Lato</dir>", "<nr>1</nr><dir>Lato</dir>"};
    QTest::newRow("photos in the root")
        << QStringList{"/b.jpg", "/Foto/c.jpg", "/a.jpg"} << "pl_PL"
        << QStringList{"/a.jpg", "/b.jpg", "/Foto/c.jpg"}
        << QStringList{"<nr>0</nr><dir></dir>", "<nr>2</nr><dir>Foto</dir>"};
    QTest::newRow("twelve in one directory: indexes ordered as text")
        << QStringList{"/F/k.jpg", "/F/B.jpg", "/F/c.jpg", "/F/d.jpg", "/F/e.jpg", "/F/f.jpg",
                       "/F/g.jpg", "/F/h.jpg", "/F/i.jpg", "/F/j.jpg", "/F/a.jpg", "/F/L.jpg"}
        << "pl_PL"
        << QStringList{"/F/a.jpg", "/F/B.jpg", "/F/k.jpg", "/F/L.jpg", "/F/c.jpg", "/F/d.jpg",
                       "/F/e.jpg", "/F/f.jpg", "/F/g.jpg", "/F/h.jpg", "/F/i.jpg", "/F/j.jpg"}
        << QStringList{"<nr>0</nr><dir>F</dir>"};
    QTest::newRow("Polish order of letters")
        << QStringList{"/f/Mazury/m.jpg", "/f/Łąka/l.jpg", "/f/Lato/t.jpg"} << "pl_PL"
        << QStringList{"/f/Lato/t.jpg", "/f/Łąka/l.jpg", "/f/Mazury/m.jpg"}
        << QStringList{"<nr>0</nr><dir>Lato</dir>", "<nr>1</nr><dir>Łąka</dir>",
                       "<nr>2</nr><dir>Mazury</dir>"};
    QTest::newRow("English order of letters")
        << QStringList{"/f/Mazury/m.jpg", "/f/Łąka/l.jpg", "/f/Lato/t.jpg"} << "en_GB"
        << QStringList{"/f/Łąka/l.jpg", "/f/Lato/t.jpg", "/f/Mazury/m.jpg"}
        << QStringList{"<nr>0</nr><dir>Łąka</dir>", "<nr>1</nr><dir>Lato</dir>",
                       "<nr>2</nr><dir>Mazury</dir>"};
    // Directories the collation weighs alike but for an accent or letter case still make one
    // category each, not one per photo.
    QTest::newRow("directories apart by an accent")
        << QStringList{"/f/resume/a.jpg", "/f/résumé/b.jpg", "/f/resume/c.jpg"} << "en_GB"
        << QStringList{"/f/resume/a.jpg", "/f/resume/c.jpg", "/f/résumé/b.jpg"}
        << QStringList{"<nr>0</nr><dir>resume</dir>", "<nr>2</nr><dir>résumé</dir>"};
    QTest::newRow("directories apart by letter case")
        << QStringList{"/f/lato/b.jpg", "/f/Lato/a.jpg", "/f/Lato/c.jpg"} << "pl_PL"
        << QStringList{"/f/Lato/a.jpg", "/f/Lato/c.jpg", "/f/lato/b.jpg"}
        << QStringList{"<nr>0</nr><dir>Lato</dir>", "<nr>2</nr><dir>lato</dir>"};
}

void CategoriesTest::grouping() {
    QFETCH(QStringList, paths);
    QFETCH(QString, locale);
    QFETCH(QStringList, grouped);
    QFETCH(QStringList, records);

    const DirectoryGrouping grouping =
        groupByDirectory(entriesAt(paths), photoListCollator(QLocale(locale)));
    QCOMPARE(pathsOf(grouping.photos), grouped);
    QCOMPARE(grouping.categoryRecords, records);

    // The captions of the categories are their directory names, the root's empty.
    AlbumContext context;
    context.parameters.layoutMode = layoutByDirectory;
    context.workingPhotos = grouping.photos;
    QStringList captions;
    for (const Category& category :
         planCategories(context, grouping.categoryRecords, 0, photoListCollator(QLocale(locale))))
        captions << category.caption;
    QStringList names;
    for (const QString& record : records)
        names << tagValue(record, "<dir>");
    QCOMPARE(captions, names);
}

void CategoriesTest::perPageCorrection_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("corrected");
    QTest::newRow("not set") << 0 << 45;
    QTest::newRow("negative, from a parameter file") << -3 << 45;
    QTest::newRow("more than the photos") << 100 << 45;
    QTest::newRow("all the photos") << 45 << 45;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("twenty") << 20 << 20;
}

void CategoriesTest::perPageCorrection() {
    QFETCH(int, count);
    QFETCH(int, corrected);
    QCOMPARE(correctedPerPageCount(count, 45), corrected);
}

void CategoriesTest::fixedCountPages_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<int>("photos");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("pages"); // name, caption, photos on it
    QTest::addColumn<int>("storedPerPage");

    QTest::newRow("five on one page")
        << int(layoutOnePage) << 5 << 0 << 1 << QStringList{"main.html Album 5"} << 0;
    QTest::newRow("45, 20 per page")
        << int(layoutFixedCount) << 45 << 20 << 1
        << QStringList{"main-1.html Zdjęcia 1 - 20 20", "main-2.html Zdjęcia 21 - 40 20",
                       "main-3.html Zdjęcia 41 - 45 5"}
        << 20;
    QTest::newRow("45, 20 per page, English")
        << int(layoutFixedCount) << 45 << 20 << 0
        << QStringList{"main-1.html Pictures 1 - 20 20", "main-2.html Pictures 21 - 40 20",
                       "main-3.html Pictures 41 - 45 5"}
        << 20;
    QTest::newRow("45, none per page") << int(layoutFixedCount) << 45 << 0 << 1
                                       << QStringList{"main-1.html Zdjęcia 1 - 45 45"} << 45;
    QTest::newRow("45, 100 per page") << int(layoutFixedCount) << 45 << 100 << 1
                                      << QStringList{"main-1.html Zdjęcia 1 - 45 45"} << 45;
}

void CategoriesTest::fixedCountPages() {
    QFETCH(int, layoutMode);
    QFETCH(int, photos);
    QFETCH(int, perPage);
    QFETCH(int, language);
    QFETCH(QStringList, pages);
    QFETCH(int, storedPerPage);

    QTemporaryDir root;
    QDir(root.path()).mkdir("out");
    RunInput input =
        buildInput(jpegPhotos(root.path(), "x", photos), root.path() + "/out", layoutMode);
    input.parameters.perPageCount = perPage;
    input.parameters.thumbnailKind = 1; // no page thumbnails: the pages are what matter here
    input.languageFlag = qint8(language);
    RecordingObserver observer;
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, RunOutcome::Finished);
    QCOMPARE(result.perPageCount, storedPerPage);

    const QString dir = result.albumDirectory;
    int firstPhoto = 0;
    for (const QString& page : pages) {
        const QString name = page.section(' ', 0, 0);
        const QString caption = page.section(' ', 1, -2);
        const int count = page.section(' ', -1).toInt();
        const QByteArray encodedCaption = caption.toUtf8().replace("ę", "\xea");
        QCOMPARE(lineWith(dir + name, "<h2"),
                 "<h2 align=\"center\" class=\"td02\">" + encodedCaption + "</h2>");
        QVERIFY(lineWith(result.mainPagePath, "\">" + encodedCaption + "</a>")
                    .contains("/" + name.toLatin1()));
        QVERIFY(lineWith(dir + name, "<td class=\"td2\"><a")
                    .contains(QString("href=\"p-%1.html\"").arg(firstPhoto).toLatin1()));
        for (int k = firstPhoto; k < firstPhoto + count; ++k)
            QVERIFY(lineWith(dir + QString("p-%1.html").arg(k), "index.gif")
                        .startsWith("<a href=\"" + name.toLatin1()));
        firstPhoto += count;
    }
    QCOMPARE(firstPhoto, photos);
    QVERIFY(!QFile::exists(dir + QString("p-%1.html").arg(photos)));
}

void CategoriesTest::directoryPages_data() {
    QTest::addColumn<QStringList>("sources"); // in list order
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<QStringList>("photoPages");
    QTest::addColumn<QStringList>("thumbnailPages");
    QTest::addColumn<QString>("firstPicture");

    QTest::newRow("Lato and Zima")
        << QStringList{"Zima/z1.jpg", "Lato/l1.jpg", "Zima/z0.jpg", "Lato/l0.jpg"}
        << int(layoutByDirectory) << QStringList{"l0.jpg", "l1.jpg", "z0.jpg", "z1.jpg"}
        << QStringList{"Lato l0.jpg l1.jpg", "Zima z0.jpg z1.jpg"} << "l0.jpg";
    QTest::newRow("same photos two per page: the list's order")
        << QStringList{"Zima/z1.jpg", "Lato/l1.jpg", "Zima/z0.jpg", "Lato/l0.jpg"}
        << int(layoutFixedCount) << QStringList{"z1.jpg", "l1.jpg", "z0.jpg", "l0.jpg"}
        << QStringList{"Zdjęcia 1 - 2 z1.jpg l1.jpg", "Zdjęcia 3 - 4 z0.jpg l0.jpg"} << "z1.jpg";
    QTest::newRow("two directories named Lato")
        << QStringList{"2007/Lato/a.jpg", "2006/Lato/a.jpg"} << int(layoutByDirectory)
        << QStringList{"a.jpg", "a_.jpg"} << QStringList{"Lato a.jpg", "Lato a_.jpg"} << "a.jpg";
    QStringList twelve;
    for (int i = 11; i >= 0; --i)
        twelve << QString("F/p%1.jpg").arg(i, 2, 10, QChar('0'));
    QTest::newRow("twelve in one directory")
        << twelve << int(layoutByDirectory)
        << QStringList{"p00.jpg", "p01.jpg", "p10.jpg", "p11.jpg", "p02.jpg", "p03.jpg",
                       "p04.jpg", "p05.jpg", "p06.jpg", "p07.jpg", "p08.jpg", "p09.jpg"}
        << QStringList{"F p00.jpg p01.jpg p02.jpg p03.jpg p04.jpg p05.jpg p06.jpg p07.jpg "
                       "p08.jpg p09.jpg p10.jpg p11.jpg"}
        << "p00.jpg";
}

void CategoriesTest::directoryPages() {
    QFETCH(QStringList, sources);
    QFETCH(int, layoutMode);
    QFETCH(QStringList, photoPages);
    QFETCH(QStringList, thumbnailPages);
    QFETCH(QString, firstPicture);

    QTemporaryDir root;
    QDir(root.path()).mkdir("out");
    QStringList entries;
    for (const QString& source : sources)
        entries << jpegPhoto(root.path() + "/src/" + source.section('/', 0, -2),
                             source.section('/', -1));
    RunInput input = buildInput(entries, root.path() + "/out", layoutMode);
    input.parameters.perPageCount = 2;
    input.parameters.thumbnailKind = 1;
    RecordingObserver observer;
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, RunOutcome::Finished);

    QCOMPARE(photoPageNames(result.albumDirectory, int(photoPages.size())), photoPages);
    QStringList expectedPages;
    for (const QString& page : thumbnailPages)
        expectedPages << QString::fromLatin1(page.toUtf8().replace("ę", "\xea"));
    QCOMPARE(::thumbnailPages(result.albumDirectory, int(thumbnailPages.size())), expectedPages);
    const QString firstThumbnail = "th_" + firstPicture;
    QVERIFY(lineWith(result.mainPagePath, "<img").contains(firstThumbnail.toLatin1()));
}

void CategoriesTest::randomPictureComesFromItsCategory() {
    QTemporaryDir root;
    QDir(root.path()).mkdir("out");
    const QStringList photos = jpegPhotos(root.path(), "x", 9);
    bool onlyFirsts = true;
    for (quint32 seed = 1; seed <= 6; ++seed) {
        const QString out = root.path() + QString("/out/%1").arg(seed);
        QDir().mkpath(out);
        RunInput input = buildInput(photos, out, layoutFixedCount);
        input.parameters.perPageCount = 3;
        input.parameters.thumbnailKind = 1;
        input.parameters.categorySign = signRandomPhoto;
        input.randomSeed = seed;
        RecordingObserver observer;
        const RunResult result = runAlbumBuild(input, observer);
        QCOMPARE(result.outcome, RunOutcome::Finished);
        static const QRegularExpression picture("main-(\\d)\\.html\"><img src=\"[^\"]*/th_x(\\d)");
        auto matches =
            picture.globalMatch(QString::fromLatin1(fileLines(result.mainPagePath).join('\n')));
        int categories = 0;
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            const int category = match.captured(1).toInt();
            const int photo = match.captured(2).toInt();
            QCOMPARE(photo / 3 + 1, category);
            onlyFirsts = onlyFirsts && photo % 3 == 0;
            ++categories;
        }
        QCOMPARE(categories, 3);
    }
    QVERIFY(!onlyFirsts);
}

QTEST_GUILESS_MAIN(CategoriesTest)
#include "CategoriesTest.moc"

#include "core/photos/PhotoListOrder.h"
#include "core/photos/PathParts.h"
#include "core/photos/TaggedText.h"

#include "AlbumFixtures.h"

#include <QtTest>

using albumfixtures::pathsOf;

namespace {

// Rows written as letters, the selected ones in lower case: "aBCd" is A B C D with B and C
// selected.
struct Rows {
    QStringList names;
    QList<bool> selected;
};

Rows rowsFrom(const QString& letters) {
    Rows rows;
    for (const QChar letter : letters) {
        rows.names << QString(letter.toUpper());
        rows.selected << letter.isUpper();
    }
    return rows;
}

QString lettersOf(const Rows& rows) {
    QString letters;
    for (qsizetype i = 0; i < rows.names.size(); ++i)
        letters += rows.selected[i] ? rows.names[i] : rows.names[i].toLower();
    return letters;
}

QString entryOf(const QString& path) {
    return "<n>" + path + "</n><w>10</w><h>10</h><r>1.00 KB</r>";
}

QStringList entriesOf(const QStringList& paths) {
    QStringList entries;
    for (const QString& path : paths)
        entries << entryOf(path);
    return entries;
}

} // namespace

class PhotoListOrderTest : public QObject {
    Q_OBJECT

private slots:
    void pathParts_data();
    void pathParts();
    void trailingSeparator_data();
    void trailingSeparator();
    void displayTexts_data();
    void displayTexts();
    // Upper case: selected. A block moves as a block, the selection moves with the photos,
    // and a selection at the edge it would pass blocks everything.
    void moves_data();
    void moves();
    void moveWithMismatchedFlagsChangesNothing();
    void directoryRecords();
    void sorting_data();
    void sorting();
    // Directories the collation calls equal (letter case, or accents weighed only after every
    // base letter) still form one whole group each: the records compare their directory
    // first, so index digits never interleave two directories.
    void sortingByDateTaken_data();
    void sortingByDateTaken();
    void directoriesDifferingOnlyInCaseOrAccentStayWhole_data();
    void directoriesDifferingOnlyInCaseOrAccentStayWhole();
    // A directory whose name prefixes another's: "</dn>" takes part in the comparison, so the
    // longer name's group stays whole and in one piece rather than mixing with the shorter.
    void prefixDirectoriesFormWholeGroups();
};

void PhotoListOrderTest::pathParts_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("nested") << "/home/ola/foto/a.jpg"
                            << "/home/ola/foto"
                            << "a.jpg";
    QTest::newRow("root keeps its separator") << "/x.jpg"
                                              << "/"
                                              << "x.jpg";
    QTest::newRow("dots in the directory") << "/a.b/c"
                                           << "/a.b"
                                           << "c";
    QTest::newRow("no separator") << "x.jpg"
                                  << ""
                                  << "x.jpg";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("ends with a separator") << "/photos/"
                                           << "/photos"
                                           << "";
    QTest::newRow("spaces and Polish letters") << "/Zdjęcia z wakacji/łódź 1.JPG"
                                               << "/Zdjęcia z wakacji"
                                               << "łódź 1.JPG";
}

void PhotoListOrderTest::pathParts() {
    QFETCH(QString, path);
    QFETCH(QString, directory);
    QFETCH(QString, fileName);
    QCOMPARE(directoryPart(path), directory);
    QCOMPARE(fileNamePart(path), fileName);
}

void PhotoListOrderTest::trailingSeparator_data() {
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("expected");
    QTest::newRow("added") << "/home/ola/Album"
                           << "/home/ola/Album/";
    QTest::newRow("root stays a root") << "/"
                                       << "/";
    QTest::newRow("already there") << "/home/ola/Album/"
                                   << "/home/ola/Album/";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void PhotoListOrderTest::trailingSeparator() {
    QFETCH(QString, directory);
    QFETCH(QString, expected);
    QCOMPARE(withTrailingSeparator(directory), expected);
}

void PhotoListOrderTest::displayTexts_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("fullPath");
    QTest::newRow("JPEG entry") << entryOf("/foto/lato/a.jpg") << "a.jpg"
                                << "/foto/lato/a.jpg";
    QTest::newRow("GIF entry") << "<n>/foto/b.gif</n><r>512.00 B</r><ns>"
                               << "b.gif"
                               << "/foto/b.gif";
    QTest::newRow("in the root") << entryOf("/c.bmp") << "c.bmp"
                                 << "/c.bmp";
    QTest::newRow("not an entry") << "garbage"
                                  << ""
                                  << "";
}

void PhotoListOrderTest::displayTexts() {
    QFETCH(QString, entry);
    QFETCH(QString, fileName);
    QFETCH(QString, fullPath);
    QCOMPARE(displayText(entry, DisplayMode::FileName), fileName);
    QCOMPARE(displayText(entry, DisplayMode::FullPath), fullPath);
}

void PhotoListOrderTest::moves_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("afterUp");
    QTest::addColumn<QString>("afterDown");
    QTest::newRow("B and C selected") << "aBCd"
                                      << "BCad"
                                      << "adBC";
    QTest::newRow("A and C selected: first row blocks up") << "AbCd"
                                                           << "AbCd"
                                                           << "bAdC";
    QTest::newRow("last row blocks down") << "abcD"
                                          << "abDc"
                                          << "abcD";
    QTest::newRow("two apart") << "aBcDe"
                               << "BaDce"
                               << "acBeD";
    QTest::newRow("nothing selected") << "abcd"
                                      << "abcd"
                                      << "abcd";
    QTest::newRow("one row") << "A"
                             << "A"
                             << "A";
    QTest::newRow("two rows") << "aB"
                              << "Ba"
                              << "aB";
    QTest::newRow("no rows") << ""
                             << ""
                             << "";
    QTest::newRow("all selected") << "ABC"
                                  << "ABC"
                                  << "ABC";
}

void PhotoListOrderTest::moves() {
    QFETCH(QString, before);
    QFETCH(QString, afterUp);
    QFETCH(QString, afterDown);
    Rows up = rowsFrom(before);
    QCOMPARE(moveSelectedUp(up.names, up.selected), afterUp != before);
    QCOMPARE(lettersOf(up), afterUp);
    Rows down = rowsFrom(before);
    QCOMPARE(moveSelectedDown(down.names, down.selected), afterDown != before);
    QCOMPARE(lettersOf(down), afterDown);
}

void PhotoListOrderTest::moveWithMismatchedFlagsChangesNothing() {
    QStringList rows{"A", "B", "C"};
    QList<bool> selected{false, true};
    QVERIFY(!moveSelectedUp(rows, selected));
    QVERIFY(!moveSelectedDown(rows, selected));
    QCOMPARE(rows, QStringList({"A", "B", "C"}));
    QCOMPARE(selected, QList<bool>({false, true}));
}

void PhotoListOrderTest::directoryRecords() {
    QCOMPARE(directoryRecord(entryOf("/x/b.jpg"), 0), "<dn>/x</dn><dp>0</dp>");
    QCOMPARE(directoryRecord(entryOf("/b.jpg"), 12), "<dn>/</dn><dp>12</dp>");
}

void PhotoListOrderTest::sorting_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("three paths") << "en_GB" << QStringList{"/x/b.jpg", "/y/a.jpg", "/x/A.jpg"}
                                 << QStringList{"/x/A.jpg", "/x/b.jpg", "/y/a.jpg"};
    QTest::newRow("one photo") << "en_GB" << QStringList{"/z/q.jpg"} << QStringList{"/z/q.jpg"};
    QTest::newRow("no photos") << "en_GB" << QStringList{} << QStringList{};
    QTest::newRow("letter case ignored")
        << "en_GB" << QStringList{"/F/B.jpg", "/f2/a.jpg", "/F/a.gif", "/F/C.bmp"}
        << QStringList{"/F/a.gif", "/F/B.jpg", "/F/C.bmp", "/f2/a.jpg"};
    QTest::newRow("directories interleaved")
        << "en_GB" << QStringList{"/b/2.jpg", "/a/2.jpg", "/b/1.jpg", "/a/1.jpg", "/c/1.jpg"}
        << QStringList{"/a/1.jpg", "/a/2.jpg", "/b/1.jpg", "/b/2.jpg", "/c/1.jpg"};
    QTest::newRow("Polish letters in Polish order")
        << "pl_PL" << QStringList{"/ł/b.jpg", "/l/x.jpg", "/ł/ą.jpg", "/ł/a.jpg", "/m/a.jpg"}
        << QStringList{"/l/x.jpg", "/ł/a.jpg", "/ł/ą.jpg", "/ł/b.jpg", "/m/a.jpg"};
    QTest::newRow("same photo twice") << "en_GB" << QStringList{"/p/b.jpg", "/p/a.jpg", "/p/b.jpg"}
                                      << QStringList{"/p/a.jpg", "/p/b.jpg", "/p/b.jpg"};
    QTest::newRow("photos in the root") << "en_GB" << QStringList{"/r/a.jpg", "/b.jpg", "/a.jpg"}
                                        << QStringList{"/a.jpg", "/b.jpg", "/r/a.jpg"};
    // A system without a locale of its own gets the language-neutral order, not code points.
    QTest::newRow("C locale: letters first, accents after")
        << "C" << QStringList{"/z/zebra.jpg", "/z/żaba.jpg", "/z/Zdjęcie.jpg"}
        << QStringList{"/z/żaba.jpg", "/z/Zdjęcie.jpg", "/z/zebra.jpg"};
}

void PhotoListOrderTest::sorting() {
    QFETCH(QString, locale);
    QFETCH(QStringList, paths);
    QFETCH(QStringList, sorted);
    const QStringList entries = entriesOf(paths);
    const QStringList result = sortedPhotoList(entries, photoListCollator(QLocale(locale)));
    QCOMPARE(pathsOf(result), sorted);
    // Entries move whole: the same texts come back, only in another order.
    QStringList before = entries;
    QStringList after = result;
    before.sort();
    after.sort();
    QCOMPARE(after, before);
}

// Paths written as "path" or "path@date taken".
void PhotoListOrderTest::sortingByDateTaken_data() {
    QTest::addColumn<QStringList>("photos");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("dated first, across folders, then the rest by file name")
        << QStringList{"/b/z.jpg", "/a/y.jpg@2021-06-01 10:00:00",
                       "/c/B.png", "/b/x.jpg@2019-12-31 23:59:59",
                       "/a/a.gif", "/c/w.jpg@2021-06-01 09:59:59"}
        << QStringList{"/b/x.jpg", "/c/w.jpg", "/a/y.jpg", "/a/a.gif", "/c/B.png", "/b/z.jpg"};
    QTest::newRow("the same moment: by file name, then as they stood")
        << QStringList{"/p/b.jpg@2020-01-01 00:00:00", "/q/a.jpg@2020-01-01 00:00:00",
                       "/r/b.jpg@2020-01-01 00:00:00"}
        << QStringList{"/q/a.jpg", "/p/b.jpg", "/r/b.jpg"};
    QTest::newRow("a date without a time comes before that day's times")
        << QStringList{"/d/1.jpg@2020-05-05 08:00:00", "/d/2.jpg@2020-05-05"}
        << QStringList{"/d/2.jpg", "/d/1.jpg"};
}

void PhotoListOrderTest::sortingByDateTaken() {
    QFETCH(QStringList, photos);
    QFETCH(QStringList, sorted);
    QStringList entries;
    for (const QString& photo : photos) {
        const QString date = photo.section(u'@', 1);
        entries << entryOf(photo.section(u'@', 0, 0)) +
                       (date.isEmpty() ? QString() : "<dt>" + date + "</dt>");
    }
    QCOMPARE(pathsOf(sortedByDateTaken(entries, photoListCollator(QLocale("en_GB")))), sorted);
}

void PhotoListOrderTest::directoriesDifferingOnlyInCaseOrAccentStayWhole_data() {
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("letter case") << QStringList{"/Foto/b.jpg", "/foto/a.jpg", "/Foto/a.jpg"}
                                 << QStringList{"/Foto/a.jpg", "/Foto/b.jpg", "/foto/a.jpg"};
    QTest::newRow("accent") << QStringList{"/resume/b.jpg", "/résumé/a.jpg", "/resume/a.jpg",
                                           "/résumé/c.jpg"}
                            << QStringList{"/resume/a.jpg", "/resume/b.jpg", "/résumé/a.jpg",
                                           "/résumé/c.jpg"};
}

void PhotoListOrderTest::directoriesDifferingOnlyInCaseOrAccentStayWhole() {
    QFETCH(QStringList, paths);
    QFETCH(QStringList, sorted);
    const QStringList result =
        sortedPhotoList(entriesOf(paths), photoListCollator(QLocale("en_GB")));
    QCOMPARE(pathsOf(result), sorted);
}

void PhotoListOrderTest::prefixDirectoriesFormWholeGroups() {
    const QStringList entries =
        entriesOf({"/a/ab/2.jpg", "/a/a/2.jpg", "/a/ab/1.jpg", "/a/a/1.jpg"});
    const QStringList result = sortedPhotoList(entries, photoListCollator(QLocale("en_GB")));
    QCOMPARE(result.size(), 4);
    QCOMPARE(directoryPart(tagValue(result[0], "<n>")), directoryPart(tagValue(result[1], "<n>")));
    QCOMPARE(directoryPart(tagValue(result[2], "<n>")), directoryPart(tagValue(result[3], "<n>")));
    QVERIFY(tagValue(result[0], "<n>").endsWith("1.jpg"));
    QVERIFY(tagValue(result[2], "<n>").endsWith("1.jpg"));
}

QTEST_GUILESS_MAIN(PhotoListOrderTest)
#include "PhotoListOrderTest.moc"

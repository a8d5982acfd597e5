#include "core/photos/DirectoryScan.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList scanned(const QString& directory) {
    QStringList files;
    scanDirectory(directory, [&files](const QString& path) { files << path; });
    return files;
}

QStringList relativeTo(const QString& root, const QStringList& paths) {
    QStringList result;
    for (const QString& path : paths)
        result << (path.startsWith(root) ? path.mid(root.size()) : "OUTSIDE:" + path);
    return result;
}

} // namespace

class DirectoryScanTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString root() const { return dir_.path() + '/'; }
    void touch(const QString& relative) { testfiles::writeBytes(root() + relative, "x"); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup();
    // Subdirectories are entered where they are met; every name counts, hidden ones and
    // files of any kind included; names equal but for letter case follow case order.
    void depthFirstInNameOrder();
    void trailingSeparatorOrNot();
    void nothingFromWhatCannotBeRead_data();
    void nothingFromWhatCannotBeRead();
    // A link back to an ancestor would make the scan run forever and a link to / scan the
    // whole disk; they are passed over, while a link to a directory elsewhere is followed
    // like a directory, once.
    void symbolicLinks_data();
    void symbolicLinks();
    void stopsWhenAsked();
};

void DirectoryScanTest::cleanup() {
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.path());
}

void DirectoryScanTest::depthFirstInNameOrder() {
    for (const char* name :
         {"b.jpg", "A.jpg", "a.jpg", ".hidden.jpg", "sub/z.jpg", "sub/Deep/y.jpg", "sub/deep/x.jpg",
          "sub/c.txt", "C/1.gif", "_x.png", "10.jpg", "9.jpg", "Zdjęcie.bmp", "żaba.jpg"})
        touch(name);
    QDir().mkpath(root() + "empty");
    QCOMPARE(relativeTo(root(), scanned(root())),
             QStringList({".hidden.jpg", "10.jpg", "9.jpg", "_x.png", "A.jpg", "a.jpg", "b.jpg",
                          "C/1.gif", "sub/c.txt", "sub/Deep/y.jpg", "sub/deep/x.jpg", "sub/z.jpg",
                          "Zdjęcie.bmp", "żaba.jpg"}));
}

void DirectoryScanTest::trailingSeparatorOrNot() {
    touch("a.jpg");
    const QStringList expected{root() + "a.jpg"};
    QCOMPARE(scanned(root()), expected);
    QCOMPARE(scanned(dir_.path()), expected);
}

void DirectoryScanTest::nothingFromWhatCannotBeRead_data() {
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing directory") << "missing";
    QTest::newRow("a file, not a directory") << "a.jpg";
    QTest::newRow("empty path") << "";
}

void DirectoryScanTest::nothingFromWhatCannotBeRead() {
    QFETCH(QString, relative);
    touch("a.jpg");
    QCOMPARE(scanned(relative.isEmpty() ? QString() : root() + relative), QStringList());
}

void DirectoryScanTest::symbolicLinks_data() {
    QTest::addColumn<QStringList>("links"); // "name>target", target below the root or absolute
    QTest::addColumn<QStringList>("found");
    const QStringList plain{"photos/a.jpg", "photos/link.jpg", "photos/other/b.jpg"};
    QTest::newRow("a loop back to the folder") << QStringList{"photos/loop>photos"} << plain;
    QTest::newRow("a link to the root of the disk") << QStringList{"photos/disk>/"} << plain;
    QTest::newRow("a link to what holds the folder") << QStringList{"photos/up>."} << plain;
    QTest::newRow("a link into /proc") << QStringList{"photos/proc>/proc/self"} << plain;
    QTest::newRow("two links to one folder: once") << QStringList{"photos/same>elsewhere"} << plain;
    QTest::newRow("a chain of links: once")
        << QStringList{"photos/z1>photos/z2", "photos/z2>photos/z3", "photos/z3>elsewhere"}
        << plain;
}

void DirectoryScanTest::symbolicLinks() {
    QFETCH(QStringList, links);
    QFETCH(QStringList, found);
    touch("photos/a.jpg");
    touch("elsewhere/b.jpg");
    QVERIFY(QFile::link(root() + "elsewhere", root() + "photos/other"));
    QVERIFY(QFile::link(root() + "photos/a.jpg", root() + "photos/link.jpg"));
    for (const QString& link : links) {
        const QString target = link.section('>', 1);
        QVERIFY(QFile::link(target.startsWith('/') ? target : root() + target,
                            root() + link.section('>', 0, 0)));
    }
    QCOMPARE(relativeTo(root(), scanned(root() + "photos")), found);
}

void DirectoryScanTest::stopsWhenAsked() {
    for (const char* name : {"a/1.jpg", "a/2.jpg", "b/3.jpg"})
        touch(name);
    QStringList files;
    scanDirectory(
        root(), [&files](const QString& path) { files << path; },
        [&files] { return files.size() == 1; });
    QCOMPARE(relativeTo(root(), files), QStringList{"a/1.jpg"});
}

QTEST_GUILESS_MAIN(DirectoryScanTest)
#include "DirectoryScanTest.moc"

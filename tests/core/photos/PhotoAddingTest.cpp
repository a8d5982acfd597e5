#include "core/photos/PhotoAdding.h"
#include "core/photos/PhotoEntry.h"

#include "JpegFixtures.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class PhotoAddingTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // What the list takes is exactly what an entry can hold and what a photo entry is built
    // for; the rest is passed over without a word.
    void gate_data();
    void gate();
};

void PhotoAddingTest::gate_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // "jpeg", "junk", "pipe" or "missing"
    QTest::addColumn<bool>("taken");
    QTest::newRow("photo") << "a.jpg"
                           << "jpeg" << true;
    QTest::newRow("upper-case extension") << "B.JPEG"
                                          << "jpeg" << true;
    QTest::newRow("damaged GIF") << "c.gif"
                                 << "junk" << true;
    QTest::newRow("text file") << "notes.txt"
                               << "junk" << false;
    QTest::newRow("not a JPEG inside") << "d.jpg"
                                       << "junk" << false;
    QTest::newRow("opening tag in the name") << "e<n>.jpg"
                                             << "jpeg" << false;
    QTest::newRow("closing bracket in the name") << "f>.png"
                                                 << "junk" << false;
    QTest::newRow("bracket alone") << "<.gif"
                                   << "junk" << false;
    QTest::newRow("pipe named like a JPEG") << "pipe.jpg"
                                            << "pipe" << false;
    QTest::newRow("pipe named like a PNG") << "pipe.png"
                                           << "pipe" << false;
    QTest::newRow("missing JPEG") << "gone.jpg"
                                  << "missing" << false;
    QTest::newRow("missing PNG: entry without size") << "gone.png"
                                                     << "missing" << true;
}

void PhotoAddingTest::gate() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, taken);
    const QString path = dir_.filePath(name);
    if (kind == "jpeg")
        fixtures::writeFixture(dir_.path(), name, fixtures::jpegBytes(QSize(8, 8)));
    else if (kind == "junk")
        fixtures::writeFixture(dir_.path(), name, "not a picture");
    else if (kind == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const std::optional<QString> entry = entryToAdd(path, QLocale::c());
    QCOMPARE(entry.has_value(), taken);
    if (taken)
        QCOMPARE(entry, buildPhotoEntry(path, QLocale::c()));
}

QTEST_GUILESS_MAIN(PhotoAddingTest)
#include "PhotoAddingTest.moc"

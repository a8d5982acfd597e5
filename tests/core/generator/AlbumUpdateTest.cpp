#include "core/generator/AlbumUpdate.h"
#include "core/photos/PhotoEntry.h"

#include "AlbumFixtures.h"
#include "JpegFixtures.h"
#include "RecordingObserver.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace albumfixtures;

// An update in place gives the album a fresh run gives, taking over what it can, and never
// costs the album in place anything when it does not finish.
class AlbumUpdateTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void updateGivesWhatAFreshRunGives_data();
    void updateGivesWhatAFreshRunGives();
    void albumInPlaceSurvivesAnUnfinishedUpdate_data();
    void albumInPlaceSurvivesAnUnfinishedUpdate();
    void theUsersOwnFilesAreKept();

private:
    QString photo(const QString& name, int shade);
    // Photos p0.jpg … and the album of them that the test then updates.
    void makeFirstAlbum(QStringList& photos, int count, bool modern);
    RunResult update(const QStringList& photos, const QString& location, bool modern,
                     RecordingObserver& observer, int thumbnailWidth = 120);

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_src;
    QString m_out;
};

void AlbumUpdateTest::init() {
    m_root = std::make_unique<QTemporaryDir>();
    m_src = m_root->filePath("src");
    m_out = m_root->filePath("out");
    QVERIFY(QDir().mkpath(m_src) && QDir().mkpath(m_out));
}

QString AlbumUpdateTest::photo(const QString& name, int shade) {
    QImage picture = fixtures::noisePicture(QSize(96, 64));
    picture.setPixel(0, 0, qRgb(shade, shade, shade));
    const QString path = m_src + "/" + name;
    testfiles::writeBytes(path, fixtures::jpegBytes(picture));
    return path;
}

void AlbumUpdateTest::makeFirstAlbum(QStringList& photos, int count, bool modern) {
    for (int i = 0; i < count; ++i)
        photos << photo(QString("p%1.jpg").arg(i), i * 40);
    RecordingObserver first;
    QCOMPARE(update(photos, m_out, modern, first).outcome, RunOutcome::Finished);
}

RunResult AlbumUpdateTest::update(const QStringList& photos, const QString& location, bool modern,
                                  RecordingObserver& observer, int thumbnailWidth) {
    QStringList entries;
    for (const QString& path : photos)
        if (const std::optional<QString> entry = buildPhotoEntry(path))
            entries << *entry;
    RunInput input = buildInput(entries, location, layoutFixedCount);
    input.parameters.perPageCount = 2;
    input.parameters.modern.enabled = modern;
    input.parameters.thumbnailWidth = thumbnailWidth;
    input.workers = 2;
    return runAlbumUpdate(input, observer);
}

void AlbumUpdateTest::updateGivesWhatAFreshRunGives_data() {
    QTest::addColumn<bool>("modern");
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("reused"); // photos whose pictures the update takes over
    for (const bool modern : {false, true}) {
        const char* kind = modern ? "modern" : "classic";
        QTest::addRow("%s, nothing changed", kind) << modern << "none" << 4;
        QTest::addRow("%s, a photo added", kind) << modern << "add" << 4;
        QTest::addRow("%s, a photo removed", kind) << modern << "remove" << 3;
        QTest::addRow("%s, photos reordered", kind) << modern << "reorder" << 4;
        QTest::addRow("%s, a photo edited", kind) << modern << "edit" << 3;
        QTest::addRow("%s, a photo touched only", kind) << modern << "touch" << 4;
        QTest::addRow("%s, thumbnails larger", kind) << modern << "parameters" << 0;
    }
}

void AlbumUpdateTest::updateGivesWhatAFreshRunGives() {
    QFETCH(bool, modern);
    QFETCH(QString, change);
    QFETCH(int, reused);
    QStringList photos;
    makeFirstAlbum(photos, 4, modern);
    if (QTest::currentTestFailed())
        return;

    int thumbnailWidth = 120;
    if (change == "add")
        photos << photo("p9.jpg", 250);
    else if (change == "remove")
        photos.removeAt(1);
    else if (change == "reorder")
        photos = {photos[3], photos[1], photos[2], photos[0]};
    else if (change == "edit")
        photo("p2.jpg", 255);
    else if (change == "touch") {
        QFile touched(photos[1]);
        QVERIFY(touched.open(QIODevice::ReadWrite) &&
                touched.setFileTime(QDateTime::currentDateTime().addDays(1),
                                    QFileDevice::FileModificationTime));
    } else if (change == "parameters")
        thumbnailWidth = 150;

    // What an update cut short by a power cut left behind goes with the next one.
    testfiles::writeBytes(m_out + "/.kadrela-update-4194301/album-Wakacje/p0.jpg", "half");
    RecordingObserver again;
    const RunResult updated = update(photos, m_out, modern, again, thumbnailWidth);
    QCOMPARE(updated.outcome, RunOutcome::Finished);
    QCOMPARE(updated.photosReused, reused);
    const QString fresh = m_root->filePath("fresh");
    QDir().mkpath(fresh);
    RecordingObserver once;
    QCOMPARE(update(photos, fresh, modern, once, thumbnailWidth).outcome, RunOutcome::Finished);
    QCOMPARE(filesBelow(m_out), filesBelow(fresh));
    QVERIFY(treeBelow(m_out) == treeBelow(fresh));
}

void AlbumUpdateTest::albumInPlaceSurvivesAnUnfinishedUpdate_data() {
    QTest::addColumn<int>("stopAfterStep"); // -1: no stop
    QTest::addColumn<bool>("unreadable");
    for (const int step : {1, 3, 6, 9, 12, 14, 15})
        QTest::addRow("stopped after step %d", step) << step << false;
    QTest::newRow("a photo that cannot be read") << -1 << true;
}

void AlbumUpdateTest::albumInPlaceSurvivesAnUnfinishedUpdate() {
    QFETCH(int, stopAfterStep);
    QFETCH(bool, unreadable);
    QStringList photos;
    makeFirstAlbum(photos, 3, false);
    if (QTest::currentTestFailed())
        return;
    const QMap<QString, QByteArray> before = treeBelow(m_out);

    photos << photo("p3.jpg", 200);
    photo("p0.jpg", 99);
    if (unreadable) { // a header that reads, and pixels that cannot be decoded
        QByteArray jpeg = testfiles::readBytes(photos[1]);
        const qsizetype frame = jpeg.indexOf("\xff\xc0");
        for (int c = 0; c < static_cast<uchar>(jpeg[frame + 9]); ++c)
            jpeg[frame + 10 + 3 * c + 2] = 3;
        testfiles::writeBytes(photos[1], jpeg);
    }
    RecordingObserver observer;
    observer.stopAfterStep(stopAfterStep);
    const RunResult result = update(photos, m_out, false, observer);
    QCOMPARE(result.outcome, unreadable ? RunOutcome::Failed : RunOutcome::Stopped);
    QVERIFY(!leftUnfinishedAlbum(result));
    QVERIFY(treeBelow(m_out) == before);
}

// Files the user put into the album folder stay, with a record and without one (an album made
// before updates), and the user's file that the new album needs the name of stops the update.
void AlbumUpdateTest::theUsersOwnFilesAreKept() {
    const QStringList photos{photo("a.jpg", 10), photo("b.jpg", 20)};
    QStringList entries;
    for (const QString& path : photos)
        entries << *buildPhotoEntry(path);
    RecordingObserver classic;
    QCOMPARE(runAlbumBuild(buildInput(entries, m_out, layoutOnePage), classic).outcome,
             RunOutcome::Finished);
    const QString album = m_out + "/album-Wakacje/";
    testfiles::writeBytes(album + "notatki.txt", "moje");
    QDir().mkpath(album + "moje/");
    testfiles::writeBytes(album + "moje/zdjecie.jpg", "moje zdjęcie");

    for (int round = 0; round < 2; ++round) {
        RecordingObserver observer;
        RunInput input = buildInput(entries, m_out, layoutOnePage);
        QCOMPARE(runAlbumUpdate(input, observer).outcome, RunOutcome::Finished);
        QCOMPARE(testfiles::readBytes(album + "notatki.txt"), QByteArray("moje"));
        QCOMPARE(testfiles::readBytes(album + "moje/zdjecie.jpg"), QByteArray("moje zdjęcie"));
    }
    // The user's own "c.jpg", where the album now wants its copy of another c.jpg.
    testfiles::writeBytes(album + "c.jpg", "not the photo");
    entries << *buildPhotoEntry(photo("c.jpg", 30));
    const QMap<QString, QByteArray> before = treeBelow(m_out);
    RecordingObserver observer;
    const RunResult refused = runAlbumUpdate(buildInput(entries, m_out, layoutOnePage), observer);
    QCOMPARE(refused.outcome, RunOutcome::Failed);
    QVERIFY(refused.errorMessage.contains("c.jpg"));
    QVERIFY(treeBelow(m_out) == before);
}

QTEST_GUILESS_MAIN(AlbumUpdateTest)
#include "AlbumUpdateTest.moc"

#include "core/generator/AlbumRun.h"
#include "core/photos/PhotoEntry.h"

#include "AlbumFixtures.h"
#include "JpegFixtures.h"
#include "JpegVariants.h"
#include "RecordingObserver.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace albumfixtures;

// Thumbnails made by several workers give the album one thread makes, whatever happens: the
// same files with the same bytes, the same progress, the same stop, the same error.
class ThumbnailJobsTest : public QObject {
    Q_OBJECT
private slots:
    void sameAlbumWithAnyNumberOfWorkers_data();
    void sameAlbumWithAnyNumberOfWorkers();
};

void ThumbnailJobsTest::sameAlbumWithAnyNumberOfWorkers_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<int>("stopAfterStep"); // -1: no stop
    QTest::addColumn<bool>("unreadable");   // a photo whose pixels cannot be decoded
    QTest::addColumn<bool>("modern");
    const QList<QPair<const char*, int>> layouts = {{"one page", layoutOnePage},
                                                    {"three per page", layoutFixedCount},
                                                    {"by folder", layoutByDirectory}};
    for (const auto& [name, layout] : layouts) {
        QTest::addRow("%s, finished", name) << layout << -1 << false << false;
        QTest::addRow("%s, stopped while copying", name) << layout << 3 << false << false;
        QTest::addRow("%s, stopped among the thumbnails", name) << layout << 16 << false << false;
        QTest::addRow("%s, stopped on the last step", name) << layout << 23 << false << false;
        QTest::addRow("%s, a photo that cannot be read", name) << layout << -1 << true << false;
        QTest::addRow("%s, modern pages", name) << layout << -1 << false << true;
        QTest::addRow("%s, modern pages stopped", name) << layout << 16 << false << true;
    }
}

void ThumbnailJobsTest::sameAlbumWithAnyNumberOfWorkers() {
    QFETCH(int, layoutMode);
    QFETCH(int, stopAfterStep);
    QFETCH(bool, unreadable);
    QFETCH(bool, modern);
    QTemporaryDir root;
    const QString src = root.path() + "/src";
    const QImage busy = fixtures::noisePicture(QSize(320, 200));
    QStringList entries;
    const auto add = [&](const QString& relative, const QByteArray& bytes) {
        testfiles::writeBytes(src + "/" + relative, bytes);
        entries << *buildPhotoEntry(src + "/" + relative);
    };
    add("Lato/a.jpg", fixtures::jpegBytes(busy));
    add("Lato/b.jpg", fixtures::variantJpegBytes(busy, {fixtures::Sampling::Yuv420, true}));
    add("Lato/c.png", fixtures::pngBytes(QSize(40, 30)));
    add("Lato/d.bmp", fixtures::bmpBytes(QSize(70, 50)));
    add("Zima/a.jpg", fixtures::variantJpegBytes(busy, {fixtures::Sampling::Yuv444, true}));
    add("Zima/e.jpg", fixtures::jpegBytes(QSize(20, 300)));
    if (unreadable) {
        // The header reads well, but the components name a table the file never defines.
        QByteArray jpeg = fixtures::jpegBytes(QSize(64, 48));
        const qsizetype frame = jpeg.indexOf("\xff\xc0");
        for (int c = 0; c < static_cast<uchar>(jpeg[frame + 9]); ++c)
            jpeg[frame + 10 + 3 * c + 2] = 3;
        add("Zima/bad.jpg", jpeg);
    }
    add("Zima/f.jpg", fixtures::jpegBytes(busy));

    struct Made {
        RunResult result;
        RecordingObserver observer;
        QMap<QString, QByteArray> files;
    };
    const auto make = [&](int workers) {
        Made made;
        const QString out = root.path() + QString("/out%1").arg(workers);
        QDir().mkpath(out);
        RunInput input = buildInput(entries, out, layoutMode);
        input.parameters.perPageCount = 3;
        input.parameters.categorySign = signRandomPhoto;
        input.workers = workers;
        input.parameters.modern.enabled = modern;
        made.observer.stopAfterStep(stopAfterStep);
        made.result = runAlbumBuild(input, made.observer);
        made.result.errorMessage.replace(out, "<out>");
        made.files = treeBelow(out);
        return made;
    };
    const Made one = make(1);
    const Made four = make(4);
    QCOMPARE(one.result.outcome, stopAfterStep >= 0 ? RunOutcome::Stopped
                                 : unreadable       ? RunOutcome::Failed
                                                    : RunOutcome::Finished);
    QCOMPARE(four.result.outcome, one.result.outcome);
    QCOMPARE(four.result.errorMessage, one.result.errorMessage);
    QCOMPARE(four.observer.maximum, one.observer.maximum);
    QCOMPARE(four.observer.steps, one.observer.steps);
    QCOMPARE(four.observer.captions, one.observer.captions);
    QCOMPARE(four.files.keys(), one.files.keys());
    QVERIFY(four.files == one.files);
}

QTEST_GUILESS_MAIN(ThumbnailJobsTest)
#include "ThumbnailJobsTest.moc"

// Makes an album of real photos through the core and sets its wall time against the two costs
// it cannot avoid, measured on the same photos in the same run:
//   copy        the photo files copied into a fresh folder by cp
//   thumbnails  every thumbnail the album holds (one per photo, one per category) made by the
//               thumbnail maker alone
// and prints album / (thumbnails + copy). Everything else the build does (pages, the style
// sheet, grouping) should add little to that sum.
//   album_bench [photos [rounds [source-folder]]]
#include "core/generator/AlbumRun.h"
#include "core/generator/RunObserver.h"
#include "core/generator/ThumbnailMaker.h"
#include "core/photos/PhotoEntry.h"

#include "SamplePhotos.h"
#include <QCoreApplication>
#include <QDir>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Notes when each stage of the build begins, to show where the time goes.
class StageObserver : public RunObserver {
public:
    StageObserver() { m_timer.start(); }
    void setCaption(const QString& caption) override { stages.push_back({caption, seconds()}); }
    void setMaximum(int) override {}
    void step() override {}
    void pump() override {}
    bool abortRequested() const override { return false; }
    double seconds() const { return static_cast<double>(m_timer.nsecsElapsed()) / 1e9; }

    struct Stage {
        QString caption;
        double start;
    };
    std::vector<Stage> stages;

private:
    QElapsedTimer m_timer;
};

double seconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Writes back what earlier phases left dirty, so that no phase pays for another's writes.
void settle() {
    QProcess::execute(QStringLiteral("sync"), {});
}

double copyWithCp(const QStringList& photos, const QString& target) {
    QDir().mkpath(target);
    QElapsedTimer timer;
    timer.start();
    QProcess cp;
    cp.start(QStringLiteral("cp"), QStringList(photos) << target);
    cp.waitForFinished(-1);
    const double elapsed = seconds(timer);
    if (cp.exitCode() != 0)
        std::fprintf(stderr, "cp failed\n");
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const QString sourceFolder =
        argc > 3 ? QString::fromLocal8Bit(argv[3]) : defaultSamplePhotoFolder;

    const QStringList sources = jpegsUnder(sourceFolder);
    if (sources.isEmpty()) {
        std::fprintf(stderr, "no JPEG photos under %s\n", qPrintable(sourceFolder));
        return 1;
    }
    QTemporaryDir work;
    const QString photoFolder = work.filePath(QStringLiteral("photos"));
    QDir().mkpath(photoFolder);
    QStringList photos;
    qint64 bytes = 0;
    for (int i = 0; i < count; ++i) {
        const QString& source = sources.at(i % sources.size());
        const QString target = photoFolder + QStringLiteral("/%1-%2")
                                                 .arg(i, 3, 10, QLatin1Char('0'))
                                                 .arg(source.section(QLatin1Char('/'), -1));
        QFile::copy(source, target);
        photos << target;
        bytes += QFileInfo(target).size();
    }
    QStringList entries;
    for (const QString& photo : photos)
        entries << buildPhotoEntry(photo, QLocale::c()).value();

    std::printf("%d photos (copies of %lld files under %s), %.1f MB, %d rounds\n", count,
                static_cast<long long>(sources.size()), qPrintable(sourceFolder),
                static_cast<double>(bytes) / 1e6, rounds);
    // Reads every photo once, so no round pays for a cold cache that another did not.
    copyWithCp(photos, work.filePath(QStringLiteral("warm")));

    RunInput input;
    input.photoEntries = entries;
    input.albumTitle = QStringLiteral("Bench");
    input.languageFlag = 1;
    input.randomSeed = 1;

    std::vector<double> albumTimes, copyTimes, thumbnailTimes;
    for (int round = 0; round < rounds; ++round) {
        const QString roundFolder = work.filePath(QStringLiteral("round%1").arg(round));

        const QString copies = roundFolder + QStringLiteral("/copies");
        settle();
        copyTimes.push_back(copyWithCp(photos, copies));

        // The thumbnails the album holds: one per photo in the page box, and the category's
        // picture in the category box (all photos are in one folder: one category).
        const AlbumParameters& p = input.parameters;
        QStringList copiedEntries;
        for (const QString& entry : entries) {
            QString copied = entry;
            copied.replace(photoFolder, copies);
            copiedEntries << copied;
        }
        settle();
        QElapsedTimer timer;
        timer.start();
        for (const QString& entry : copiedEntries)
            makeThumbnail(entry, p.thumbnailWidth, p.thumbnailHeight, true);
        makeThumbnail(copiedEntries.first(), p.categoryThumbnailWidth, p.categoryThumbnailHeight,
                      true);
        thumbnailTimes.push_back(seconds(timer));

        input.albumLocation = roundFolder + QStringLiteral("/");
        settle();
        StageObserver observer;
        const RunResult result = runAlbumBuild(input, observer);
        albumTimes.push_back(observer.seconds());
        if (result.outcome != RunOutcome::Finished) {
            std::fprintf(stderr, "the album failed: %s\n", qPrintable(result.errorMessage));
            return 1;
        }
        const double sum = copyTimes.back() + thumbnailTimes.back();
        std::printf("round %d: album %.2f s   copy %.2f s   thumbnails %.2f s   "
                    "album / (thumbnails + copy) = %.3f\n",
                    round + 1, albumTimes.back(), copyTimes.back(), thumbnailTimes.back(),
                    albumTimes.back() / sum);
        for (std::size_t i = 0; i < observer.stages.size(); ++i) {
            const double end =
                i + 1 < observer.stages.size() ? observer.stages[i + 1].start : albumTimes.back();
            std::printf("    %-32s %.2f s\n", observer.stages[i].caption.toUtf8().constData(),
                        end - observer.stages[i].start);
        }
    }
    const double album = median(albumTimes);
    const double copy = median(copyTimes);
    const double thumbnails = median(thumbnailTimes);
    std::printf("median:  album %.2f s   copy %.2f s   thumbnails %.2f s   "
                "album / (thumbnails + copy) = %.3f (target at most 1.2)\n",
                album, copy, thumbnails, album / (copy + thumbnails));
    return 0;
}

// Builds photo entries for a folder of real photos and prints how fast that goes and how much
// of each file had to be read. Copies the photos first so that there are enough of them:
//   entry_bench [count [source-folder]]
#include "core/photos/ImageHeader.h"
#include "core/photos/PhotoEntry.h"

#include "SamplePhotos.h"
#include <QCoreApplication>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool countOk = true;
    const int count = arguments.size() > 1 ? arguments[1].toInt(&countOk) : 1000;
    const QString source = arguments.size() > 2 ? arguments[2] : defaultSamplePhotoFolder;
    if (!countOk || count <= 0) {
        std::fprintf(stderr, "usage: entry_bench [count [source-folder]]\n");
        return 2;
    }

    const QStringList originals = jpegsUnder(source);
    if (originals.isEmpty()) {
        std::fprintf(stderr, "no JPEG files under %s\n", qPrintable(source));
        return 1;
    }
    QTemporaryDir copies;
    if (!copies.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }

    QStringList paths;
    qint64 totalFileBytes = 0;
    for (int i = 0; i < count; ++i) {
        const QString& original = originals[i % originals.size()];
        const QString copy = copies.filePath(QStringLiteral("%1-%2")
                                                 .arg(i, 4, 10, QLatin1Char('0'))
                                                 .arg(QFileInfo(original).fileName()));
        if (!QFile::copy(original, copy)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(original));
            return 1;
        }
        totalFileBytes += QFileInfo(copy).size();
        paths.append(copy);
    }

    QElapsedTimer timer;
    timer.start();
    int entries = 0;
    for (const QString& path : paths)
        entries += buildPhotoEntry(path).has_value() ? 1 : 0;
    const qint64 nanoseconds = timer.nsecsElapsed();

    // A second pass, not timed, to learn how many bytes the headers took.
    qint64 totalBytesRead = 0;
    for (const QString& path : paths) {
        if (const auto dimensions = readImageDimensions(path))
            totalBytesRead += dimensions->bytesRead;
    }

    const double seconds = static_cast<double>(nanoseconds) / 1e9;
    std::printf("source:                %s (%lld JPEG files, copied to %d)\n", qPrintable(source),
                static_cast<long long>(originals.size()), count);
    std::printf("entries built:         %d of %d files\n", entries, count);
    std::printf("total time:            %.3f s\n", seconds);
    std::printf("entries per second:    %.0f\n", seconds > 0 ? entries / seconds : 0.0);
    std::printf("average bytes read:    %.0f per file\n",
                static_cast<double>(totalBytesRead) / count);
    std::printf("average file size:     %.0f bytes\n", static_cast<double>(totalFileBytes) / count);
    std::printf("share of file read:    %.4f %%\n",
                totalFileBytes > 0 ? 100.0 * totalBytesRead / totalFileBytes : 0.0);
    return entries == count ? 0 : 1;
}

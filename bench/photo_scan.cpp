// Fills the photo list from a folder of photos the way the "add a folder" button does, on an
// off-screen window, and prints how fast that goes and what it costs in memory. The folder
// is made first from hard links to copies of real photos:
//   photo_scan [count [source-folder]]
#include "gui/app/WindowState.h"
#include "gui/photos/OpenDialogMemory.h"
#include "gui/photos/PhotoListTab.h"

#include "ScriptedDesktop.h"

#include "SamplePhotos.h"
#include <QApplication>
#include <QDir>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace {

// Resident and peak resident memory of this process in KiB, from /proc/self/status.
struct Memory {
    long resident = -1;
    long peak = -1;
    qint64 heapInUse = -1; // bytes the program holds from malloc
};

Memory currentMemory() {
    Memory memory;
    memory.heapInUse = qint64(mallinfo2().uordblks);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        if (fields[0] == "VmRSS:")
            memory.resident = fields[1].toLong();
        else if (fields[0] == "VmHWM:")
            memory.peak = fields[1].toLong();
    }
    return memory;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool countOk = true;
    const int count = arguments.size() > 1 ? arguments[1].toInt(&countOk) : 10000;
    const QString source = arguments.size() > 2 ? arguments[2] : defaultSamplePhotoFolder;
    if (!countOk || count <= 0) {
        std::fprintf(stderr, "usage: photo_scan [count [source-folder]]\n");
        return 2;
    }

    const QStringList originals = jpegsUnder(source);
    if (originals.isEmpty()) {
        std::fprintf(stderr, "no JPEG files under %s\n", qPrintable(source));
        return 1;
    }
    QTemporaryDir work;
    if (!work.isValid() || !QDir(work.path()).mkdir(QStringLiteral("copies")) ||
        !QDir(work.path()).mkdir(QStringLiteral("photos"))) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    // One real copy of each photo, then hard links to it: the folder holds ten thousand
    // files without ten thousand copies on disk.
    QStringList copies;
    for (const QString& original : originals) {
        const QString copy =
            work.filePath(QStringLiteral("copies/") + QFileInfo(original).fileName());
        if (!QFile::exists(copy) && !QFile::copy(original, copy)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(original));
            return 1;
        }
        copies << copy;
    }
    const QString folder = work.filePath(QStringLiteral("photos"));
    for (int i = 0; i < count; ++i) {
        const QString& copy = copies[i % copies.size()];
        const QString name = folder + QStringLiteral("/%1-%2")
                                          .arg(i, 5, 10, QLatin1Char('0'))
                                          .arg(QFileInfo(copy).fileName());
        if (::link(QFile::encodeName(copy).constData(), QFile::encodeName(name).constData()) != 0 &&
            !QFile::copy(copy, name)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(name));
            return 1;
        }
    }

    // The folder browser answers with the prepared folder, as a person would choose it.
    ScriptedDesktop desktop;
    desktop.directoryAnswers.enqueue(folder);
    WindowState state;
    OpenDialogMemory openDialog;
    QWidget page;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    page.setFont(font);
    page.resize(500, 345);
    PhotoListTab tab(&page, desktop, state, openDialog);
    page.show();
    QCoreApplication::processEvents();

    const Memory before = currentMemory();
    QElapsedTimer timer;
    timer.start();
    tab.addDirectoryFromBrowser();
    const qint64 nanoseconds = timer.nsecsElapsed();
    const Memory after = currentMemory();

    const QStringList entries = tab.photoEntries();
    qint64 entryBytes = 0;
    for (const QString& entry : entries)
        entryBytes += entry.size() * qint64(sizeof(QChar));
    const double seconds = double(nanoseconds) / 1e9;
    const double growth = double(after.resident - before.resident) * 1024.0;
    std::printf("source:                 %s (%lld JPEG files, linked %d times)\n",
                qPrintable(source), static_cast<long long>(originals.size()), count);
    std::printf("photos in the list:     %lld of %d files\n",
                static_cast<long long>(entries.size()), count);
    std::printf("total time:             %.3f s\n", seconds);
    std::printf("photos per second:      %.0f\n",
                seconds > 0 ? double(entries.size()) / seconds : 0.0);
    std::printf("resident before scan:   %ld KiB\n", before.resident);
    std::printf("resident after scan:    %ld KiB\n", after.resident);
    std::printf("peak resident memory:   %ld KiB\n", after.peak);
    const double photos = entries.isEmpty() ? 1.0 : double(entries.size());
    std::printf("resident growth:        %.0f bytes per photo\n", growth / photos);
    std::printf("heap growth:            %.0f bytes per photo\n",
                double(after.heapInUse - before.heapInUse) / photos);
    std::printf("entry text:             %.0f bytes per photo (UTF-16)\n",
                double(entryBytes) / photos);
    return entries.size() == count ? 0 : 1;
}

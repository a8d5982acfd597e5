#include "core/generator/AlbumUpdate.h"

#include "core/files/FileNames.h"
#include "core/generator/AlbumReuse.h"
#include "core/photos/PathParts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <signal.h>

namespace {

constexpr char stagingPrefix[] = ".kadrela-update-";

struct AlbumPlace {
    QString location; // with its trailing separator
    QString directoryName;
    QString directory() const { return location + directoryName + QLatin1Char('/'); }
    QString mainPage() const { return location + directoryName + QLatin1String(".html"); }
};

AlbumPlace placeOf(const RunInput& input) {
    return {withTrailingSeparator(input.albumLocation), albumDirectoryName(input.albumTitle)};
}

bool renamePath(const QString& from, const QString& to) {
    return std::rename(encodeFileName(from).constData(), encodeFileName(to).constData()) == 0;
}

// Exchanges two folders in one step where the system can; otherwise moves the old one aside
// first (a moment in which neither is in place).
bool exchangeFolders(const QString& fresh, const QString& old) {
    const QByteArray a = encodeFileName(fresh);
    const QByteArray b = encodeFileName(old);
    if (renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    const QString aside = fresh + QLatin1String(".old");
    if (!renamePath(old, aside))
        return false;
    if (!renamePath(fresh, old)) {
        renamePath(aside, old);
        return false;
    }
    return renamePath(aside, fresh);
}

// Staging folders of updates that ended without cleaning up (a power cut): those of
// processes that are gone.
void removeAbandonedStaging(const QString& location) {
    const QStringList names = QDir(location).entryList(
        {QLatin1String(stagingPrefix) + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden);
    for (const QString& name : names) {
        bool number = false;
        const qint64 pid = name.mid(qsizetype(sizeof stagingPrefix) - 1).toLongLong(&number);
        if (number && pid != QCoreApplication::applicationPid() &&
            ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            QDir(location + name).removeRecursively();
    }
}

bool existsOrIsLink(const QString& path) {
    return pathStatus(path).exists || QFileInfo(path).isSymLink();
}

// Names only an album run gives its files: pages, the style sheet, icons, thumbnails and the
// photo pages' pictures.
bool isAlbumMadeName(const QString& name) {
    return name.endsWith(QLatin1String(".html")) || name == QLatin1String("style.css") ||
           name.endsWith(QLatin1String(".gif")) || name == QLatin1String("main.png") ||
           name.startsWith(QLatin1String("th_")) || name.startsWith(QLatin1String("th2_")) ||
           name.startsWith(QLatin1String("d_"));
}

// What in the old album folder no album run wrote (the user's own files), to be moved into
// the new one. Without a record the earlier album's own files look foreign too; where the new
// album has a file of the same name, it takes their place when the name is one only an album
// gives or the bytes are the same. Any other foreign name the new album needs stops the
// update (reason says which) before anything is moved: nothing of the user's is lost.
std::optional<QStringList> foreignFiles(const QString& oldDirectory, const QString& newDirectory,
                                        const AlbumReuse& reuse, QString& reason) {
    QStringList foreign;
    const QStringList names =
        QDir(oldDirectory)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (reuse.albumFiles().contains(name))
            continue;
        if (existsOrIsLink(newDirectory + name)) {
            if (!reuse.hasRecord() &&
                (isAlbumMadeName(name) || sameContents(oldDirectory + name, newDirectory + name)))
                continue;
            reason = QStringLiteral("%1 is not part of the album, and the new album needs its "
                                    "name. Move it away and update again; the album in place "
                                    "was left as it was.")
                         .arg(QDir::toNativeSeparators(oldDirectory + name));
            return std::nullopt;
        }
        foreign << name;
    }
    return foreign;
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

RunResult failedUpdate(RunResult result, const QString& message) {
    result.outcome = RunOutcome::Failed;
    result.errorMessage = message;
    return result;
}

} // namespace

bool albumExists(const RunInput& input) {
    const AlbumPlace place = placeOf(input);
    return pathStatus(place.directory()).exists || pathStatus(place.mainPage()).exists ||
           QFileInfo(place.mainPage()).isSymLink();
}

RunResult runAlbumUpdate(const RunInput& input, RunObserver& observer) {
    if (validateRun(input))
        return runAlbumBuild(input, observer); // refused the same way
    const AlbumPlace place = placeOf(input);
    removeAbandonedStaging(place.location);
    const AlbumPlace staging{place.location + QLatin1String(stagingPrefix) +
                                 QString::number(QCoreApplication::applicationPid()) +
                                 QLatin1Char('/'),
                             place.directoryName};
    QDir(staging.location).removeRecursively();
    if (!QDir().mkpath(staging.location)) {
        RunResult result;
        return failedUpdate(result, QStringLiteral("The folder %1 cannot be created.")
                                        .arg(QDir::toNativeSeparators(staging.location)));
    }

    const AlbumReuse reuse(place.directory(), parameterFingerprint(input.parameters));
    RunInput staged = input;
    staged.albumLocation = staging.location;
    staged.reuse = &reuse;
    staged.recordAlbum = true;
    RunResult result = runAlbumBuild(staged, observer);
    // Whatever happens, nothing of the attempt is left to erase: it is all in the staging
    // folder, which goes.
    result.before.reset();
    result.albumDirectory = place.directory();
    result.mainPagePath = place.mainPage();
    const auto abandon = [&](RunResult ended) {
        QDir(staging.location).removeRecursively();
        return ended;
    };
    if (result.outcome != RunOutcome::Finished)
        return abandon(result);
    if (!result.brokenLinks.isEmpty())
        return abandon(failedUpdate(
            result, QStringLiteral("The new album links to files that are not there; the "
                                   "album in place was left as it was.")));

    // The swap: the folder in one step, then the main page; after that the user's own files
    // of the old folder join the new one, and the old album (now in the staging folder) goes.
    const bool hadFolder = pathStatus(place.directory()).isDirectory;
    QString reason;
    const std::optional<QStringList> foreign =
        hadFolder ? foreignFiles(place.directory(), staging.directory(), reuse, reason)
                  : QStringList();
    if (!foreign)
        return abandon(failedUpdate(result, reason));
    const QString freshFolder = staging.location + staging.directoryName;
    const QString oldFolder = place.location + place.directoryName;
    if (hadFolder ? !exchangeFolders(freshFolder, oldFolder) : !renamePath(freshFolder, oldFolder))
        return abandon(
            failedUpdate(result, QStringLiteral("The album folder %1 cannot be "
                                                "replaced (%2).")
                                     .arg(QDir::toNativeSeparators(oldFolder), systemReason())));
    if (!renamePath(staging.mainPage(), place.mainPage())) {
        const QString why = systemReason();
        const bool back = hadFolder ? exchangeFolders(freshFolder, oldFolder)
                                    : renamePath(oldFolder, freshFolder);
        const RunResult failed =
            failedUpdate(result, QStringLiteral("The main page %1 cannot be replaced (%2).")
                                     .arg(QDir::toNativeSeparators(place.mainPage()), why));
        // Never delete what may be the only album left.
        return back ? abandon(failed) : failed;
    }
    QStringList notMoved;
    for (const QString& name : *foreign)
        if (!renamePath(freshFolder + QLatin1Char('/') + name, place.directory() + name))
            notMoved << QDir::toNativeSeparators(freshFolder + QLatin1Char('/') + name);
    if (!notMoved.isEmpty()) {
        result.warnings << QStringLiteral("These files could not be moved into the new album "
                                          "and were left where they are:\n%1")
                               .arg(notMoved.join(QLatin1Char('\n')));
        return result;
    }
    return abandon(result);
}

#pragma once

#include "core/params/AlbumParameters.h"

#include <QLocale>
#include <QPalette>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class AlbumReuse;
class AlbumSnapshot;
class RunObserver;

// Everything one album build reads, taken from the window when "Utwórz album" is pressed.
struct RunInput {
    QStringList photoEntries;   // the photo list, in the order shown
    AlbumParameters parameters; // perPageCount included
    QString albumTitle;
    QString albumLocation; // the chosen folder, with its trailing separator
    qint8 languageFlag = 1;
    QPalette palette;
    QLocale collationLocale;           // orders photos and directories
    std::optional<quint32> randomSeed; // the clock's when not given
    // Threads that make thumbnails: 1 makes each where a page needs it, 0 one per core.
    // The album is the same whatever the number.
    int workers = 1;
    // Files of an earlier album the run may take instead of making them again, and whether
    // the album keeps the record a later update takes them by (both for updates).
    const AlbumReuse* reuse = nullptr;
    bool recordAlbum = false;
};

// The input as the window and the command line both hand it over: what the user gave, in the
// interface language, with the system's locale ordering names and the given palette
// resolving system colours; the random seed is the clock's.
RunInput runInputFor(const QStringList& photoEntries, const AlbumParameters& parameters,
                     const QString& albumTitle, const QString& albumLocation, qint8 languageFlag,
                     const QPalette& palette);

enum class RunOutcome { Finished, Stopped, Failed };

struct RunResult {
    RunOutcome outcome = RunOutcome::Failed;
    QString errorMessage; // Failed: what went wrong, naming the file
    QStringList warnings; // shown to the user, the build went on (a missing resource)
    // Finished: links of the pages written that lead to no file ("page → target"), found by
    // the run's own check at its end. Empty for a sound album.
    QStringList brokenLinks;
    qint32 perPageCount = 0;  // as corrected by the fixed-count layout; to be stored back
    int photosReused = 0;     // photos whose pictures were taken from the earlier album
    int locationsRemoved = 0; // published copies written without the photo's location
    QString albumDirectory;   // with its trailing separator
    QString mainPagePath;
    // What lay in the album's place before the run (null when the run touched nothing).
    std::shared_ptr<const AlbumSnapshot> before;
};

// Why an album cannot be made, in the interface language; the window shows it with the
// caption "Infomracja" (English "Information").
struct RunRefusal {
    enum class Focus { None, Title, Location };
    QString message;
    Focus focus = Focus::None; // the field to go to, on the first tab page
};

// The first of the four checks that fails: layout mode, photos, title, location.
std::optional<RunRefusal> validateRun(const RunInput& input);

// "album-" + the title with blanks turned into "_", the characters no file name may hold
// removed and the Polish lower-case letters turned into plain ones.
QString albumDirectoryName(const QString& title);

// Writes the whole album, reporting to the observer and stopping at its request. Never asks
// the user anything: after a stop or a failure it is for the caller to offer
// eraseUnfinishedAlbum.
RunResult runAlbumBuild(const RunInput& input, RunObserver& observer);

// Takes back what a stopped or failed run did: every file and folder it created goes
// (read-only ones included; a symbolic link is removed, never followed) and every file it
// wrote over is as it was. What was there before the run stays, byte for byte.
void eraseUnfinishedAlbum(const RunResult& result);

// Whether a stopped or failed run left anything to erase.
bool leftUnfinishedAlbum(const RunResult& result);

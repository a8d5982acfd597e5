// kadrela-batch: makes an album from the command line, on the same core as the window's
// "Utwórz album". See batchHelpText() for the command line and the exit statuses.

#include "cli/BatchOptions.h"
#include "cli/ProgressOutput.h"
#include "core/files/FileNames.h"
#include "core/generator/AlbumRun.h"
#include "core/generator/AlbumUpdate.h"
#include "core/params/AlbumParameters.h"
#include "core/params/AlbumProject.h"
#include "core/params/ParameterFile.h"
#include "core/params/PerPageAnswer.h"
#include "core/photos/DirectoryScan.h"
#include "core/photos/JpegFile.h"
#include "core/photos/PathParts.h"
#include "core/photos/PhotoAdding.h"
#include "core/photos/PhotoListOrder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

enum ExitStatus : int {
    exitAlbumMade = 0,
    exitRefused = 1,  // the window's validation said no
    exitUnusable = 2, // the command line, an input or the parameter file
    exitFailed = 3,   // a file could not be written or a photo read
    exitStopped = 130 // SIGINT or SIGTERM
};

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

// A signal is the stop button: the build stops at its next check point and what it wrote is
// erased. A second signal of the same kind ends the program at once, for the impatient.
// A signal the caller chose to ignore (a background job) stays ignored.
void catchStopSignals() {
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        struct sigaction previous {};
        sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = requestStop;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART | SA_RESETHAND;
        sigaction(signalNumber, &action, nullptr);
    }
}

void writeLine(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void writeLine(std::FILE* stream, const QString& text) {
    writeLine(stream, encodeFileName(text)); // a path in it comes out as the bytes it names
}

// Qt's own chatter (no runtime directory, fonts, the offscreen platform) is of no use to
// someone running a script; the core itself reports nothing this way.
void dropQtChatter(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        writeLine(stderr, message);
}

int usageError(const QString& error) {
    writeLine(stderr, QStringLiteral("kadrela-batch: ") + error);
    writeLine(stderr, batchUsageLine());
    writeLine(stderr, QStringLiteral("Try 'kadrela-batch --help' for more information."));
    return exitUnusable;
}

// The path as the window gets it from a drop: absolute, without "." and "..", with the
// platform's separators.
QString absolutePath(const QString& typed) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(typed).absoluteFilePath()));
}

// Every photo the arguments name, in argument order, each through the window's gate into
// the photo list; a directory is taken as a dropped one.
QStringList photoEntries(const QStringList& inputs) {
    QStringList entries;
    const auto addPhoto = [&entries](const QString& path) {
        if (stopRequested)
            return;
        if (const std::optional<QString> entry = entryToAdd(path))
            entries << *entry;
    };
    for (const QString& input : inputs) {
        const QString path = absolutePath(input);
        if (pathStatus(path).isDirectory)
            scanDirectory(withTrailingSeparator(path), addPhoto, [] { return stopRequested != 0; });
        else
            addPhoto(path);
    }
    return entries;
}

// Where the window would leave the file alone, a script gets an error: an album with
// default parameters that nobody asked for is worse than none.
std::optional<QString> loadParameters(const QString& file, int photoCount,
                                      AlbumParameters& parameters) {
    const ParameterFileLoad load = loadParameterFile(file, parameters, photoCount);
    switch (load.outcome) {
    case ParameterFileLoad::Outcome::Loaded:
        if (!load.warnings.isEmpty())
            return load.warnings.join(QLatin1Char('\n'));
        parameters = load.parameters;
        return std::nullopt;
    case ParameterFileLoad::Outcome::StoppedAtBadColour:
        return load.error;
    case ParameterFileLoad::Outcome::NotAParameterFile:
        break;
    }
    return parameterFileRefusal(file, load);
}

ProgressOutput::Style progressStyle(bool quiet) {
    if (quiet)
        return ProgressOutput::Style::Silent;
    return isatty(fileno(stderr)) ? ProgressOutput::Style::RedrawnLine
                                  : ProgressOutput::Style::Lines;
}

QString erasedText(qint8 languageFlag) {
    return languageFlag ? QStringLiteral("Nie do końca utworzony album został skasowany.")
                        : QStringLiteral("The unfinished album was erased.");
}

// The first line of the window's stop question, without the question.
QString stoppedText(qint8 languageFlag) {
    return languageFlag ? QStringLiteral("Przerwano tworzenie albumu")
                        : QStringLiteral("Album creating stopped");
}

int makeAlbum(const BatchOptions& options) {
    // Set-up in the window's order: project, photos, parameter file, layout, per-page answer,
    // sort.
    AlbumParameters parameters; // the start values; the per-page count starts at 0
    QStringList entries;
    QString title = options.title.value_or(QString());
    QString typedLocation = options.location.value_or(QString());
    if (options.projectFile) {
        const AlbumProjectLoad project = loadAlbumProject(*options.projectFile, parameters);
        if (!project.loaded || !project.warnings.isEmpty()) {
            writeLine(stderr,
                      project.loaded ? project.warnings.join(QLatin1Char('\n')) : project.error);
            return exitUnusable;
        }
        if (!project.missing.isEmpty())
            writeLine(stderr, missingPhotosMessage(*options.projectFile, project.missing));
        entries = project.entries;
        parameters = project.project.parameters;
        if (!options.title)
            title = project.project.title;
        if (!options.location)
            typedLocation = project.project.location;
    }
    entries << photoEntries(options.inputs);
    if (stopRequested)
        return exitStopped;
    const int photoCount = static_cast<int>(entries.size());

    if (options.parameterFile) {
        if (const std::optional<QString> error =
                loadParameters(*options.parameterFile, photoCount, parameters)) {
            writeLine(stderr, *error);
            return exitUnusable;
        }
    }
    if (options.layoutMode)
        parameters.layoutMode = *options.layoutMode;
    if (options.perPageAnswer)
        parameters.perPageCount = perPageCountFromAnswer(*options.perPageAnswer, photoCount);
    if (options.sort)
        entries = sortedPhotoList(entries, photoListCollator());
    if (options.modern)
        parameters.modern.enabled = true;
    if (options.displaySize)
        parameters.modern.displayLongSide = *options.displaySize;
    if (options.keepLocation)
        parameters.modern.removeLocation = false;
    if (options.noOriginals)
        parameters.modern.publishOriginals = false;

    const QString location =
        typedLocation.isEmpty() ? QString() : withTrailingSeparator(absolutePath(typedLocation));
    RunInput input =
        runInputFor(entries, parameters, title, location, options.languageFlag, QPalette());
    input.workers = options.jobs;

    if (const std::optional<RunRefusal> refusal = validateRun(input)) {
        writeLine(stderr, refusal->message);
        return exitRefused;
    }
    if (stopRequested)
        return exitStopped;

    ProgressOutput progress(stderr, progressStyle(options.quiet), stopRequested);
    const RunResult result =
        options.update ? runAlbumUpdate(input, progress) : runAlbumBuild(input, progress);
    progress.finishLine();
    if (options.update && !options.quiet && result.outcome == RunOutcome::Finished)
        writeLine(stderr, QStringLiteral("%1 of %2 photos taken over from the album in place.")
                              .arg(result.photosReused)
                              .arg(entries.size()));
    if (!options.quiet && result.locationsRemoved > 0)
        writeLine(stderr, QStringLiteral("Location left out of %1 published photos.")
                              .arg(result.locationsRemoved));
    for (const QString& warning : result.warnings)
        writeLine(stderr, warning);

    switch (result.outcome) {
    case RunOutcome::Finished:
        writeLine(stdout, encodeFileName(QDir::toNativeSeparators(result.mainPagePath)));
        if (!result.brokenLinks.isEmpty()) {
            writeLine(stderr, QStringLiteral("The album links to files that are not there:"));
            for (const QString& link : result.brokenLinks)
                writeLine(stderr, QStringLiteral("  ") + link);
            return exitFailed;
        }
        return exitAlbumMade;
    case RunOutcome::Failed:
        writeLine(stderr, result.errorMessage);
        if (leftUnfinishedAlbum(result)) {
            // As after Ctrl+C: nobody to ask, and a half-made album is worth nothing.
            eraseUnfinishedAlbum(result);
            writeLine(stderr, erasedText(options.languageFlag));
        }
        return exitFailed;
    case RunOutcome::Stopped:
        // No one to ask: the answer is the window's "Yes, erase it".
        eraseUnfinishedAlbum(result);
        writeLine(stderr, stoppedText(options.languageFlag));
        return exitStopped;
    }
    return exitFailed;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << decodeFileName(argv[i]);

    const BatchCommand command = parseBatchArguments(arguments);
    switch (command.kind) {
    case BatchCommand::Kind::Help:
        std::fputs(batchHelpText().toLocal8Bit().constData(), stdout);
        return exitAlbumMade;
    case BatchCommand::Kind::Version:
        writeLine(stdout, QByteArray("kadrela-batch " KADRELA_VERSION));
        return exitAlbumMade;
    case BatchCommand::Kind::UsageError:
        return usageError(command.error);
    case BatchCommand::Kind::Run:
        break;
    }
    for (const QString& input : command.options.inputs) {
        if (!pathStatus(input).exists) {
            writeLine(stderr, QStringLiteral("kadrela-batch: %1: no such file or directory")
                                  .arg(QDir::toNativeSeparators(input)));
            return exitUnusable;
        }
    }

    catchStopSignals();
    keepLargeBuffersForReuse();
    qInstallMessageHandler(dropQtChatter);
    // The palette resolves the system colours a parameter file may name. The offscreen
    // platform gives Qt's own palette whatever desktop the script runs on, so the same
    // inputs always give the same album.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int guiArgc = 1;
    char* guiArgv[] = {argv[0], nullptr};
    const QGuiApplication application(guiArgc, guiArgv);

    return makeAlbum(command.options);
}

#include "core/generator/AlbumRun.h"

#include "core/app/StringTable.h"
#include "core/files/FileNames.h"
#include "core/files/FileReading.h"
#include "core/files/FileWriting.h"
#include "core/generator/AlbumContext.h"
#include "core/generator/AlbumResources.h"
#include "core/generator/AlbumReuse.h"
#include "core/generator/AlbumSnapshot.h"
#include "core/generator/Categories.h"
#include "core/generator/GenerationError.h"
#include "core/generator/LinkCheck.h"
#include "core/generator/MainPage.h"
#include "core/generator/ModernPages.h"
#include "core/generator/PhotoPage.h"
#include "core/generator/RunObserver.h"
#include "core/generator/StyleSheet.h"
#include "core/generator/ThumbnailJobs.h"
#include "core/generator/UniqueName.h"
#include "core/photos/LocationRemoval.h"
#include "core/photos/PathParts.h"
#include "core/photos/PhotoEntry.h"
#include "core/photos/PhotoListOrder.h"
#include "core/photos/TaggedText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

bool hasLayoutMode(int mode) {
    return mode == layoutOnePage || mode == layoutFixedCount || mode == layoutByDirectory;
}

quint32 clockSeed() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    return static_cast<quint32>(now) ^ static_cast<quint32>(now >> 32);
}

// One level only: the chosen location has to be there already. A directory left by an
// earlier build of the same title is used again.
void makeAlbumDirectory(const QString& albumDirectory) {
    if (QDir().mkdir(albumDirectory) || QFileInfo(albumDirectory).isDir())
        return;
    throw GenerationError(QStringLiteral("The album directory %1 cannot be created.")
                              .arg(QDir::toNativeSeparators(albumDirectory)));
}

// The copies of the photos, each under a name no earlier file has: the entries as they will
// point at them once copied.
QStringList plannedCopies(const QStringList& entries, const QString& albumDirectory,
                          QSet<QString>& reservedNames) {
    QStringList copies;
    copies.reserve(entries.size());
    for (const QString& entry : entries) {
        const QString source = tagValue(entry, QStringLiteral("<n>"));
        const QString name =
            uniqueFileName(albumDirectory, displayFileName(fileNamePart(source)), reservedNames);
        reservedNames.insert(name);
        qsizetype end = entry.indexOf(QLatin1String("</n>"));
        if (end < 0)
            end = entry.size();
        copies << QLatin1String("<n>") + albumDirectory + name + entry.mid(end);
    }
    return copies;
}

// A photo that cannot be copied ends the run: an album whose pages link to a photo that is
// not there is no album. (QFile::copy would sync every copy to the disk, which for a few
// hundred photos costs more than the copying itself.)
void copyPhoto(const QString& entry, const QString& copy) {
    const QString source = tagValue(entry, QStringLiteral("<n>"));
    const QString target = tagValue(copy, QStringLiteral("<n>"));
    if (const std::optional<CopyFailure> failure = copyToNewFile(source, target))
        throw GenerationError(failure->reading
                                  ? QStringLiteral("The photo %1 cannot be read (%2).")
                                        .arg(QDir::toNativeSeparators(source), failure->reason)
                                  : QStringLiteral("The photo %1 cannot be copied to %2 (%3).")
                                        .arg(QDir::toNativeSeparators(source),
                                             QDir::toNativeSeparators(target), failure->reason));
}

// The published copy of a photo that carries its location: the same photo without its
// location tags. One that cannot be rewritten fails the run rather than publish the location.
void copyPhotoWithoutLocation(const QString& entry, const QString& copy) {
    const QString source = tagValue(entry, QStringLiteral("<n>"));
    const QString target = tagValue(copy, QStringLiteral("<n>"));
    const std::optional<QByteArray> photo = readRegularFile(source, qint64(1) << 31);
    if (!photo)
        throw GenerationError(
            QStringLiteral("The photo %1 cannot be read.").arg(QDir::toNativeSeparators(source)));
    const std::optional<QByteArray> withoutLocation = jpegWithoutLocation(*photo);
    if (!withoutLocation)
        throw GenerationError(
            QStringLiteral("The location of the photo %1 cannot be left out of its copy.")
                .arg(QDir::toNativeSeparators(source)));
    if (const std::optional<QString> reason =
            writeFileSafely(target, *withoutLocation, IfPresent::Fail))
        throw GenerationError(
            QStringLiteral("The photo %1 cannot be copied to %2 (%3).")
                .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target), *reason));
}

void writeResource(int number, const QString& albumDirectory, const char* fileName,
                   QStringList& warnings) {
    if (const std::optional<QString> warning =
            writeAlbumResource(number, albumDirectory + QLatin1String(fileName)))
        warnings << *warning;
}

// Every page the run writes: the main page, a thumbnail page per category and, when they are
// made, a page per photo.
QStringList writtenPages(const AlbumContext& context, const QList<Category>& categories) {
    QStringList pages{mainPagePath(context)};
    if (context.parameters.modern.enabled)
        pages << context.albumDirectory + QLatin1String("index.html");
    for (const Category& category : categories)
        pages << context.albumDirectory + categoryPageName(category.number);
    if (makesPhotoPages(context.parameters))
        for (qsizetype i = 0; i < context.workingPhotos.size(); ++i)
            pages << context.albumDirectory + photoPageFileName(static_cast<int>(i));
    return pages;
}

// Modern pages: every photo's pictures planned and started now, their texts kept for the pages.
void planModernJobs(AlbumContext& context, const QList<Category>& categories,
                    const QHash<QString, QString>& sourceOfCopy, ThumbnailJobs& jobs) {
    const AlbumParameters& p = context.parameters;
    for (const Category& category : categories)
        for (const QString& entry : category.pageEntries) {
            const ModernPicturePlan plan = planModernPictures(
                entry, sourceOfCopy.value(entry), QSize(p.thumbnailWidth, p.thumbnailHeight),
                p.modern.displayLongSide, jobs.reservedNames());
            jobs.addWork(
                entry, plan.text, plan.files,
                [plan] {
                    if (!plan.error.isEmpty())
                        throw GenerationError(plan.error);
                    if (plan.images)
                        makeModernImages(*plan.images);
                },
                photoPixelCount(entry));
            context.plannedPictures.insert(entry, plan.text);
        }
}

QString copyNameOf(const QString& copyEntry) {
    return QFileInfo(tagValue(copyEntry, QStringLiteral("<n>"))).fileName();
}

// What a later update needs to take this album's files over: see AlbumReuse.
void writeAlbumRecord(const AlbumContext& context, const QStringList& working,
                      const QStringList& copies, ThumbnailJobs& thumbnails) {
    QList<PhotoRecord> photos;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        std::optional<PhotoRecord> photo =
            describeSource(tagValue(working.at(i), QStringLiteral("<n>")));
        if (!photo)
            continue;
        photo->copyName = copyNameOf(copies.at(i));
        for (const QString& file : thumbnails.filesOf(copies.at(i)))
            photo->pictureNames << QFileInfo(file).fileName();
        photos << *photo;
    }
    // The run wrote into a folder of its own: everything in it is the album's.
    QStringList albumFiles =
        QDir(context.albumDirectory)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    albumFiles << QLatin1String(albumRecordName);
    const QByteArray text =
        albumRecordText(parameterFingerprint(context.parameters), albumFiles, photos);
    if (const std::optional<QString> reason =
            writeFileSafely(context.albumDirectory + QLatin1String(albumRecordName), text))
        throw GenerationError(
            QStringLiteral("The album's record %1 cannot be written (%2).")
                .arg(context.albumDirectory + QLatin1String(albumRecordName), *reason));
}

// A photo's full-size copy is left out of a modern album that does not publish the photos,
// unless the pages show it itself (a PNG or GIF).
bool publishesCopy(const AlbumParameters& p, const QString& entry) {
    return !p.modern.enabled || p.modern.publishOriginals || entry.contains(QLatin1String("<ns>"));
}

} // namespace

RunInput runInputFor(const QStringList& photoEntries, const AlbumParameters& parameters,
                     const QString& albumTitle, const QString& albumLocation, qint8 languageFlag,
                     const QPalette& palette) {
    RunInput input;
    input.photoEntries = photoEntries;
    input.parameters = parameters;
    input.albumTitle = albumTitle;
    input.albumLocation = albumLocation;
    input.languageFlag = languageFlag;
    input.palette = palette;
    input.collationLocale = QLocale();
    return input;
}

std::optional<RunRefusal> validateRun(const RunInput& input) {
    const bool polish = input.languageFlag != 0;
    const auto refusal = [polish](const char16_t* inPolish, const char16_t* inEnglish,
                                  RunRefusal::Focus focus) {
        return RunRefusal{QString::fromUtf16(polish ? inPolish : inEnglish), focus};
    };
    if (!hasLayoutMode(input.parameters.layoutMode))
        return refusal(u"Brak ustawionego sposobu układu zdjęć w albumie",
                       u"No layout of the photos in the album is chosen", RunRefusal::Focus::None);
    if (input.photoEntries.isEmpty())
        return refusal(u"Brak zdjeć na liście", u"No photos on the list", RunRefusal::Focus::None);
    if (input.albumTitle.isEmpty())
        return refusal(u"Brak ustawionego tytułu albumu", u"No album title is given",
                       RunRefusal::Focus::Title);
    if (input.albumLocation.isEmpty())
        return refusal(u"Brak ustawionego katalogu albumu", u"No folder for the album is chosen",
                       RunRefusal::Focus::Location);
    return std::nullopt;
}

QString albumDirectoryName(const QString& title) {
    struct Replacement {
        char16_t from;
        const char16_t* to;
    };
    static const Replacement replacements[] = {
        {u' ', u"_"}, {u'/', u""},  {u'\\', u""}, {u':', u""},  {u'*', u""},  {u'?', u""},
        {u'"', u""},  {u'<', u""},  {u'>', u""},  {u'|', u""},  {u'ą', u"a"}, {u'ć', u"c"},
        {u'ę', u"e"}, {u'ł', u"l"}, {u'ń', u"n"}, {u'ó', u"o"}, {u'ż', u"z"}, {u'ź', u"z"},
    };
    QString name = title;
    for (const Replacement& r : replacements)
        name.replace(QChar(r.from), QString::fromUtf16(r.to));
    return QLatin1String("album-") + name;
}

RunResult runAlbumBuild(const RunInput& input, RunObserver& observer) {
    RunResult result;
    result.perPageCount = input.parameters.perPageCount;
    if (const std::optional<RunRefusal> refusal = validateRun(input)) {
        result.errorMessage = refusal->message;
        return result;
    }

    AlbumContext context;
    context.parameters = input.parameters;
    context.languageFlag = input.languageFlag;
    context.albumTitle = input.albumTitle;
    context.albumLocation = withTrailingSeparator(input.albumLocation);
    context.palette = input.palette;
    const AlbumParameters& p = context.parameters;
    const qint8 language = context.languageFlag;

    QRandomGenerator random(input.randomSeed.value_or(clockSeed()));
    const QCollator collator = photoListCollator(input.collationLocale);
    QStringList working = input.photoEntries;
    const int photoCount = static_cast<int>(working.size());
    const bool photoPages = makesPhotoPages(p);

    observer.setMaximum(photoPages ? 3 * photoCount + 3 : 2 * photoCount + 3);
    observer.pump();

    QStringList categoryRecords;
    if (p.layoutMode == layoutByDirectory) {
        DirectoryGrouping grouping = groupByDirectory(working, collator);
        working = std::move(grouping.photos);
        categoryRecords = std::move(grouping.categoryRecords);
    }

    context.albumDirectoryName = albumDirectoryName(context.albumTitle);
    context.albumDirectory =
        withTrailingSeparator(context.albumLocation + context.albumDirectoryName);
    result.albumDirectory = context.albumDirectory;
    result.mainPagePath = mainPagePath(context);
    result.before = std::make_shared<const AlbumSnapshot>(
        AlbumSnapshot::take(context.albumDirectory, result.mainPagePath));

    const auto stopped = [&result] {
        result.outcome = RunOutcome::Stopped;
        return result;
    };

    try {
        observer.setCaption(interfaceText(textCreatingAlbum, language));
        makeAlbumDirectory(context.albumDirectory);
        if (p.categorySign == signDefaultIcon)
            writeResource(categoryIconResource, context.albumDirectory, "main.png",
                          result.warnings);
        writeResource(homeIconResource, context.albumDirectory, "home.gif", result.warnings);
        writeResource(previousIconResource, context.albumDirectory, "prev.gif", result.warnings);
        writeResource(nextIconResource, context.albumDirectory, "next.gif", result.warnings);
        writeResource(indexIconResource, context.albumDirectory, "index.gif", result.warnings);

        // Every copy and thumbnail is named now, in the order the run makes them, so that
        // the workers can make thumbnails while the photos are copied and the pages written.
        ThumbnailJobs thumbnails(input.workers);
        const QStringList copies =
            plannedCopies(working, context.albumDirectory, thumbnails.reservedNames());
        const qint32 perPageCount = p.layoutMode == layoutFixedCount
                                        ? correctedPerPageCount(p.perPageCount, photoCount)
                                        : result.perPageCount;
        AlbumContext planned = context;
        planned.workingPhotos = copies;
        const QList<Category> categories =
            planCategories(planned, categoryRecords, perPageCount, collator);
        const bool makeFiles = makesThumbnailFiles(p);
        // Workers read the photos themselves: their copies may not be there yet (and modern
        // pages may not publish them at all).
        QHash<QString, QString> sourceOfCopy;
        if (thumbnails.workerCount() > 0 || p.modern.enabled || input.reuse)
            for (qsizetype i = 0; i < copies.size(); ++i)
                sourceOfCopy.insert(copies.at(i), tagValue(working.at(i), QStringLiteral("<n>")));
        if (input.reuse)
            thumbnails.setTakeMade(
                [&input, &sourceOfCopy](const QString& key, const QStringList& files) {
                    const QString source = sourceOfCopy.value(key);
                    return !source.isEmpty() &&
                           input.reuse->takePictures(copyNameOf(key), source, files);
                });
        if (p.modern.enabled)
            planModernJobs(context, categories, sourceOfCopy, thumbnails);
        else
            for (const Category& category : categories)
                for (const QString& entry : category.pageEntries)
                    thumbnails.add(entry, entry, p.thumbnailWidth, p.thumbnailHeight, makeFiles,
                                   sourceOfCopy.value(entry));
        context.sourceOfCopy = sourceOfCopy;
        context.thumbnails = &thumbnails;
        // The main page's pictures are drawn now and made while the pages are written.
        const QStringList pictures = categoryPictures(categories, p.categorySign, random);
        if (p.modern.enabled)
            startModernCategoryPictures(context, pictures);
        else if (thumbnails.workerCount() > 0)
            startCategoryThumbnails(p, pictures, sourceOfCopy, thumbnails);

        if (!advanceProgress(observer, interfaceText(textCopyingPhotos, language)))
            return stopped();

        for (qsizetype i = 0; i < working.size(); ++i) {
            const QString& entry = working.at(i);
            const bool withLocation = photoHasLocation(entry);
            const bool removeLocation = withLocation && p.modern.enabled && p.modern.removeLocation;
            // An earlier copy of a photo with a location may have been made with or without
            // it: only one made under the same parameters is the copy wanted now.
            const bool mayReuse = input.reuse && (!withLocation || input.reuse->sameParameters());
            if (publishesCopy(p, entry)) {
                if (!(mayReuse &&
                      input.reuse->takeCopy(copyNameOf(copies.at(i)),
                                            tagValue(entry, QStringLiteral("<n>")),
                                            tagValue(copies.at(i), QStringLiteral("<n>")))))
                    removeLocation ? copyPhotoWithoutLocation(entry, copies.at(i))
                                   : copyPhoto(entry, copies.at(i));
                result.locationsRemoved += removeLocation ? 1 : 0;
            }
            if (!advanceProgress(observer))
                return stopped();
        }
        context.workingPhotos = copies;

        observer.setCaption(interfaceText(textCreatingStyles, language));
        observer.pump();
        if (p.modern.enabled)
            writeModernStyle(context);
        else
            writeStyleSheet(context);

        if (!advanceProgress(observer, interfaceText(textCreatingIndexes, language)))
            return stopped();

        result.perPageCount = perPageCount;
        if (!writeCategoryPages(context, categories, observer))
            return stopped();

        observer.setCaption(interfaceText(textCreatingMainPage, language));
        observer.pump();
        if (!(p.modern.enabled ? writeModernMainPages(context, categories, pictures, observer)
                               : writeMainPage(context, categories, pictures, observer)))
            return stopped();

        if (!advanceProgress(observer))
            return stopped();
        // The last pump is a chance to press stop like any other.
        result.outcome = observer.abortRequested() ? RunOutcome::Stopped : RunOutcome::Finished;
        if (result.outcome == RunOutcome::Finished) {
            result.brokenLinks = brokenLinks(writtenPages(context, categories));
            if (input.recordAlbum)
                writeAlbumRecord(context, working, copies, thumbnails);
        }
        if (input.reuse)
            result.photosReused = input.reuse->picturesTaken();
    } catch (const GenerationError& error) {
        result.outcome = RunOutcome::Failed;
        result.errorMessage = error.message();
    }
    return result;
}

void eraseUnfinishedAlbum(const RunResult& result) {
    if (result.before)
        result.before->restore();
}

bool leftUnfinishedAlbum(const RunResult& result) {
    return result.before && result.before->changed();
}

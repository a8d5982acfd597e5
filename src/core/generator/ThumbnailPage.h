#pragma once

#include "core/generator/AlbumContext.h"

#include <QString>
#include <QStringList>

class RunObserver;

// The cell of one photo: photoEntry is the entry as the page got it, thumbnailText what the
// thumbnail maker returned for it. The photo's number is its position in the working list.
// Characters are left as they are; the page brings its lines into the file's form at once.
QString thumbnailCellLine(const AlbumContext& context, const QString& photoEntry,
                          const QString& thumbnailText);

// The whole page for thumbnails already made, one thumbnail text per entry. Characters are
// already in the form the file holds.
QStringList thumbnailPageLines(const AlbumContext& context, const QStringList& pageEntries,
                               const QStringList& thumbnailTexts, const QString& caption);

// Makes the thumbnails of the page's photos one by one and writes the page to pagePath,
// stepping the progress once per photo. Returns false when the user stopped it: the page is
// then not written, while the thumbnails made so far stay. Errors of the thumbnail maker and
// of the page file come out as GenerationError.
bool writeThumbnailPage(const AlbumContext& context, const QStringList& pageEntries,
                        const QString& pagePath, const QString& caption, RunObserver& observer);

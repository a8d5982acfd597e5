#pragma once

#include "core/generator/AlbumContext.h"
#include "core/generator/Categories.h"
#include "core/generator/ModernImages.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class RunObserver;
class ThumbnailJobs;

// Pages for today's screens, made instead of the classic pages when the album's modern pages
// are on: HTML5 in UTF-8 with a viewport, photo pages whose photo fits the window, thumbnails
// that wrap on a narrow screen and come in a second size for high-density screens, text
// escaped where HTML needs it, arrow keys, Escape and swipes to move between the pages (with
// links that work without scripts), and an index.html inside the album folder so that the
// folder alone is the whole album. The user's fonts, colours, frames and backgrounds come
// from style.css as in the classic album; modern.css lays the pages out.

// What a photo's modern pictures are: the thumbnail text of its pages, tagged as
// "<n>th</n><w>W</w><h>H</h><n2>th2</n2><d>display</d><dw>W</dw><dh>H</dh>", the files to
// make and how (nothing to make for a PNG or GIF, which is its own picture).
struct ModernPicturePlan {
    QString text;
    QStringList files;
    std::optional<ModernImagePlan> images;
    QString error; // why none can be made; raised when taken
};

// Plans the pictures of a photo entry (its copy in the album) read from sourcePath, the
// thumbnails fitted to the box, names free of the reserved ones (which gain them).
ModernPicturePlan planModernPictures(const QString& entry, const QString& sourcePath,
                                     QSize thumbnailBox, int displayLongSide,
                                     QSet<QString>& reservedNames);

QStringList modernStyleLines(const AlbumContext& context);
// The main page: beside the album folder, or its index.html inside it.
QStringList modernMainPageLines(const AlbumContext& context, const QList<Category>& categories,
                                const QStringList& thumbnailTexts, bool insideAlbum);
QStringList modernThumbnailPageLines(const AlbumContext& context, const QStringList& pageEntries,
                                     const QStringList& thumbnailTexts, const QString& caption);
QStringList modernPhotoPageLines(const AlbumContext& context, int photoNumber, int categoryPage,
                                 const QString& thumbnailText);

// The writers the run calls in the classic writers' places, with the same progress steps and
// stop points.
void writeModernStyle(const AlbumContext& context);
void writeModernPhotoPage(const AlbumContext& context, int photoNumber, int categoryPage);
bool writeModernThumbnailPage(const AlbumContext& context, const QStringList& pageEntries,
                              const QString& pagePath, const QString& caption,
                              RunObserver& observer);
// Starts the main page's category pictures not started yet (context.thumbnails is set), after
// every photo's pictures are planned.
void startModernCategoryPictures(const AlbumContext& context, const QStringList& categoryPictures);
bool writeModernMainPages(const AlbumContext& context, const QList<Category>& categories,
                          const QStringList& categoryPictures, const RunObserver& observer);

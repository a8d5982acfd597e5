#pragma once

#include "core/params/AlbumParameters.h"

#include <QHash>
#include <QPalette>
#include <QString>
#include <QStringList>

class ThumbnailJobs;

// What every writer of one album build reads: the parameters as they stood when the build
// started, the interface language of the texts written into the album, and where it goes.
struct AlbumContext {
    AlbumParameters parameters;
    qint8 languageFlag = 0;     // 0 English, 1 Polish
    QString albumTitle;         // as typed, used in titles and headings
    QString albumLocation;      // the chosen folder, with a trailing separator
    QString albumDirectoryName; // "album-" + the cleaned title
    QString albumDirectory;     // albumLocation + albumDirectoryName + separator
    QPalette palette;           // resolves system colours for the style sheet
    QStringList workingPhotos;  // every photo entry of the album, in album order
    // The run's thumbnails, planned ahead and made by its workers; without them each
    // thumbnail is made where a page needs it.
    ThumbnailJobs* thumbnails = nullptr;
    // Modern pages: each photo entry's picture text (see planModernPictures), and the photo
    // each album copy is made from (read in its place: the copy may not be published).
    QHash<QString, QString> plannedPictures;
    QHash<QString, QString> sourceOfCopy;
};

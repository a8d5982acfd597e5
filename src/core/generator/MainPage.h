#pragma once

#include "core/generator/AlbumContext.h"
#include "core/generator/Categories.h"

#include <QList>
#include <QString>
#include <QStringList>

class RunObserver;

// Album location + album directory name + ".html": the main page lies beside the directory.
QString mainPagePath(const AlbumContext& context);

// The thumbnail text every category shows with the default category icon.
QString defaultIconThumbnailText();

// One thumbnail text per category picture: the default icon, or a thumbnail made through the
// thumbnail maker in the category box. Called after every thumbnail page is written, so a
// picture whose page thumbnail exists already gets a name of its own ("_").
// With thumbnail jobs the pictures are made by their workers, side by side.
QStringList categoryThumbnailTexts(const AlbumParameters& parameters,
                                   const QStringList& categoryPictures,
                                   ThumbnailJobs* thumbnails = nullptr);

// Every line of the main page, one thumbnail text per category, characters already in the
// form the file holds.
QStringList mainPageLines(const AlbumContext& context, const QList<Category>& categories,
                          const QStringList& thumbnailTexts);

// Makes the category thumbnails and writes the main page. Returns false when the user has
// asked to stop: it looks after each numbered category's cells, and then writes nothing.
bool writeMainPage(const AlbumContext& context, const QList<Category>& categories,
                   const QStringList& categoryPictures, const RunObserver& observer);

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

// The key under which thumbnail jobs hold the main page's picture of a category.
QString categoryPictureKey(qsizetype category);

// Starts the category thumbnails that are not started yet, after every page thumbnail is
// planned, so a picture whose page thumbnail is taken gets a name of its own ("_"). A
// picture is read from its source in sourceOfCopy when there is one, as its copy may not
// be written yet.
void startCategoryThumbnails(const AlbumParameters& parameters, const QStringList& categoryPictures,
                             const QHash<QString, QString>& sourceOfCopy,
                             ThumbnailJobs& thumbnails);

// One thumbnail text per category picture: the default icon, or a thumbnail made through the
// thumbnail maker in the category box. With thumbnail jobs the pictures are made by their
// workers, side by side.
QStringList categoryThumbnailTexts(const AlbumParameters& parameters,
                                   const QStringList& categoryPictures,
                                   ThumbnailJobs* thumbnails = nullptr,
                                   const QHash<QString, QString>& sourceOfCopy = {});

// Every line of the main page, one thumbnail text per category, characters already in the
// form the file holds.
QStringList mainPageLines(const AlbumContext& context, const QList<Category>& categories,
                          const QStringList& thumbnailTexts);

// Makes the category thumbnails and writes the main page. Returns false when the user has
// asked to stop: it looks after each numbered category's cells, and then writes nothing.
bool writeMainPage(const AlbumContext& context, const QList<Category>& categories,
                   const QStringList& categoryPictures, const RunObserver& observer);

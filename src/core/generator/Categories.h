#pragma once

#include "core/generator/AlbumContext.h"

#include <QCollator>
#include <QList>
#include <QString>
#include <QStringList>

class QRandomGenerator;
class RunObserver;

// "<nr>" + firstIndex + "</nr><dir>" + the last component of the directory + "</dir>"; a
// root gives an empty name.
QString categoryRecord(qsizetype firstIndex, const QString& directoryPath);

struct DirectoryGrouping {
    QStringList photos;          // the working photo list, one directory after the other
    QStringList categoryRecords; // one per directory, in the order of photos
};

// Orders the working photo list by directory, directories in the order of their paths, and
// names a category for each directory. The collator is the photo list's (photoListCollator):
// digits compare one by one, so within a directory index 10 comes before index 2.
DirectoryGrouping groupByDirectory(const QStringList& photos, const QCollator& collator);

// The photos per page the fixed-count layout works with: 0, a negative count and one above
// the number of photos all mean every photo on one page.
qint32 correctedPerPageCount(qint32 count, qsizetype photoCount);

// One category as it is about to be written.
struct Category {
    int number = 0;          // from 1; 0 for the one page of the one-page layout
    qsizetype first = 0;     // its photos are the positions first … end − 1 of the
    qsizetype end = 0;       // working photo list, the order of their photo pages
    QStringList pageEntries; // the same photos in the order their thumbnail page shows them
    QString caption;         // of the thumbnail page, and the name on the main page
};

// "main.html" for category 0, "main-" + number + ".html" otherwise.
QString categoryPageName(int number);

// The categories of the layout mode, from context.workingPhotos (grouped already in the
// by-directory mode, whose categoryRecords come from groupByDirectory). perPageCount is the
// corrected one and is read in the fixed-count mode only.
QList<Category> planCategories(const AlbumContext& context, const QStringList& categoryRecords,
                               qint32 perPageCount, const QCollator& collator);

// The photo that stands for the category on the main page: the first of the page, or, for
// the random choice, one drawn from the generator (one draw per call).
QString categoryPicture(const QStringList& pageEntries, int categorySign, QRandomGenerator& random);

// One picture per category, drawn in the categories' order.
QStringList categoryPictures(const QList<Category>& categories, int categorySign,
                             QRandomGenerator& random);

// Writes every category in turn: the photo pages of its photos (when photo pages are made),
// stepping after each, then its thumbnail page. Returns false as soon as it finds the user
// has asked to stop.
bool writeCategoryPages(const AlbumContext& context, const QList<Category>& categories,
                        RunObserver& observer);

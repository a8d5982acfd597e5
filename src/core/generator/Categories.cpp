#include "core/generator/Categories.h"

#include "core/app/StringTable.h"
#include "core/files/FileNames.h"
#include "core/generator/ModernPages.h"
#include "core/generator/PhotoPage.h"
#include "core/generator/RunObserver.h"
#include "core/generator/ThumbnailPage.h"
#include "core/photos/PathParts.h"
#include "core/photos/PhotoListOrder.h"
#include "core/photos/TaggedText.h"

#include <QRandomGenerator>

#include <algorithm>

namespace {

QString photoPath(const QString& entry) {
    return tagValue(entry, QStringLiteral("<n>"));
}

// Equal texts under the collation (letter case aside) still need a fixed order, or two runs
// over the same photos could differ.
bool collatedLess(const QCollator& collator, const QString& a, const QString& b) {
    const int order = collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

void sortCollated(QStringList& texts, const QCollator& collator) {
    std::stable_sort(texts.begin(), texts.end(), [&](const QString& a, const QString& b) {
        return collatedLess(collator, a, b);
    });
}

QString numberedCaption(qsizetype first, qsizetype last, qint8 languageFlag) {
    return interfaceText(textPicturesCaption, languageFlag) + QString::number(first) +
           QLatin1String(" - ") + QString::number(last);
}

} // namespace

QString categoryRecord(qsizetype firstIndex, const QString& directoryPath) {
    return QLatin1String("<nr>") + QString::number(firstIndex) + QLatin1String("</nr><dir>") +
           displayFileName(fileNamePart(directoryPath)) + QLatin1String("</dir>");
}

DirectoryGrouping groupByDirectory(const QStringList& photos, const QCollator& collator) {
    QStringList sorted = photos;
    sortCollated(sorted, collator);

    QStringList records;
    records.reserve(sorted.size());
    for (qsizetype j = 0; j < sorted.size(); ++j)
        records << directoryRecord(sorted.at(j), j);
    std::stable_sort(records.begin(), records.end(), [&](const QString& a, const QString& b) {
        return directoryRecordLess(collator, a, b);
    });

    DirectoryGrouping grouping;
    grouping.photos.reserve(sorted.size());
    for (const QString& record : records)
        grouping.photos << sorted.at(tagValue(record, QStringLiteral("<dp>")).toLongLong());

    QString remembered;
    for (qsizetype l = 0; l < grouping.photos.size(); ++l) {
        const QString directory = directoryPart(photoPath(grouping.photos.at(l)));
        if (directory != remembered)
            grouping.categoryRecords << categoryRecord(l, directory);
        remembered = directory;
    }
    return grouping;
}

qint32 correctedPerPageCount(qint32 count, qsizetype photoCount) {
    if (count <= 0 || count > photoCount)
        return static_cast<qint32>(photoCount);
    return count;
}

QString categoryPageName(int number) {
    return number == 0 ? QStringLiteral("main.html") : QStringLiteral("main-%1.html").arg(number);
}

QList<Category> planCategories(const AlbumContext& context, const QStringList& categoryRecords,
                               qint32 perPageCount, const QCollator& collator) {
    const QStringList& photos = context.workingPhotos;
    const qsizetype total = photos.size();
    QList<Category> categories;

    switch (context.parameters.layoutMode) {
    case layoutOnePage:
        categories << Category{0, 0, total, photos, QStringLiteral("Album")};
        break;
    case layoutFixedCount: {
        const qsizetype perPage = std::max<qsizetype>(1, perPageCount);
        int number = 1;
        for (qsizetype first = 0; first < total; first += perPage, ++number) {
            const qsizetype end = std::min(first + perPage, total);
            categories << Category{number, first, end, photos.mid(first, end - first),
                                   numberedCaption(first + 1, end, context.languageFlag)};
        }
        break;
    }
    case layoutByDirectory:
        for (qsizetype c = 0; c < categoryRecords.size(); ++c) {
            const qsizetype first =
                c == 0 ? 0 : tagValue(categoryRecords.at(c), QStringLiteral("<nr>")).toLongLong();
            const qsizetype end =
                c + 1 < categoryRecords.size()
                    ? tagValue(categoryRecords.at(c + 1), QStringLiteral("<nr>")).toLongLong()
                    : total;
            QStringList pageEntries = photos.mid(first, end - first);
            // By now every photo is a copy in the album directory: this orders the page by
            // the names of the copies.
            sortCollated(pageEntries, collator);
            categories << Category{static_cast<int>(c + 1), first, end, pageEntries,
                                   tagValue(categoryRecords.at(c), QStringLiteral("<dir>"))};
        }
        break;
    default:
        break;
    }
    return categories;
}

QString categoryPicture(const QStringList& pageEntries, int categorySign,
                        QRandomGenerator& random) {
    if (pageEntries.isEmpty())
        return {};
    if (categorySign == signRandomPhoto)
        return pageEntries.at(random.bounded(static_cast<int>(pageEntries.size())));
    return pageEntries.first();
}

QStringList categoryPictures(const QList<Category>& categories, int categorySign,
                             QRandomGenerator& random) {
    QStringList pictures;
    for (const Category& category : categories)
        pictures << categoryPicture(category.pageEntries, categorySign, random);
    return pictures;
}

bool writeCategoryPages(const AlbumContext& context, const QList<Category>& categories,
                        RunObserver& observer) {
    const bool photoPages = makesPhotoPages(context.parameters);
    for (const Category& category : categories) {
        if (photoPages) {
            for (qsizetype i = category.first; i < category.end; ++i) {
                if (context.parameters.modern.enabled)
                    writeModernPhotoPage(context, static_cast<int>(i), category.number);
                else
                    writePhotoPage(context, static_cast<int>(i), category.number);
                if (!advanceProgress(observer))
                    return false;
            }
        }
        const QString pagePath = context.albumDirectory + categoryPageName(category.number);
        if (!(context.parameters.modern.enabled
                  ? writeModernThumbnailPage(context, category.pageEntries, pagePath,
                                             category.caption, observer)
                  : writeThumbnailPage(context, category.pageEntries, pagePath, category.caption,
                                       observer)))
            return false;
        if (observer.abortRequested())
            return false;
    }
    return true;
}

#include "core/generator/ThumbnailMaker.h"

#include "core/files/FileWriting.h"
#include "core/generator/GenerationError.h"
#include "core/generator/UniqueName.h"
#include "core/photos/BmpFile.h"
#include "core/photos/JpegFile.h"
#include "core/photos/TaggedText.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>

#include <limits>

namespace {

// Every quotient goes through extended precision and is then rounded to single precision:
// thumbnail sizes that pages already rely on depend on it (in plain double arithmetic a 14 × 7
// photo would come out 49 pixels high instead of 50).
float singleQuotient(long double dividend, long double divisor) {
    return static_cast<float>(dividend / divisor);
}

// Toward zero; a value no picture can have (a zero-sized photo or
// box makes infinities and NaNs) gives 0 rather than undefined behaviour.
int truncated(float value) {
    if (!(value > 0.0f))
        return 0;
    if (value >= static_cast<float>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

QString thumbnailText(const QString& fileName, int width, int height) {
    return QStringLiteral("<n>%1</n><w>%2</w><h>%3</h>").arg(fileName).arg(width).arg(height);
}

// Only the rows nearest-neighbour sampling takes are read from the file.
QImage sampledBmpPicture(const QString& path, QSize displaySize) {
    const std::optional<QSize> size = readBmpSize(path);
    if (!size || displaySize.isEmpty())
        return {};
    std::vector<int> rows(static_cast<std::size_t>(displaySize.height()));
    for (int y = 0; y < displaySize.height(); ++y)
        rows[static_cast<std::size_t>(y)] =
            static_cast<int>(qint64(y) * size->height() / displaySize.height());
    const std::optional<QImage> band = readBmpRows(path, rows);
    if (!band)
        return {};
    return sampledPicture(*band, displaySize);
}

// The thumbnail appears under its name only once it is complete, so a failed or interrupted
// run never leaves a broken picture in the album. Nothing waits for the disk (fsync) for every
// thumbnail: that alone took longer than decoding a photo, and the worst a power cut can cost
// is a thumbnail the next run makes again.
void writeWhole(const QImage& picture, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::optional<QString> reason;
    if (!writeJpeg(picture, &buffer))
        reason = QStringLiteral("the picture cannot be encoded");
    else
        reason = writeFileSafely(path, bytes, IfPresent::Fail);
    if (reason)
        throw GenerationError(QStringLiteral("The thumbnail %1 cannot be written (%2).")
                                  .arg(QDir::toNativeSeparators(path), *reason));
}

} // namespace

QSize thumbnailDisplaySize(int photoWidth, int photoHeight, int maxWidth, int maxHeight) {
    const long double width = photoWidth;
    const long double height = photoHeight;
    const float heightAtBoxWidth = singleQuotient(height, width / maxWidth);
    const float widthAtBoxHeight = singleQuotient(width, height / maxHeight);
    const float photoRatio = singleQuotient(width, height);
    const float boxRatio = singleQuotient(maxWidth, maxHeight);
    if (photoRatio > boxRatio)
        return {maxWidth, truncated(heightAtBoxWidth)};
    if (photoRatio < boxRatio)
        return {truncated(widthAtBoxHeight), maxHeight};
    return {maxWidth, maxHeight};
}

QImage orientedPicture(const QImage& picture, int orientation) {
    switch (orientation) {
    case 2:
        return picture.mirrored(true, false);
    case 3:
        return picture.mirrored(true, true);
    case 4:
        return picture.mirrored(false, true);
    case 5:
        return picture.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return picture.transformed(QTransform().rotate(90));
    case 7:
        return picture.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8:
        return picture.transformed(QTransform().rotate(270));
    default:
        return picture;
    }
}

QImage sampledPicture(const QImage& picture, QSize size) {
    const QImage source = picture.convertToFormat(QImage::Format_RGB888);
    QImage result(size, QImage::Format_RGB888);
    if (source.isNull() || result.isNull())
        return {};
    const qint64 sourceWidth = source.width();
    const qint64 sourceHeight = source.height();
    for (int y = 0; y < size.height(); ++y) {
        const uchar* from =
            source.constScanLine(static_cast<int>(y * sourceHeight / size.height()));
        uchar* to = result.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const uchar* pixel = from + 3 * (x * sourceWidth / size.width());
            to[3 * x] = pixel[0];
            to[3 * x + 1] = pixel[1];
            to[3 * x + 2] = pixel[2];
        }
    }
    return result;
}

QImage plainThumbnailPicture(const QString& photoPath, QSize displaySize) {
    if (isBmpFileName(photoPath))
        return sampledPicture(readBmpImage(photoPath), displaySize);
    const std::optional<JpegHeader> header = readJpegHeader(photoPath);
    const std::optional<QImage> stored = readJpegImage(photoPath);
    if (!header || !stored)
        return {};
    return sampledPicture(orientedPicture(*stored, header->orientation), displaySize);
}

QImage thumbnailPicture(const QString& photoPath, QSize displaySize, QString* tooLarge) {
    if (isBmpFileName(photoPath))
        return sampledBmpPicture(photoPath, displaySize);
    return readJpegSampled(photoPath, displaySize, tooLarge).value_or(QImage());
}

ThumbnailPlan planThumbnail(const QString& photoEntry, int maxWidth, int maxHeight, bool makeFile,
                            const QSet<QString>& reservedNames) {
    ThumbnailPlan plan;
    plan.photoPath = tagValue(photoEntry, QStringLiteral("<n>"));
    plan.decodePath = plan.photoPath;
    const QFileInfo photo(plan.photoPath);
    const QString photoName = photo.fileName();
    if (photoEntry.contains(QStringLiteral("<ns>"))) {
        plan.text = thumbnailText(photoName, maxWidth, maxHeight);
        return plan;
    }
    bool widthRead = false;
    bool heightRead = false;
    const int width = tagValue(photoEntry, QStringLiteral("<w>")).toInt(&widthRead);
    const int height = tagValue(photoEntry, QStringLiteral("<h>")).toInt(&heightRead);
    if (!widthRead || !heightRead) {
        plan.error =
            QStringLiteral("The size of the photo %1 is not a number.").arg(plan.photoPath);
        return plan;
    }
    plan.size = thumbnailDisplaySize(width, height, maxWidth, maxHeight);
    if (!makeFile) {
        plan.text = thumbnailText(photoName, plan.size.width(), plan.size.height());
        return plan;
    }
    // A photo so long and narrow that one side of its thumbnail comes to nothing cannot be
    // written as a JPEG at all.
    if (plan.size.isEmpty()) {
        plan.error =
            QStringLiteral("The photo %1 is too narrow for a thumbnail.").arg(plan.photoPath);
        return plan;
    }
    QString thumbnailName = QStringLiteral("th_") + photoName;
    if (isBmpFileName(photoName))
        thumbnailName += QStringLiteral(".jpg");
    const QString directory = photo.path();
    thumbnailName = uniqueFileName(directory, thumbnailName, reservedNames);
    plan.thumbnailPath = QDir(directory).filePath(thumbnailName);
    plan.text = thumbnailText(thumbnailName, plan.size.width(), plan.size.height());
    return plan;
}

void makePlannedThumbnail(const ThumbnailPlan& plan) {
    if (!plan.error.isEmpty())
        throw GenerationError(plan.error);
    if (plan.thumbnailPath.isEmpty())
        return;
    QString tooLarge;
    const QImage picture = thumbnailPicture(plan.decodePath, plan.size, &tooLarge);
    if (picture.isNull() && !tooLarge.isEmpty())
        throw GenerationError(QStringLiteral("The photo %1 is too large for a thumbnail: %2.")
                                  .arg(plan.photoPath, tooLarge));
    if (picture.isNull())
        throw GenerationError(QStringLiteral("The photo %1 cannot be read.").arg(plan.photoPath));
    writeWhole(picture, plan.thumbnailPath);
}

QString makeThumbnail(const QString& photoEntry, int maxWidth, int maxHeight, bool makeFile) {
    const ThumbnailPlan plan = planThumbnail(photoEntry, maxWidth, maxHeight, makeFile);
    makePlannedThumbnail(plan);
    return plan.text;
}

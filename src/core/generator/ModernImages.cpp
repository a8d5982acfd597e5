#include "core/generator/ModernImages.h"

#include "core/files/FileWriting.h"
#include "core/generator/GenerationError.h"
#include "core/generator/ThumbnailMaker.h"
#include "core/photos/BmpFile.h"
#include "core/photos/JpegFile.h"

#include <QBuffer>
#include <QDir>

#include <numeric>
#include <vector>

namespace {

constexpr int displayQuality = 85;
constexpr int thumbnailQuality = 90;

bool isBmp(const QString& path) {
    return path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
}

// The picture as shown, at least as large as atLeast (as shown) where it can be decoded
// smaller than in full.
QImage shownPicture(const QString& path, QSize atLeast) {
    if (isBmp(path)) {
        const std::optional<QSize> size = readBmpSize(path);
        if (!size)
            return {};
        std::vector<int> rows(static_cast<std::size_t>(size->height()));
        std::iota(rows.begin(), rows.end(), 0);
        return readBmpRows(path, rows).value_or(QImage());
    }
    // The decoder works in the stored orientation: a quarter turn swaps the sides asked for.
    const std::optional<JpegHeader> header = readJpegHeader(path);
    if (!header)
        return {};
    const bool quarterTurn = header->orientation >= 5 && header->orientation <= 8;
    int orientation = 1;
    const std::optional<QImage> stored =
        readJpegScaled(path, quarterTurn ? atLeast.transposed() : atLeast, &orientation);
    return stored ? orientedPicture(*stored, orientation) : QImage();
}

void writeJpegFile(const QImage& picture, const QString& path, int quality,
                   const QString& photoPath) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::optional<QString> reason;
    if (!writeJpeg(picture, &buffer, quality))
        reason = QStringLiteral("the picture cannot be encoded");
    else
        reason = writeFileSafely(path, bytes, IfPresent::Fail);
    if (reason)
        throw GenerationError(QStringLiteral("The picture %1 of %2 cannot be written (%3).")
                                  .arg(QDir::toNativeSeparators(path), photoPath, *reason));
}

} // namespace

QSize fittedSize(QSize picture, QSize box) {
    if (picture.isEmpty() || box.isEmpty())
        return picture;
    if (picture.width() <= box.width() && picture.height() <= box.height())
        return picture;
    return picture.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage filteredDownscale(const QImage& picture, QSize size) {
    if (picture.size() == size)
        return picture.convertToFormat(QImage::Format_RGB888);
    // Qt's smooth scaling averages every source pixel a new pixel covers when it shrinks.
    return picture.convertToFormat(QImage::Format_RGB32)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB888);
}

void makeModernImages(const ModernImagePlan& plan) {
    const QSize doubleThumbnail = plan.thumbnailSize * 2;
    const bool withDisplay = !plan.displayPath.isEmpty();
    const QSize needed =
        withDisplay ? plan.displaySize.expandedTo(doubleThumbnail) : doubleThumbnail;
    const QImage picture = shownPicture(plan.decodePath, needed);
    if (picture.isNull())
        throw GenerationError(QStringLiteral("The photo %1 cannot be read.").arg(plan.photoPath));
    const QImage display =
        withDisplay ? filteredDownscale(picture, fittedSize(picture.size(), plan.displaySize))
                    : QImage();
    if (withDisplay)
        writeJpegFile(display, plan.displayPath, displayQuality, plan.photoPath);
    // The double size is made from the larger of the two, the single from the double.
    const QImage& source =
        withDisplay && display.width() >= doubleThumbnail.width() ? display : picture;
    const QImage large = filteredDownscale(source, doubleThumbnail.boundedTo(source.size()));
    writeJpegFile(large, plan.thumbnail2xPath, thumbnailQuality, plan.photoPath);
    writeJpegFile(filteredDownscale(large, plan.thumbnailSize), plan.thumbnailPath,
                  thumbnailQuality, plan.photoPath);
}

#include "core/generator/ModernImages.h"

#include "core/files/FileReading.h"
#include "core/files/FileWriting.h"
#include "core/generator/GenerationError.h"
#include "core/generator/ThumbnailMaker.h"
#include "core/photos/BmpFile.h"
#include "core/photos/JpegFile.h"
#include "core/photos/JpegWithoutMetadata.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>

namespace {

constexpr int displayQuality = 85;
constexpr int thumbnailQuality = 90;

// The picture as shown, at least as large as atLeast (as shown) where it can be decoded
// smaller than in full.
QImage shownPicture(const QString& path, QSize atLeast) {
    if (isBmpFileName(path))
        return readBmpImage(path);
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

void writePictureFile(const QString& path, const QByteArray& bytes, const QString& photoPath) {
    if (const std::optional<QString> reason = writeFileSafely(path, bytes, IfPresent::Fail))
        throw GenerationError(QStringLiteral("The picture %1 of %2 cannot be written (%3).")
                                  .arg(QDir::toNativeSeparators(path), photoPath, *reason));
}

void writeJpegFile(const QImage& picture, const QString& path, int quality,
                   const QString& photoPath) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeJpeg(picture, &buffer, quality))
        throw GenerationError(
            QStringLiteral("The picture %1 of %2 cannot be written (the picture cannot be "
                           "encoded).")
                .arg(QDir::toNativeSeparators(path), photoPath));
    writePictureFile(path, bytes, photoPath);
}

// A JPEG photo that is upright and fits the photo page already is its own display copy,
// once its metadata is left out: the same compressed picture, pixel for pixel, at a fraction
// of the cost of decoding and encoding it again. Empty when the photo is not such a one.
std::optional<QByteArray> photoAsDisplayCopy(const QString& path, QSize box) {
    if (isBmpFileName(path))
        return std::nullopt;
    const std::optional<JpegHeader> header = readJpegHeader(path);
    if (!header || header->orientation > 1 ||
        fittedSize(header->storedSize, box) != header->storedSize)
        return std::nullopt;
    // A file far larger than its pixels need is left to the decoder, which reads it in parts.
    const qint64 largestFile =
        qint64(header->storedSize.width()) * header->storedSize.height() * 4 +
        qint64(16) * 1024 * 1024;
    const std::optional<QByteArray> bytes = readRegularFile(path, largestFile);
    return bytes ? jpegWithoutMetadata(*bytes) : std::nullopt;
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
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    if (rgb.size() == size)
        return rgb;
    if (size.width() * 2 > rgb.width() && size.height() * 2 > rgb.height()) {
        // Down to more than half: new pixels lie less than two old ones apart, so
        // interpolating between the two nearest on each axis weighs every old pixel. It agrees
        // with Qt's area average to within rounding (55 dB and more on photos) at half its
        // cost, and libjpeg's scaling leaves the photo pages' copies in this range.
        QImage result(size, QImage::Format_RGB32);
        QPainter painter(&result);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size), rgb);
        return result;
    }
    // Further down, Qt's smooth scaling averages every old pixel a new pixel covers.
    return rgb.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void makeModernImages(const ModernImagePlan& plan) {
    const QSize doubleThumbnail = plan.thumbnailSize * 2;
    bool withDisplay = !plan.displayPath.isEmpty();
    if (withDisplay) {
        if (const std::optional<QByteArray> copy =
                photoAsDisplayCopy(plan.decodePath, plan.displaySize)) {
            writePictureFile(plan.displayPath, *copy, plan.photoPath);
            withDisplay = false; // what remains are the thumbnails
        }
    }
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

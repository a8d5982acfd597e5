#include "core/photos/PreviewPicture.h"

#include "core/files/FileReading.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>

QSize previewSize(QSize picture, QSize box) {
    if (picture.isEmpty() || box.isEmpty())
        return {};
    if (picture.width() <= box.width() && picture.height() <= box.height())
        return picture;
    const qint64 width = picture.width();
    const qint64 height = picture.height();
    // Compare the proportions in whole numbers; the side that hits the box first is the one
    // that is taken in full. A sliver still keeps one pixel, or there would be nothing to show.
    if (width * box.height() >= height * box.width())
        return QSize(box.width(), int(std::max<qint64>(1, height * box.width() / width)));
    return QSize(int(std::max<qint64>(1, width * box.height() / height)), box.height());
}

PreviewPicture loadPreviewPicture(const QString& path, QSize box) {
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, reason))
        return {{}, QStringLiteral("Cannot load the picture \"%1\": %2").arg(path, reason)};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty()) {
        return {
            {},
            QStringLiteral("Cannot load the picture \"%1\": %2").arg(path, reader.errorString())};
    }
    const bool turnedByAQuarter =
        reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize shown = turnedByAQuarter ? stored.transposed() : stored;
    const QSize fitted = previewSize(shown, box);
    if (fitted != shown)
        reader.setScaledSize(turnedByAQuarter ? fitted.transposed() : fitted);
    QImage image = reader.read();
    if (image.isNull()) {
        return {
            {},
            QStringLiteral("Cannot load the picture \"%1\": %2").arg(path, reader.errorString())};
    }
    return {image, {}};
}

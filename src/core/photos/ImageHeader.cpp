#include "core/photos/ImageHeader.h"

#include "core/files/FileReading.h"
#include "core/photos/BmpFile.h"
#include "core/photos/JpegFile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <algorithm>

namespace {

// A file named ".bmp" is read as a BMP or not at all; other formats are not guessed. What the
// thumbnails' reader refuses never gets into the list.
std::optional<ImageDimensions> readBmpDimensions(const QString& path) {
    qint64 bytesRead = -1;
    const std::optional<QSize> size = readBmpSize(path, &bytesRead);
    if (!size)
        return std::nullopt;
    return ImageDimensions{*size, bytesRead, {}};
}

std::optional<ImageDimensions> readJpegDimensions(const QString& path) {
    const std::optional<JpegHeader> header = readJpegHeader(path);
    if (!header)
        return std::nullopt;
    return ImageDimensions{header->displaySize(), header->bytesRead, header->metadata};
}

} // namespace

bool isPictureFile(const QString& path) {
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, reason))
        return false;
    static const QByteArrayList formats{"jpeg", "bmp", "png", "gif"};
    return formats.contains(QImageReader::imageFormat(&file));
}

QString fileExtension(const QString& path) {
    qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    if (QDir::separator() != QLatin1Char('/'))
        nameStart = std::max(nameStart, path.lastIndexOf(QDir::separator()) + 1);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        return {};
    return path.mid(dot).toLower();
}

std::optional<ImageDimensions> readImageDimensions(const QString& path) {
    const QString extension = fileExtension(path);
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".jpeg"))
        return readJpegDimensions(path);
    if (extension == QLatin1String(".bmp"))
        return readBmpDimensions(path);
    return std::nullopt;
}

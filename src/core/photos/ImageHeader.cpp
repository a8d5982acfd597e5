#include "core/photos/ImageHeader.h"

#include "core/files/FileReading.h"
#include "core/photos/JpegFile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <algorithm>

namespace {

std::optional<ImageDimensions> readBmpDimensions(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    QImageReader reader(&file, QByteArrayLiteral("bmp"));
    // A file named ".bmp" is read as a BMP or not at all; other formats are not guessed.
    reader.setAutoDetectImageFormat(false);
    if (!reader.canRead())
        return std::nullopt;
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return ImageDimensions{size, file.pos()};
}

std::optional<ImageDimensions> readJpegDimensions(const QString& path) {
    const std::optional<JpegHeader> header = readJpegHeader(path);
    if (!header)
        return std::nullopt;
    return ImageDimensions{header->displaySize(), header->bytesRead};
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

#include "core/photos/PhotoEntry.h"

#include "core/photos/ImageHeader.h"
#include "core/photos/SizeText.h"
#include "core/photos/TaggedText.h"

std::optional<QString> buildPhotoEntry(const QString& path, const QLocale& locale) {
    const QString extension = fileExtension(path);
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".jpeg") ||
        extension == QLatin1String(".bmp")) {
        const std::optional<ImageDimensions> dimensions = readImageDimensions(path);
        if (!dimensions)
            return std::nullopt;
        return QStringLiteral("<n>") + path + QStringLiteral("</n><w>") +
               QString::number(dimensions->size.width()) + QStringLiteral("</w><h>") +
               QString::number(dimensions->size.height()) + QStringLiteral("</h><r>") +
               fileSizeText(path, locale) + QStringLiteral("</r>");
    }
    if (extension == QLatin1String(".png") || extension == QLatin1String(".gif"))
        return QStringLiteral("<n>") + path + QStringLiteral("</n><r>") +
               fileSizeText(path, locale) + QStringLiteral("</r><ns>");
    return std::nullopt;
}

bool hasDimensions(const QString& entry) {
    return !entry.contains(QLatin1String("<ns>"));
}

qint64 photoPixelCount(const QString& entry) {
    if (!hasDimensions(entry))
        return 0;
    return tagValue(entry, QStringLiteral("<w>")).toLongLong() *
           tagValue(entry, QStringLiteral("<h>")).toLongLong();
}

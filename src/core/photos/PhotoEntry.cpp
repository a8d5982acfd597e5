#include "core/photos/PhotoEntry.h"

#include "core/photos/ImageHeader.h"
#include "core/photos/SizeText.h"
#include "core/photos/TaggedText.h"

namespace {

// Metadata texts are the photo's own and may hold anything, "<" included: they are kept with
// "&" and "<" escaped so that no text can end its tag early or look like another tag.
QString escapedValue(QString text) {
    return text.replace(u'&', QLatin1String("&amp;")).replace(u'<', QLatin1String("&lt;"));
}

QString unescapedValue(QString text) {
    return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

QString optionalTag(const QString& tag, const QString& value) {
    return value.isEmpty() ? QString() : tag + escapedValue(value) + closingTag(tag);
}

QString metadataTags(const PhotoMetadata& metadata) {
    return optionalTag(QStringLiteral("<dt>"), metadata.dateTaken) +
           optionalTag(QStringLiteral("<cap>"), metadata.caption) +
           optionalTag(QStringLiteral("<cam>"), metadata.cameraSummary()) +
           (metadata.hasLocation ? QStringLiteral("<gps>") : QString());
}

// The path comes first and is kept as it is, so it may itself hold text such as "<gps>"; the
// tags the program wrote are read only from what follows the path's closing tag. Metadata texts
// cannot hold "</n>", their "<" being escaped.
QString tagsAfterPath(const QString& entry) {
    return entry.mid(entry.lastIndexOf(QLatin1String("</n>")));
}

QString metadataValue(const QString& entry, const char* tag) {
    return unescapedValue(tagValue(tagsAfterPath(entry), QLatin1String(tag)));
}

} // namespace

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
               fileSizeText(path, locale) + QStringLiteral("</r>") +
               metadataTags(dimensions->metadata);
    }
    if (extension == QLatin1String(".png") || extension == QLatin1String(".gif"))
        return QStringLiteral("<n>") + path + QStringLiteral("</n><r>") +
               fileSizeText(path, locale) + QStringLiteral("</r><ns>");
    return std::nullopt;
}

bool hasDimensions(const QString& entry) {
    return !tagsAfterPath(entry).contains(QLatin1String("<ns>"));
}

qint64 photoPixelCount(const QString& entry) {
    if (!hasDimensions(entry))
        return 0;
    const QString tags = tagsAfterPath(entry);
    return tagValue(tags, QStringLiteral("<w>")).toLongLong() *
           tagValue(tags, QStringLiteral("<h>")).toLongLong();
}

QString photoDateTaken(const QString& entry) {
    return metadataValue(entry, "<dt>");
}

QString photoCaption(const QString& entry) {
    return metadataValue(entry, "<cap>");
}

QString photoCameraSummary(const QString& entry) {
    return metadataValue(entry, "<cam>");
}

bool photoHasLocation(const QString& entry) {
    return tagsAfterPath(entry).contains(QLatin1String("<gps>"));
}

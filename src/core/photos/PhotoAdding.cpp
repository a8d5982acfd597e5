#include "core/photos/PhotoAdding.h"

#include "core/photos/PhotoEntry.h"

#include "core/files/FileNames.h"

std::optional<QString> entryToAdd(const QString& path, const QLocale& locale) {
    if (path.contains(QLatin1Char('<')) || path.contains(QLatin1Char('>')))
        return std::nullopt;
    // A scan meets pipes, sockets and devices too; opening a pipe to read its header would
    // wait for a writer that never comes.
    if (const PathStatus status = pathStatus(path); status.exists && !status.isFile)
        return std::nullopt;
    return buildPhotoEntry(path, locale);
}

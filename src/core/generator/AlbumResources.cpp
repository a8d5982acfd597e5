#include "core/generator/AlbumResources.h"

#include "core/files/FileWriting.h"
#include "core/generator/GenerationError.h"

#include <QDir>
#include <QFile>

// The resources live in the static core library; a program linking it may not pull their
// registration in by itself.
static void registerAlbumPictures() {
    Q_INIT_RESOURCE(album_pictures);
}

std::optional<QByteArray> albumResource(int number) {
    static const bool registered = (registerAlbumPictures(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/album/%1").arg(number));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString missingResourceMessage() {
    return QStringLiteral("Nie można przeprowadzić operacji. Taki zasób nie istnieje!");
}

QString missingResourceCaption() {
    return QStringLiteral("BŁĄD!");
}

std::optional<QString> writeAlbumResource(int number, const QString& path) {
    const std::optional<QByteArray> bytes = albumResource(number);
    if (!bytes)
        return missingResourceMessage();
    if (const std::optional<QString> reason = writeFileSafely(path, *bytes))
        throw GenerationError(QStringLiteral("The file %1 cannot be written (%2).")
                                  .arg(QDir::toNativeSeparators(path), *reason));
    return std::nullopt;
}

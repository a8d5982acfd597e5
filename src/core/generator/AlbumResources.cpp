#include "core/generator/AlbumResources.h"

#include "core/generator/GenerationError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
        throw GenerationError(QStringLiteral("The file %1 cannot be written (%2).")
                                  .arg(QDir::toNativeSeparators(path), file.errorString()));
    return std::nullopt;
}

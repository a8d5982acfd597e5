#pragma once

#include "core/photos/PhotoMetadata.h"

#include <QSize>
#include <QString>

#include <optional>

struct ImageDimensions {
    QSize size;             // as the picture is displayed (a JPEG's EXIF orientation applied)
    qint64 bytesRead = -1;  // bytes taken from the file to learn it; -1 when not known
    PhotoMetadata metadata; // a JPEG's; a BMP has none
};

// Width and height of a JPEG (".jpg", ".jpeg") or BMP (".bmp") photo, learnt from its header
// alone, without decoding the picture. nullopt for other extensions and for files whose header
// is missing, cut short or invalid.
std::optional<ImageDimensions> readImageDimensions(const QString& path);

// True when the file is a regular file holding a JPEG, BMP, PNG or GIF picture, whatever its
// name says (only the start of the file is read).
bool isPictureFile(const QString& path);

// The extension of the file name, from its last "." on, lower-cased; empty without a dot.
// Dots in directory names do not count.
QString fileExtension(const QString& path);

#pragma once

#include <QByteArray>

#include <optional>

// A JPEG photo's bytes with every location tag left out (EXIF GPS and XMP exif:GPS*), the
// rest of its metadata and its compressed picture untouched. nullopt when the metadata
// cannot be read or written back; the caller then keeps the photo out of the album rather
// than publishing its location.
std::optional<QByteArray> jpegWithoutLocation(const QByteArray& jpeg);

#pragma once

#include <QByteArray>

#include <optional>

// A JPEG file as it is, without what it says about itself: the EXIF and XMP blocks (place,
// time, camera, a thumbnail of the photo), IPTC and Photoshop blocks, comments, and whatever
// follows the end of the picture (such as a video some phones append). The compressed
// picture is copied byte for byte, so its pixels stay exactly as they were. Kept: the JFIF
// block, the colour profile (ICC) and Adobe's colour-transform block, which decide how the
// pixels are read. Empty when the file is not laid out as a JPEG file must be, or when its
// picture is coded in a way browsers may not read (arithmetic coding, lossless, or samples of
// more than 8 bits).
std::optional<QByteArray> jpegWithoutMetadata(const QByteArray& jpeg);

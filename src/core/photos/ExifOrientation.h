#pragma once

#include <QByteArray>

// The orientation tag of an APP1 segment's payload ("Exif\0\0" and a TIFF structure).
// Anything missing, malformed or out of range gives 1.
int exifOrientation(const QByteArray& app1Payload);

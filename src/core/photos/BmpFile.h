#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

// BMP photos, decoded by Qt's own BMP reader. For an uncompressed BMP only the rows asked
// for are read: they are handed to the reader as a BMP of their own, with the file's own
// headers, palette and masks, so every pixel is what the reader makes of the whole file while
// a photo of any size costs no more memory than its rows.

// Width and height (a BMP stored top down has a negative height in its header: the picture
// is just as high). nullopt for anything Qt's reader refuses to decode, judged by decoding the
// first row. bytesRead, if given, learns how much of the file that took.
std::optional<QSize> readBmpSize(const QString& path, qint64* bytesRead = nullptr);

// Whether a file name names a BMP photo (by its extension, as the photo list does).
bool isBmpFileName(const QString& name);

// The whole picture, as QImage::Format_RGB888; a null image when it cannot be read.
QImage readBmpImage(const QString& path);

// The picture's rows whose numbers are given (counted from the top, in ascending order,
// repeats allowed), one under the other, as QImage::Format_RGB888. nullopt when the file
// cannot be read or the reader refuses it. A compressed BMP, whose rows cannot be found
// without reading those above them, is decoded whole within Qt's allocation limit.
std::optional<QImage> readBmpRows(const QString& path, const std::vector<int>& rows);

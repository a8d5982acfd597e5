#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Photo files made on the spot for tests: real JPEGs written by the program's own encoder,
// EXIF segments spliced in by hand, BMPs from QImage, and ways to damage them.
namespace fixtures {

enum class ByteOrder { LittleEndian, BigEndian };

// Four flat quarters, red top left, green top right, blue bottom left, white bottom right,
// so that size, colours and orientation can all be checked after a round trip.
QImage quarteredPicture(QSize size);
QColor quarterColour(int quarter); // 0 top left, 1 top right, 2 bottom left, 3 bottom right

// Noise compresses badly, which makes a large file out of a modest picture.
QImage noisePicture(QSize size, quint32 seed = 1);

QByteArray jpegBytes(const QImage& picture, int quality = 90);
QByteArray jpegBytes(QSize size);

// The payload of an APP1 segment ("Exif\0\0" and a TIFF structure whose first directory holds
// the orientation tag between two other tags).
QByteArray exifPayload(int orientation, ByteOrder order = ByteOrder::LittleEndian);
// Puts an APP1 segment with the payload right after the start-of-image marker.
QByteArray withApp1Segment(const QByteArray& jpeg, const QByteArray& payload);
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation,
                               ByteOrder order = ByteOrder::LittleEndian);

// Offset of the first byte of entropy-coded data, just after the start-of-scan segment;
// -1 when the bytes do not reach one.
qsizetype scanDataOffset(const QByteArray& jpeg);

// Puts a segment with the marker (0xe1 for APP1, 0xed for APP13) right after start of image.
QByteArray withSegment(const QByteArray& jpeg, quint8 marker, const QByteArray& payload);

QByteArray bmpBytes(QSize size);
// A BMP with a BITMAPINFOHEADER, written byte by byte so that every depth can be had.
// 1 to 8 bits index a palette of colour(i); 16 bits are 5-5-5; 24 and 32 bits store BGR(x).
// With masks, the pixels are bit fields of those masks.
QByteArray bmpFile(int bits, QSize size, bool topDown, const QList<QRgb>& palette,
                   const QList<int>& values, const QList<quint32>& masks = {});
QByteArray pngBytes(QSize size);

// Writes the bytes to dir/name and gives the path back; fails the running test on error.
QString writeFixture(const QString& dir, const QString& name, const QByteArray& bytes);

} // namespace fixtures

#include "JpegFixtures.h"

#include "core/photos/JpegFile.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>
#include <QTest>

namespace fixtures {

namespace {

class TiffWriter {
public:
    explicit TiffWriter(ByteOrder order)
        : order_(order) {}

    void u16(quint16 value) {
        char bytes[2];
        if (order_ == ByteOrder::BigEndian)
            qToBigEndian(value, bytes);
        else
            qToLittleEndian(value, bytes);
        data_.append(bytes, 2);
    }

    void u32(quint32 value) {
        char bytes[4];
        if (order_ == ByteOrder::BigEndian)
            qToBigEndian(value, bytes);
        else
            qToLittleEndian(value, bytes);
        data_.append(bytes, 4);
    }

    // A SHORT value sits left-justified in the four-byte value field.
    void shortEntry(quint16 tag, quint16 value) {
        u16(tag);
        u16(3);
        u32(1);
        u16(value);
        u16(0);
    }

    const QByteArray& data() const { return data_; }

private:
    ByteOrder order_;
    QByteArray data_;
};

} // namespace

QColor quarterColour(int quarter) {
    static const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::white};
    return colours[quarter & 3];
}

QImage quarteredPicture(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    const int halfWidth = size.width() / 2;
    const int halfHeight = size.height() / 2;
    QPainter painter(&picture);
    painter.fillRect(0, 0, halfWidth, halfHeight, quarterColour(0));
    painter.fillRect(halfWidth, 0, size.width() - halfWidth, halfHeight, quarterColour(1));
    painter.fillRect(0, halfHeight, halfWidth, size.height() - halfHeight, quarterColour(2));
    painter.fillRect(halfWidth, halfHeight, size.width() - halfWidth, size.height() - halfHeight,
                     quarterColour(3));
    return picture;
}

QImage noisePicture(QSize size, quint32 seed) {
    QRandomGenerator random(seed);
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = 0xff000000u | (random.generate() & 0xffffffu);
    }
    return picture;
}

QByteArray jpegBytes(const QImage& picture, int quality) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeJpeg(picture, &buffer, quality))
        QTest::qFail("could not encode a fixture JPEG", __FILE__, __LINE__);
    return buffer.data();
}

QByteArray jpegBytes(QSize size) {
    return jpegBytes(quarteredPicture(size));
}

QByteArray exifPayload(int orientation, ByteOrder order) {
    TiffWriter tiff(order);
    tiff.u16(order == ByteOrder::BigEndian ? 0x4d4d : 0x4949); // same bytes either way round
    tiff.u16(42);
    tiff.u32(8);
    tiff.u16(3);
    tiff.shortEntry(0x0103, 6); // compression of a thumbnail that is not there
    tiff.shortEntry(0x0112, static_cast<quint16>(orientation));
    tiff.shortEntry(0x0128, 2); // resolution unit: inches
    tiff.u32(0);                // no further directory
    return QByteArray("Exif\0\0", 6) + tiff.data();
}

QByteArray withApp1Segment(const QByteArray& jpeg, const QByteArray& payload) {
    const auto length = static_cast<quint16>(payload.size() + 2);
    QByteArray segment("\xff\xe1", 2);
    segment.append(static_cast<char>(length >> 8));
    segment.append(static_cast<char>(length & 0xff));
    segment.append(payload);
    QByteArray result = jpeg;
    result.insert(2, segment);
    return result;
}

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation, ByteOrder order) {
    return withApp1Segment(jpeg, exifPayload(orientation, order));
}

qsizetype scanDataOffset(const QByteArray& jpeg) {
    qsizetype at = 2; // after the start-of-image marker
    while (at + 4 <= jpeg.size()) {
        if (static_cast<uchar>(jpeg[at]) != 0xff)
            return -1;
        const auto marker = static_cast<uchar>(jpeg[at + 1]);
        const int length =
            (static_cast<uchar>(jpeg[at + 2]) << 8) | static_cast<uchar>(jpeg[at + 3]);
        at += 2 + length;
        if (marker == 0xda)
            return at <= jpeg.size() ? at : -1;
    }
    return -1;
}

QByteArray bmpFile(int bits, QSize size, bool topDown, const QList<QRgb>& palette,
                   const QList<int>& values, const QList<quint32>& masks) {
    const int stride = ((size.width() * bits + 31) / 32) * 4;
    const auto paletteBytes = static_cast<int>(bits <= 8 ? palette.size() * 4 : 0);
    const auto maskBytes = static_cast<int>(masks.size() * 4);
    const int offset = 14 + 40 + maskBytes + paletteBytes;
    QByteArray bytes(offset + stride * size.height(), '\0');
    auto u16 = [&bytes](int at, int value) { qToLittleEndian<quint16>(value, bytes.data() + at); };
    auto u32 = [&bytes](int at, qint64 value) {
        qToLittleEndian<quint32>(static_cast<quint32>(value), bytes.data() + at);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    u32(2, bytes.size());
    u32(10, offset);
    u32(14, 40);
    u32(18, size.width());
    u32(22, topDown ? -size.height() : size.height());
    u16(26, 1);
    u16(28, bits);
    u32(30, masks.isEmpty() ? 0 : 3);
    u32(46, bits <= 8 ? palette.size() : 0);
    for (int i = 0; i < masks.size(); ++i)
        u32(54 + 4 * i, masks[i]);
    for (int i = 0; bits <= 8 && i < palette.size(); ++i)
        u32(54 + maskBytes + 4 * i, palette[i] & 0xffffff);
    for (int y = 0; y < size.height(); ++y) {
        const int fileRow = topDown ? y : size.height() - 1 - y;
        char* row = bytes.data() + offset + fileRow * stride;
        for (int x = 0; x < size.width(); ++x) {
            const int value = values[y * size.width() + x];
            if (bits <= 8) {
                const int bit = x * bits;
                row[bit / 8] = static_cast<char>(row[bit / 8] | (value << (8 - bits - bit % 8)));
            } else {
                const int bytesPerPixel = bits / 8;
                for (int b = 0; b < bytesPerPixel; ++b)
                    row[x * bytesPerPixel + b] = static_cast<char>((value >> (8 * b)) & 0xff);
            }
        }
    }
    return bytes;
}

QByteArray bmpBytes(QSize size) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!quarteredPicture(size).save(&buffer, "BMP"))
        QTest::qFail("could not encode a fixture BMP", __FILE__, __LINE__);
    return buffer.data();
}

QByteArray pngBytes(QSize size) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!quarteredPicture(size).save(&buffer, "PNG"))
        QTest::qFail("could not encode a fixture PNG", __FILE__, __LINE__);
    return buffer.data();
}

QString writeFixture(const QString& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        QTest::qFail("could not write a fixture file", __FILE__, __LINE__);
    return path;
}

QByteArray withSegment(const QByteArray& jpeg, quint8 marker, const QByteArray& payload) {
    const auto length = static_cast<quint16>(payload.size() + 2);
    QByteArray segment;
    segment.append('\xff').append(static_cast<char>(marker));
    segment.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xff));
    QByteArray result = jpeg;
    result.insert(2, segment + payload);
    return result;
}

} // namespace fixtures

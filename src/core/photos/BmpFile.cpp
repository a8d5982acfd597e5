#include "core/photos/BmpFile.h"

#include <numeric>

#include "core/files/FileReading.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cstring>

namespace {

constexpr qint64 fileHeaderSize = 14;
constexpr quint32 uncompressed = 0;
constexpr quint32 bitFields = 3;
constexpr quint32 alphaBitFields = 6;

struct BmpLayout {
    QByteArray headers; // everything before the pixels: headers, masks, palette
    QSize size;
    bool topDown = false;
    bool rowsAddressable = false; // uncompressed: row r lies at a place of its own
    qint64 pixelOffset = 0;
    qint64 stride = 0;
    int heightOffset = 0; // where the height is in the headers, and how wide (2 or 4 bytes)
    int heightBytes = 0;
};

std::optional<BmpLayout> readLayout(QFile& file) {
    const QByteArray start = file.peek(fileHeaderSize + 40);
    if (start.size() < fileHeaderSize + 12 || !start.startsWith("BM"))
        return std::nullopt;
    const auto u16 = [&start](int at) {
        return qFromLittleEndian<quint16>(start.constData() + at);
    };
    const auto u32 = [&start](int at) {
        return qFromLittleEndian<quint32>(start.constData() + at);
    };
    BmpLayout layout;
    layout.pixelOffset = u32(10);
    const quint32 infoSize = u32(14);
    int bits = 0;
    quint32 compression = uncompressed;
    qint64 width = 0;
    qint64 height = 0;
    if (infoSize == 12) { // the oldest header: 16-bit sizes, no compression
        width = u16(18);
        height = static_cast<qint16>(u16(20));
        bits = u16(24);
        layout.heightOffset = 20;
        layout.heightBytes = 2;
    } else if (infoSize >= 40 && start.size() >= fileHeaderSize + 40) {
        width = static_cast<qint32>(u32(18));
        height = static_cast<qint32>(u32(22));
        bits = u16(28);
        compression = u32(30);
        layout.heightOffset = 22;
        layout.heightBytes = 4;
    } else {
        return std::nullopt;
    }
    layout.topDown = height < 0;
    height = qAbs(height);
    if (width <= 0 || height <= 0 || width > 0x7fffffff || height > 0x7fffffff)
        return std::nullopt;
    layout.size = QSize(static_cast<int>(width), static_cast<int>(height));
    layout.stride = (width * bits + 31) / 32 * 4;
    layout.rowsAddressable =
        compression == uncompressed || compression == bitFields || compression == alphaBitFields;
    if (layout.rowsAddressable) {
        // Rows lie where the header says, or the file is no picture to show.
        if (bits <= 0 || layout.pixelOffset < fileHeaderSize + infoSize ||
            layout.pixelOffset + layout.stride * height > file.size())
            return std::nullopt;
        layout.headers = file.read(layout.pixelOffset);
        if (layout.headers.size() != layout.pixelOffset)
            return std::nullopt;
    }
    return layout;
}

// The headers of the file, made to describe a picture of rowCount rows.
QByteArray headersFor(const BmpLayout& layout, int rowCount) {
    QByteArray headers = layout.headers;
    const qint64 pixelBytes = layout.stride * rowCount;
    qToLittleEndian<quint32>(static_cast<quint32>(layout.pixelOffset + pixelBytes),
                             headers.data() + 2);
    const int height = layout.topDown ? -rowCount : rowCount;
    if (layout.heightBytes == 2)
        qToLittleEndian<qint16>(static_cast<qint16>(height), headers.data() + layout.heightOffset);
    else
        qToLittleEndian<qint32>(height, headers.data() + layout.heightOffset);
    if (layout.heightBytes == 4 && headers.size() >= fileHeaderSize + 40)
        qToLittleEndian<quint32>(static_cast<quint32>(pixelBytes), headers.data() + 34);
    return headers;
}

std::optional<QImage> decodeBmp(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QByteArrayLiteral("bmp"));
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB888);
}

std::optional<QImage> decodeRows(QFile& file, const BmpLayout& layout,
                                 const std::vector<int>& rows) {
    // Distinct rows, top to bottom; a bottom-up file stores the lowest of them first.
    std::vector<int> distinct;
    for (const int row : rows)
        if (distinct.empty() || distinct.back() != row)
            distinct.push_back(row);
    QByteArray bytes = headersFor(layout, static_cast<int>(distinct.size()));
    bytes.reserve(bytes.size() + layout.stride * static_cast<qint64>(distinct.size()));
    const auto count = static_cast<qsizetype>(distinct.size());
    for (qsizetype i = 0; i < count; ++i) {
        const int row = distinct[static_cast<std::size_t>(layout.topDown ? i : count - 1 - i)];
        if (row < 0 || row >= layout.size.height())
            return std::nullopt;
        const qint64 stored = layout.topDown ? row : layout.size.height() - 1 - row;
        if (!file.seek(layout.pixelOffset + stored * layout.stride))
            return std::nullopt;
        const QByteArray line = file.read(layout.stride);
        if (line.size() != layout.stride)
            return std::nullopt;
        bytes += line;
    }
    const std::optional<QImage> decoded = decodeBmp(bytes);
    if (!decoded || decoded->height() != count)
        return std::nullopt;
    QImage result(decoded->width(), static_cast<int>(rows.size()), QImage::Format_RGB888);
    qsizetype at = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows[i] != rows[i - 1])
            ++at;
        std::memcpy(result.scanLine(static_cast<int>(i)),
                    decoded->constScanLine(static_cast<int>(at)),
                    static_cast<std::size_t>(decoded->bytesPerLine()));
    }
    return result;
}

std::optional<QImage> decodeWhole(QFile& file, const std::vector<int>& rows) {
    file.seek(0);
    QImageReader reader(&file, QByteArrayLiteral("bmp"));
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QImage whole = reader.read();
    if (whole.isNull())
        return std::nullopt;
    const QImage rgb = whole.convertToFormat(QImage::Format_RGB888);
    QImage result(rgb.width(), static_cast<int>(rows.size()), QImage::Format_RGB888);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] < 0 || rows[i] >= rgb.height())
            return std::nullopt;
        std::memcpy(result.scanLine(static_cast<int>(i)), rgb.constScanLine(rows[i]),
                    static_cast<std::size_t>(rgb.bytesPerLine()));
    }
    return result;
}

} // namespace

std::optional<QImage> readBmpRows(const QString& path, const std::vector<int>& rows) {
    QFile file;
    QString reason;
    if (rows.empty() || !openRegularFile(path, file, reason))
        return std::nullopt;
    const std::optional<BmpLayout> layout = readLayout(file);
    if (!layout)
        return std::nullopt;
    return layout->rowsAddressable ? decodeRows(file, *layout, rows) : decodeWhole(file, rows);
}

std::optional<QSize> readBmpSize(const QString& path, qint64* bytesRead) {
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, reason))
        return std::nullopt;
    const std::optional<BmpLayout> layout = readLayout(file);
    if (!layout)
        return std::nullopt;
    const std::vector<int> firstRow{0};
    const std::optional<QImage> row =
        layout->rowsAddressable ? decodeRows(file, *layout, firstRow) : decodeWhole(file, firstRow);
    if (!row || row->width() != layout->size.width())
        return std::nullopt;
    if (bytesRead)
        *bytesRead = layout->rowsAddressable ? layout->pixelOffset + layout->stride : file.size();
    return layout->size;
}

bool isBmpFileName(const QString& name) {
    return name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
}

QImage readBmpImage(const QString& path) {
    const std::optional<QSize> size = readBmpSize(path);
    if (!size)
        return {};
    std::vector<int> rows(static_cast<std::size_t>(size->height()));
    std::iota(rows.begin(), rows.end(), 0);
    return readBmpRows(path, rows).value_or(QImage());
}

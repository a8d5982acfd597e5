#include "core/photos/ExifOrientation.h"

#include <QByteArrayView>
#include <QtEndian>

#include <optional>

namespace {

// TIFF structures inside EXIF come in either byte order; every read is checked against the end.
class TiffData {
public:
    TiffData(QByteArrayView data, bool bigEndian)
        : data_(data)
        , bigEndian_(bigEndian) {}

    std::optional<quint16> u16(qint64 offset) const {
        if (offset < 0 || offset + 2 > data_.size())
            return std::nullopt;
        const auto* at = data_.data() + offset;
        return bigEndian_ ? qFromBigEndian<quint16>(at) : qFromLittleEndian<quint16>(at);
    }

    std::optional<quint32> u32(qint64 offset) const {
        if (offset < 0 || offset + 4 > data_.size())
            return std::nullopt;
        const auto* at = data_.data() + offset;
        return bigEndian_ ? qFromBigEndian<quint32>(at) : qFromLittleEndian<quint32>(at);
    }

private:
    QByteArrayView data_;
    bool bigEndian_;
};

} // namespace

int exifOrientation(const QByteArray& app1Payload) {
    constexpr qsizetype exifIdSize = 6;
    constexpr quint16 tiffMagic = 42;
    constexpr quint16 orientationTag = 0x0112;
    constexpr quint16 shortType = 3;
    constexpr qint64 entrySize = 12;

    if (!app1Payload.startsWith(QByteArrayView("Exif\0\0", exifIdSize)))
        return 1;
    const QByteArrayView tiff = QByteArrayView(app1Payload).sliced(exifIdSize);
    if (tiff.size() < 8)
        return 1;
    bool bigEndian = false;
    if (tiff.startsWith(QByteArrayView("MM")))
        bigEndian = true;
    else if (!tiff.startsWith(QByteArrayView("II")))
        return 1;
    const TiffData data(tiff, bigEndian);
    if (data.u16(2) != tiffMagic)
        return 1;
    const qint64 firstDirectory = data.u32(4).value_or(0);
    const std::optional<quint16> entryCount = data.u16(firstDirectory);
    if (firstDirectory < 8 || !entryCount)
        return 1;
    for (qint64 i = 0; i < *entryCount; ++i) {
        const qint64 entry = firstDirectory + 2 + i * entrySize;
        const std::optional<quint16> tag = data.u16(entry);
        if (!tag || entry + entrySize > tiff.size())
            return 1;
        if (*tag != orientationTag)
            continue;
        // Browsers honour the tag only in its standard shape (one SHORT); anything else they
        // ignore, and so do we, so that the album agrees with how the photo is shown.
        if (data.u16(entry + 2) != shortType || data.u32(entry + 4) != 1u)
            return 1;
        const quint16 value = data.u16(entry + 8).value_or(1);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

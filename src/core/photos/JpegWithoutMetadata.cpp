#include "core/photos/JpegWithoutMetadata.h"

namespace {

constexpr unsigned char markerSOI = 0xD8;
constexpr unsigned char markerEOI = 0xD9;
constexpr unsigned char markerSOS = 0xDA;
constexpr unsigned char markerCOM = 0xFE;

bool isApplicationMarker(unsigned char marker) {
    return marker >= 0xE0 && marker <= 0xEF;
}

// Start-of-frame markers: C0–CF but for C4 (Huffman tables), C8 (reserved) and CC
// (arithmetic conditioning).
bool isFrameMarker(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isRestartMarker(unsigned char marker) {
    return marker >= 0xD0 && marker <= 0xD7;
}

// The application blocks that change how the pixels are read.
bool keepsApplicationBlock(unsigned char marker, QByteArrayView payload) {
    switch (marker) {
    case 0xE0:
        return payload.startsWith(QByteArrayView("JFIF\0", 5));
    case 0xE2:
        return payload.startsWith(QByteArrayView("ICC_PROFILE\0", 12));
    case 0xEE:
        return payload.startsWith(QByteArrayView("Adobe", 5));
    default:
        return false;
    }
}

// The end of the entropy-coded data that starts at from: the next marker that is neither a
// stuffed zero nor a restart marker (or -1 when the file ends first).
qsizetype endOfScan(const QByteArray& jpeg, qsizetype from) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(jpeg.constData());
    for (qsizetype at = jpeg.indexOf('\xFF', from); at >= 0 && at + 1 < jpeg.size();
         at = jpeg.indexOf('\xFF', at + 1)) {
        const unsigned char next = bytes[at + 1];
        if (next != 0x00 && next != 0xFF && !isRestartMarker(next))
            return at;
    }
    return -1;
}

} // namespace

std::optional<QByteArray> jpegWithoutMetadata(const QByteArray& jpeg) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const qsizetype size = jpeg.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != markerSOI)
        return std::nullopt;
    QByteArray result;
    result.reserve(size);
    result.append(jpeg.constData(), 2);
    qsizetype at = 2;
    bool sawScan = false;
    while (true) {
        if (at + 1 >= size || bytes[at] != 0xFF)
            return std::nullopt;
        while (at + 1 < size && bytes[at + 1] == 0xFF) // fill bytes before a marker
            ++at;
        if (at + 1 >= size)
            return std::nullopt;
        const unsigned char marker = bytes[at + 1];
        if (marker == markerEOI) {
            if (!sawScan)
                return std::nullopt;
            result.append("\xFF\xD9", 2);
            return result;
        }
        if (at + 3 >= size)
            return std::nullopt;
        const qsizetype length = (qsizetype(bytes[at + 2]) << 8) | bytes[at + 3];
        const qsizetype end = at + 2 + length;
        if (length < 2 || end > size)
            return std::nullopt;
        const QByteArrayView payload(jpeg.constData() + at + 4, length - 2);
        const bool metadata = marker == markerCOM || (isApplicationMarker(marker) &&
                                                      !keepsApplicationBlock(marker, payload));
        // What every browser decodes: Huffman-coded, baseline, extended or progressive, with
        // 8-bit samples.
        if (isFrameMarker(marker) && ((marker != 0xC0 && marker != 0xC1 && marker != 0xC2) ||
                                      payload.empty() || payload[0] != 8))
            return std::nullopt;
        if (marker == markerSOS) {
            const qsizetype scanEnd = endOfScan(jpeg, end);
            if (scanEnd < 0)
                return std::nullopt;
            result.append(jpeg.constData() + at, scanEnd - at);
            sawScan = true;
            at = scanEnd;
            continue;
        }
        if (!metadata)
            result.append(jpeg.constData() + at, end - at);
        at = end;
    }
}

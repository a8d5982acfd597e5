#include "core/photos/PhotoMetadata.h"

#include <exiv2/error.hpp>
#include <exiv2/exif.hpp>
#include <exiv2/iptc.hpp>
#include <exiv2/jpgimage.hpp>
#include <exiv2/value.hpp>
#include <exiv2/xmp_exiv2.hpp>

#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <mutex>

namespace {

// Exiv2 reports what it dislikes on stderr; damaged metadata is expected and passed over.
// The XMP toolkit is set up once, before any thread parses with it.
std::mutex xmpMutex;

void prepareExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(
            [](void* mutex, bool lock) {
                auto* m = static_cast<std::mutex*>(mutex);
                lock ? m->lock() : m->unlock();
            },
            &xmpMutex);
    });
}

// Metadata text comes in UTF-8 from anything recent and in Latin-1 from older cameras.
QString decodedText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // Cameras pad their strings with NULs and blanks; line breaks become spaces.
    static const QRegularExpression blanks(QStringLiteral("[\\x00-\\x1f\\x7f\\s]+"));
    text.replace(blanks, QStringLiteral(" "));
    return text.trimmed();
}

// The texts cameras and programs write by themselves into description fields.
bool isPlaceholderCaption(const QString& text) {
    static const QStringList exact{
        QStringLiteral("Exif_JPEG_PICTURE"),
        QStringLiteral("Digital image"),
        QStringLiteral("default"),
        QStringLiteral("Untitled"),
        QStringLiteral("AppleMark"),
        QStringLiteral("Image"),
        QStringLiteral("DCIM"),
    };
    static const QStringList prefixes{
        QStringLiteral("CREATOR: gd-jpeg"),
        QStringLiteral("Created with GIMP"),
        QStringLiteral("File written by Adobe Photoshop"),
        QStringLiteral("LEAD Technologies"),
        QStringLiteral("Intel(R) JPEG Library"),
        QStringLiteral("Optimized by JPEGmini"),
    };
    // "KONICA MINOLTA DIGITAL CAMERA", "SAMSUNG DSC" and their like.
    static const QRegularExpression cameraName(
        QStringLiteral("^([\\w-]+ )*(DIGITAL( STILL)? CAMERA|DSC)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (text.isEmpty() || cameraName.match(text).hasMatch())
        return true;
    for (const QString& placeholder : exact)
        if (text.compare(placeholder, Qt::CaseInsensitive) == 0)
            return true;
    for (const QString& prefix : prefixes)
        if (text.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    return false;
}

// The datum under the key, or nullptr when the photo has none (or an empty one).
template <typename Datum, typename Data, typename Key>
const Datum* findDatum(const Data& data, const char* key) {
    const auto found = data.findKey(Key(key));
    return found == data.end() || found->count() == 0 ? nullptr : &*found;
}
const Exiv2::Exifdatum* findKey(const Exiv2::ExifData& data, const char* key) {
    return findDatum<Exiv2::Exifdatum, Exiv2::ExifData, Exiv2::ExifKey>(data, key);
}
const Exiv2::Xmpdatum* findKey(const Exiv2::XmpData& data, const char* key) {
    return findDatum<Exiv2::Xmpdatum, Exiv2::XmpData, Exiv2::XmpKey>(data, key);
}
const Exiv2::Iptcdatum* findKey(const Exiv2::IptcData& data, const char* key) {
    return findDatum<Exiv2::Iptcdatum, Exiv2::IptcData, Exiv2::IptcKey>(data, key);
}

QString textOf(const Exiv2::Metadatum* datum) {
    return datum ? decodedText(datum->toString()) : QString();
}

// The default language's text of a language alternative, or the first one there is.
QString langAltText(const Exiv2::Xmpdatum* datum) {
    if (!datum)
        return {};
    const auto* alternatives = dynamic_cast<const Exiv2::LangAltValue*>(&datum->value());
    if (!alternatives)
        return textOf(datum);
    const auto& texts = alternatives->value_;
    const auto chosen = texts.find("x-default");
    if (chosen != texts.end())
        return decodedText(chosen->second);
    return texts.empty() ? QString() : decodedText(texts.begin()->second);
}

// "2024:05:01 12:30:00" (EXIF) or "2024-05-01T12:30:00+02:00" (XMP) as "2024-05-01 12:30:00";
// empty for anything else, including the all-zero date cameras write when they know none.
QString normalisedDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4})[:-](\\d{2})[:-](\\d{2})(?:[ T](\\d{2}):(\\d{2})(?::(\\d{2}))?)?"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch() || match.captured(1) == QLatin1String("0000") ||
        match.captured(2).toInt() < 1 || match.captured(2).toInt() > 12 ||
        match.captured(3).toInt() < 1 || match.captured(3).toInt() > 31)
        return {};
    QString date = match.captured(1) + u'-' + match.captured(2) + u'-' + match.captured(3);
    if (match.hasCaptured(4))
        date += u' ' + match.captured(4) + u':' + match.captured(5) + u':' +
                (match.hasCaptured(6) ? match.captured(6) : QStringLiteral("00"));
    return date;
}

std::optional<double> rationalOf(const Exiv2::Exifdatum* datum) {
    if (!datum)
        return std::nullopt;
    const Exiv2::Rational r = datum->toRational();
    if (r.second == 0 || r.first <= 0)
        return std::nullopt;
    return double(r.first) / r.second;
}

// 8 as "8", 2.8 as "2.8".
QString shortNumber(double value) {
    return QString::number(value, 'f', std::abs(value - std::round(value)) < 0.05 ? 0 : 1);
}

void readExif(const QByteArray& payload, PhotoMetadata& metadata) {
    static const QByteArray header("Exif\0\0", 6);
    if (!payload.startsWith(header) || payload.size() <= header.size())
        return;
    Exiv2::ExifData exif;
    try {
        Exiv2::ExifParser::decode(exif, reinterpret_cast<const Exiv2::byte*>(payload.data()) + 6,
                                  static_cast<uint32_t>(payload.size() - 6));
    } catch (...) {
        return;
    }
    try {
        // As browsers read it: one SHORT, or the tag does not count.
        if (const auto* datum = findKey(exif, "Exif.Image.Orientation");
            datum && datum->typeId() == Exiv2::unsignedShort && datum->count() == 1) {
            const long value = datum->toLong();
            metadata.orientation = value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
        // The camera's own clock comes before what programs wrote into XMP or IPTC.
        for (const char* key : {"Exif.Photo.DateTimeDigitized", "Exif.Photo.DateTimeOriginal"})
            if (const QString date = normalisedDate(textOf(findKey(exif, key))); !date.isEmpty())
                metadata.dateTaken = date;
        metadata.cameraMake = textOf(findKey(exif, "Exif.Image.Make"));
        metadata.cameraModel = textOf(findKey(exif, "Exif.Image.Model"));
        if (const std::optional<double> t = rationalOf(findKey(exif, "Exif.Photo.ExposureTime")))
            metadata.exposureTime =
                (*t < 0.5 ? QStringLiteral("1/") + QString::number(std::lround(1 / *t))
                          : shortNumber(*t)) +
                QStringLiteral(" s");
        if (const std::optional<double> f = rationalOf(findKey(exif, "Exif.Photo.FNumber")))
            metadata.aperture = QStringLiteral("f/") + shortNumber(*f);
        if (const auto* iso = findKey(exif, "Exif.Photo.ISOSpeedRatings"); iso && iso->toLong() > 0)
            metadata.iso = QStringLiteral("ISO ") + QString::number(iso->toLong());
        if (const std::optional<double> mm = rationalOf(findKey(exif, "Exif.Photo.FocalLength")))
            metadata.focalLength = shortNumber(*mm) + QStringLiteral(" mm");
        for (const Exiv2::Exifdatum& datum : exif)
            if (datum.groupName() == "GPSInfo")
                metadata.hasLocation = true;
        if (metadata.caption.isEmpty()) {
            const QString description = textOf(findKey(exif, "Exif.Image.ImageDescription"));
            if (!isPlaceholderCaption(description))
                metadata.caption = description;
        }
    } catch (...) {
        // A value of an unexpected type: what was read so far stands.
    }
}

void readXmp(const QByteArray& payload, PhotoMetadata& metadata) {
    static const QByteArray header("http://ns.adobe.com/xap/1.0/\0", 29);
    if (!payload.startsWith(header))
        return;
    Exiv2::XmpData xmp;
    try {
        const std::lock_guard<std::mutex> lock(xmpMutex);
        if (Exiv2::XmpParser::decode(xmp, payload.mid(header.size()).toStdString()) != 0)
            return;
    } catch (...) {
        return;
    }
    try {
        for (const char* key : {"Xmp.dc.description", "Xmp.dc.title"}) {
            const QString text = langAltText(findKey(xmp, key));
            if (metadata.caption.isEmpty() && !isPlaceholderCaption(text))
                metadata.caption = text;
        }
        for (const char* key : {"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated"})
            if (metadata.dateTaken.isEmpty())
                metadata.dateTaken = normalisedDate(textOf(findKey(xmp, key)));
        for (const Exiv2::Xmpdatum& datum : xmp)
            if (datum.groupName() == "exif" && datum.tagName().rfind("GPS", 0) == 0)
                metadata.hasLocation = true;
    } catch (...) {
    }
}

void readIptc(const QByteArray& payload, PhotoMetadata& metadata) {
    static const QByteArray header("Photoshop 3.0\0", 14);
    if (!payload.startsWith(header))
        return;
    try {
        const auto* data = reinterpret_cast<const Exiv2::byte*>(payload.data()) + header.size();
        const Exiv2::byte* record = nullptr;
        uint32_t headerSize = 0;
        uint32_t dataSize = 0;
        if (Exiv2::Photoshop::locateIptcIrb(data, static_cast<long>(payload.size() - header.size()),
                                            &record, &headerSize, &dataSize) != 0)
            return;
        Exiv2::IptcData iptc;
        if (Exiv2::IptcParser::decode(iptc, record + headerSize, dataSize) != 0)
            return;
        if (metadata.caption.isEmpty()) {
            const QString caption = textOf(findKey(iptc, "Iptc.Application2.Caption"));
            if (!isPlaceholderCaption(caption))
                metadata.caption = caption;
        }
        if (metadata.dateTaken.isEmpty())
            metadata.dateTaken =
                normalisedDate(textOf(findKey(iptc, "Iptc.Application2.DateCreated")) + u' ' +
                               textOf(findKey(iptc, "Iptc.Application2.TimeCreated")));
    } catch (...) {
    }
}

} // namespace

QString PhotoMetadata::cameraSummary() const {
    QStringList parts;
    QString camera = cameraModel;
    const QString make = cameraMake.section(u' ', 0, 0);
    if (!cameraMake.isEmpty() && !cameraModel.startsWith(make, Qt::CaseInsensitive))
        camera = (cameraMake + u' ' + cameraModel).trimmed();
    for (const QString& part : {camera, exposureTime, aperture, iso, focalLength})
        if (!part.isEmpty())
            parts << part;
    return parts.join(QStringLiteral(" · "));
}

PhotoMetadata parsePhotoMetadata(const MetadataSegments& segments) {
    prepareExiv2();
    PhotoMetadata metadata;
    // The caption is taken by the first reader that finds one, in order of precedence.
    readXmp(segments.xmp, metadata);
    readIptc(segments.photoshop, metadata);
    readExif(segments.exif, metadata);
    if (metadata.caption.isEmpty()) {
        const QString comment = decodedText(segments.comment.toStdString());
        if (!isPlaceholderCaption(comment))
            metadata.caption = comment;
    }
    return metadata;
}

int exifOrientation(const QByteArray& app1Payload) {
    MetadataSegments segments;
    segments.exif = app1Payload;
    return parsePhotoMetadata(segments).orientation;
}

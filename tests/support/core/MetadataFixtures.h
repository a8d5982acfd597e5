#pragma once

#include "JpegFixtures.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Photo metadata written by Exiv2 itself into fixture JPEGs, so that the program's readers
// meet the segments the way real files carry them, and damaged segments put in by hand.
namespace fixtures {

struct ExifTag {
    ExifTag(QString key, QString value, QString type = {})
        : key(std::move(key))
        , value(std::move(value))
        , type(std::move(type)) {}

    QString key;   // "Exif.Photo.FNumber"
    QString value; // as Exiv2 reads text: "28/10", "52/1 13/1 0/1", "2024:05:01 12:30:00"
    QString type;  // Exiv2's type name ("Short", "Long", "Rational"); the tag's own if empty
};

struct XmpTag {
    QString key;   // "Xmp.dc.description"
    QString value; // a language alternative takes plain text or "lang=\"pl-PL\" text"
};

struct PhotoTags {
    ByteOrder byteOrder = ByteOrder::LittleEndian; // of the EXIF structure
    QList<ExifTag> exif;
    QList<XmpTag> xmp;
    QString iptcCaption;
    QByteArray comment; // the JPEG comment's bytes as they are
};

// The JPEG with the tags added by Exiv2; fails the running test when Exiv2 refuses.
QByteArray withTags(const QByteArray& jpeg, const PhotoTags& tags);

// Every EXIF, IPTC and XMP key Exiv2 finds in the JPEG ("Exif.GPSInfo.GPSLatitude").
QStringList metadataKeys(const QByteArray& jpeg);

} // namespace fixtures

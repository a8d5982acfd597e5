#pragma once

#include <QByteArray>
#include <QString>

// What a photo's metadata tells about it, read through Exiv2 from the segments a JPEG carries
// before its picture. Anything missing, malformed or unreadable is left empty; damaged
// metadata never makes the photo itself unreadable.
struct PhotoMetadata {
    int orientation = 1;  // EXIF orientation, 1 to 8
    QString dateTaken;    // "YYYY-MM-DD HH:MM:SS" (or as much of it as the photo gives)
    QString cameraMake;   // "Canon"
    QString cameraModel;  // "Canon EOS 5D"
    QString exposureTime; // "1/200 s"
    QString aperture;     // "f/8"
    QString iso;          // "ISO 100"
    QString focalLength;  // "50 mm"
    bool hasLocation = false;
    QString caption;

    // One line about the shot: "Canon EOS 5D · 1/200 s · f/8 · ISO 100 · 50 mm", the make
    // left out when the model already names it; empty when nothing is known.
    QString cameraSummary() const;
};

// The metadata segments of a JPEG, each without its marker and length.
struct MetadataSegments {
    QByteArray exif;      // the first APP1 "Exif\0\0" payload
    QByteArray xmp;       // the first APP1 XMP payload ("http://ns.adobe.com/xap/1.0/\0" ...)
    QByteArray photoshop; // the first APP13 "Photoshop 3.0\0" payload, which holds IPTC
    QByteArray comment;   // the first COM segment
};

// The caption is the first of: XMP dc:description, XMP dc:title, IPTC caption, EXIF image
// description, the JPEG comment, passing over blank ones and the texts cameras write by
// themselves ("OLYMPUS DIGITAL CAMERA").
PhotoMetadata parsePhotoMetadata(const MetadataSegments& segments);

// The orientation tag of an APP1 payload ("Exif\0\0" and a TIFF structure); 1 when it is
// missing, malformed or out of range.
int exifOrientation(const QByteArray& app1Payload);

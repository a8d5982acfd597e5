#include "MetadataFixtures.h"

#include "core/photos/PhotoMetadata.h"

#include <exiv2/exiv2.hpp>

#include <QTest>

// Exiv2 0.27 hands images out as std::auto_ptr.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace fixtures {

namespace {

Exiv2::Image::AutoPtr openImage(const QByteArray& jpeg) {
    // The program sets Exiv2 up (quiet, the XMP toolkit locked) the first time it reads metadata;
    // the fixtures use it only after that.
    parsePhotoMetadata(MetadataSegments{});
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(jpeg.data()),
                                           static_cast<long>(jpeg.size()));
    image->readMetadata();
    return image;
}

void setExif(Exiv2::ExifData& exif, const ExifTag& tag) {
    const Exiv2::ExifKey key(tag.key.toStdString());
    const Exiv2::TypeId type =
        tag.type.isEmpty() ? key.defaultTypeId() : Exiv2::TypeInfo::typeId(tag.type.toStdString());
    const Exiv2::Value::AutoPtr value = Exiv2::Value::create(type);
    if (value->read(tag.value.toStdString()) != 0)
        throw Exiv2::Error(Exiv2::kerInvalidKey,
                           tag.key.toStdString() + ": " + tag.value.toStdString());
    exif.add(key, value.get());
}

} // namespace

QByteArray withTags(const QByteArray& jpeg, const PhotoTags& tags) {
    try {
        auto image = openImage(jpeg);
        image->setByteOrder(tags.byteOrder == ByteOrder::BigEndian ? Exiv2::bigEndian
                                                                   : Exiv2::littleEndian);
        for (const ExifTag& tag : tags.exif)
            setExif(image->exifData(), tag);
        for (const XmpTag& tag : tags.xmp)
            image->xmpData()[tag.key.toStdString()] = tag.value.toStdString();
        if (!tags.iptcCaption.isNull())
            image->iptcData()["Iptc.Application2.Caption"] = tags.iptcCaption.toStdString();
        if (!tags.comment.isNull())
            image->setComment(tags.comment.toStdString());
        image->writeMetadata();
        Exiv2::BasicIo& io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf bytes = io.read(static_cast<long>(io.size()));
        return QByteArray(reinterpret_cast<const char*>(bytes.pData_), bytes.size_);
    } catch (const std::exception& error) {
        QTest::qFail(error.what(), __FILE__, __LINE__);
        return {};
    }
}

QStringList metadataKeys(const QByteArray& jpeg) {
    QStringList keys;
    try {
        auto image = openImage(jpeg);
        for (const Exiv2::Exifdatum& datum : image->exifData())
            keys << QString::fromStdString(datum.key());
        for (const Exiv2::Iptcdatum& datum : image->iptcData())
            keys << QString::fromStdString(datum.key());
        for (const Exiv2::Xmpdatum& datum : image->xmpData())
            keys << QString::fromStdString(datum.key());
    } catch (const std::exception& error) {
        QTest::qFail(error.what(), __FILE__, __LINE__);
    }
    return keys;
}

} // namespace fixtures

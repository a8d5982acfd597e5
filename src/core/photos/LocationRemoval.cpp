#include "core/photos/LocationRemoval.h"

#include <exiv2/basicio.hpp>
#include <exiv2/error.hpp>
#include <exiv2/exif.hpp>
#include <exiv2/image.hpp>
#include <exiv2/xmp_exiv2.hpp>

#include <vector>

// Exiv2 0.27 hands images out as std::auto_ptr.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

template <typename Data, typename Wanted> void eraseWhere(Data& data, Wanted wanted) {
    for (auto i = data.begin(); i != data.end();)
        i = wanted(*i) ? data.erase(i) : std::next(i);
}

} // namespace

std::optional<QByteArray> jpegWithoutLocation(const QByteArray& jpeg) {
    try {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(jpeg.data()),
                                               static_cast<long>(jpeg.size()));
        if (!image.get() || image->mimeType() != "image/jpeg")
            return std::nullopt;
        image->readMetadata();
        eraseWhere(image->exifData(), [](const Exiv2::Exifdatum& datum) {
            return datum.groupName() == "GPSInfo" || datum.key() == "Exif.Image.GPSTag";
        });
        eraseWhere(image->xmpData(), [](const Exiv2::Xmpdatum& datum) {
            return datum.groupName() == "exif" && datum.tagName().rfind("GPS", 0) == 0;
        });
        image->writeMetadata();
        Exiv2::BasicIo& io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf bytes = io.read(static_cast<long>(io.size()));
        if (bytes.size_ != static_cast<long>(io.size()))
            return std::nullopt;
        return QByteArray(reinterpret_cast<const char*>(bytes.pData_), bytes.size_);
    } catch (...) {
        return std::nullopt;
    }
}

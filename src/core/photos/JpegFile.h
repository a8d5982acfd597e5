#pragma once

#include "core/photos/PhotoMetadata.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

class QIODevice;

// Everything the program does with libjpeg lives behind these functions.

struct JpegHeader {
    QSize storedSize;    // width and height as the frame header gives them
    int orientation = 1; // EXIF orientation, 1 to 8; 1 when the file carries none
    qint64 bytesRead = 0;
    PhotoMetadata metadata; // what the segments before the picture tell

    // Orientations 5 to 8 turn the picture by a quarter, so it is shown with its sides swapped.
    QSize displaySize() const;
};

// Reads only as much of the file as libjpeg needs to parse the header (and the EXIF segment,
// for the photo's metadata). nullopt for anything that is not a complete JPEG header, a file that
// ends before its header does included.
std::optional<JpegHeader> readJpegHeader(const QString& path);

// Decodes the whole picture at its stored size (no orientation applied) as
// QImage::Format_RGB888. Damage that libjpeg only warns about (corrupt entropy data, a file
// cut short inside the image data) is shown the way browsers show it: whatever could not be
// decoded stays grey. Anything libjpeg refuses gives nullopt.
std::optional<QImage> readJpegImage(const QString& path);

// The picture scaled down by libjpeg's inverse DCT as far as keeps it at least atLeast (to a
// half, a quarter or an eighth; stored orientation, none applied), which costs less than
// decoding it whole, as QImage::Format_RGB32 (the layout Qt's filters work in); the EXIF
// orientation is given back in orientation. nullopt as for readJpegImage.
std::optional<QImage> readJpegScaled(const QString& path, QSize atLeast, int* orientation);

// The picture as its EXIF orientation shows it, shrunk or stretched to size with
// nearest-neighbour sampling (pixel (x, y) comes from (x·W/size.width, y·H/size.height) of the
// turned picture, rounded down), as QImage::Format_RGB888. Pixel for pixel what readJpegImage
// gives after turning and sampling, but only the rows the sampling hits are decoded and the
// full-size picture is never held. Damage is treated as readJpegImage treats it; nullopt when
// libjpeg refuses the file or size is empty.
//
// A progressive (multi-scan) photo needs all its DCT coefficients in memory before any row
// exists: two bytes per sample, up to jpegCoefficientCeiling. A photo that needs more gives
// nullopt with tooLarge (if given) saying how much it needed.
inline constexpr qint64 jpegCoefficientCeiling = qint64(1536) * 1024 * 1024;
std::optional<QImage> readJpegSampled(const QString& path, QSize size, QString* tooLarge = nullptr);

// Asks the C library to keep large blocks of memory for reuse instead of handing each back to
// the system when it is freed: every progressive photo needs its coefficient buffers, tens of
// megabytes, and taking them from the system anew costs a page fault for every 4 KB of them,
// photo after photo. Called once at the start of a program that makes albums.
void keepLargeBuffersForReuse();

// Baseline JPEG, three components, libjpeg's defaults apart from the quality; no markers beyond
// the ones libjpeg writes itself. A greyscale or alpha image is written as its RGB rendering.
bool writeJpeg(const QImage& image, QIODevice* device, int quality = 90);
// Replaces the file only when the whole picture could be written.
bool writeJpeg(const QImage& image, const QString& path, int quality = 90);

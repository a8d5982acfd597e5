#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// JPEG files of every layout a camera or editor may hand over, written with libjpeg directly,
// and what libjpeg itself says about a file's layout.
namespace fixtures {

enum class Sampling { Yuv444, Yuv422, Yuv420, Yuv440, Yuv411, Grey, Cmyk };

struct JpegVariant {
    Sampling sampling = Sampling::Yuv420;
    bool progressive = false;
    int restartRows = 0; // a restart marker every this many MCU rows; 0 for none
    int quality = 90;
    bool arithmetic = false; // arithmetic entropy coding instead of Huffman
};

QByteArray variantJpegBytes(const QImage& picture, const JpegVariant& variant);

struct JpegLayout {
    bool valid = false;
    bool baseline = false; // a SOF0 frame
    bool progressive = false;
    int components = 0;
    QList<int> horizontalSampling;
    QList<int> verticalSampling;
    QList<QList<int>> quantTables; // per component, in natural (row-major) order
};

// Read back from a file's own markers.
JpegLayout jpegLayout(const QByteArray& jpeg);
// What libjpeg writes for an RGB picture with its defaults and the given quality.
JpegLayout defaultJpegLayout(int quality);

} // namespace fixtures

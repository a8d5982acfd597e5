#include "JpegVariants.h"

#include "core/photos/JpegErrors.h"

#include <QTest>

#include <cstdlib>

namespace fixtures {

namespace {

void setSampling(jpeg_compress_struct* cinfo, int h, int v) {
    cinfo->comp_info[0].h_samp_factor = h;
    cinfo->comp_info[0].v_samp_factor = v;
    for (int c = 1; c < cinfo->num_components; ++c) {
        cinfo->comp_info[c].h_samp_factor = 1;
        cinfo->comp_info[c].v_samp_factor = 1;
    }
}

// Rows already converted to the input colour space; no object with a destructor in here, so
// libjpeg may jump out of it.
// With keepDefaults the variant's sampling is left as jpeg_set_defaults has it.
bool compressGuarded(JpegErrors* errors, jpeg_compress_struct* cinfo, const JpegVariant* variant,
                     bool keepDefaults, const QImage* size, const QByteArray* samples,
                     unsigned char** out, unsigned long* outSize) {
    if (setjmp(errors->jump))
        return false;
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, out, outSize);
    cinfo->image_width = static_cast<JDIMENSION>(size->width());
    cinfo->image_height = static_cast<JDIMENSION>(size->height());
    const bool grey = variant->sampling == Sampling::Grey;
    const bool cmyk = variant->sampling == Sampling::Cmyk;
    cinfo->input_components = grey ? 1 : cmyk ? 4 : 3;
    cinfo->in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, variant->quality, TRUE);
    if (!keepDefaults) {
        switch (variant->sampling) {
        case Sampling::Yuv444:
        case Sampling::Cmyk:
            setSampling(cinfo, 1, 1);
            break;
        case Sampling::Yuv422:
            setSampling(cinfo, 2, 1);
            break;
        case Sampling::Yuv420:
            setSampling(cinfo, 2, 2);
            break;
        case Sampling::Yuv440:
            setSampling(cinfo, 1, 2);
            break;
        case Sampling::Yuv411:
            setSampling(cinfo, 4, 1);
            break;
        case Sampling::Grey:
            break;
        }
    }
    if (variant->progressive)
        jpeg_simple_progression(cinfo);
    cinfo->restart_in_rows = variant->restartRows;
    cinfo->arith_code = variant->arithmetic;
    jpeg_start_compress(cinfo, TRUE);
    const auto stride = static_cast<qsizetype>(cinfo->image_width) * cinfo->input_components;
    while (cinfo->next_scanline < cinfo->image_height) {
        auto row = reinterpret_cast<JSAMPROW>(const_cast<char*>(samples->constData()) +
                                              stride * cinfo->next_scanline);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

bool readLayoutGuarded(JpegErrors* errors, jpeg_decompress_struct* cinfo, const QByteArray* jpeg,
                       JpegLayout* layout) {
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(jpeg->constData()),
                 static_cast<unsigned long>(jpeg->size()));
    jpeg_read_header(cinfo, TRUE);
    layout->progressive = cinfo->progressive_mode;
    layout->components = cinfo->num_components;
    for (int c = 0; c < cinfo->num_components; ++c) {
        const jpeg_component_info& component = cinfo->comp_info[c];
        layout->horizontalSampling.append(component.h_samp_factor);
        layout->verticalSampling.append(component.v_samp_factor);
        const JQUANT_TBL* table = cinfo->quant_tbl_ptrs[component.quant_tbl_no];
        QList<int> values(DCTSIZE2);
        for (int i = 0; i < DCTSIZE2; ++i)
            values[i] = table ? table->quantval[i] : -1;
        layout->quantTables.append(values);
    }
    return true;
}

// The frame marker tells baseline from extended sequential; libjpeg does not report it.
bool hasBaselineFrame(const QByteArray& jpeg) {
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<uchar>(jpeg[at]) == 0xff) {
        const int marker = static_cast<uchar>(jpeg[at + 1]);
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc)
            return marker == 0xc0;
        at += 2 + ((static_cast<uchar>(jpeg[at + 2]) << 8) | static_cast<uchar>(jpeg[at + 3]));
    }
    return false;
}

} // namespace

QByteArray variantJpegBytes(const QImage& picture, const JpegVariant& variant) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray samples;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const char*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const uchar r = line[3 * x], g = line[3 * x + 1], b = line[3 * x + 2];
            switch (variant.sampling) {
            case Sampling::Grey:
                samples.append(static_cast<char>((r * 77 + g * 150 + b * 29) >> 8));
                break;
            case Sampling::Cmyk: // inks as Adobe writes them: inverted
                samples.append(static_cast<char>(r));
                samples.append(static_cast<char>(g));
                samples.append(static_cast<char>(b));
                samples.append(static_cast<char>(255 - (x + y) % 64));
                break;
            default:
                samples.append(line + 3 * x, 3);
            }
        }
    }
    JpegErrors errors;
    jpeg_compress_struct cinfo{};
    cinfo.err = quietJpegErrors(errors);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const bool ok =
        compressGuarded(&errors, &cinfo, &variant, false, &rgb, &samples, &out, &outSize);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    if (!ok)
        QTest::qFail("libjpeg refused to write the test picture", __FILE__, __LINE__);
    return bytes;
}

JpegLayout jpegLayout(const QByteArray& jpeg) {
    JpegLayout layout;
    JpegErrors errors;
    jpeg_decompress_struct cinfo{};
    cinfo.err = quietJpegErrors(errors);
    layout.valid = readLayoutGuarded(&errors, &cinfo, &jpeg, &layout);
    jpeg_destroy_decompress(&cinfo);
    layout.baseline = layout.valid && hasBaselineFrame(jpeg);
    return layout;
}

JpegLayout defaultJpegLayout(int quality) {
    // Written by libjpeg with nothing but its defaults and the quality, then read back.
    JpegVariant plain;
    plain.sampling = Sampling::Yuv444; // three components in, whatever libjpeg makes of them
    plain.quality = quality;
    JpegErrors errors;
    jpeg_compress_struct cinfo{};
    cinfo.err = quietJpegErrors(errors);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const QImage size(16, 16, QImage::Format_RGB888);
    const QByteArray samples(16 * 16 * 3, '\x80');
    JpegLayout layout;
    if (compressGuarded(&errors, &cinfo, &plain, true, &size, &samples, &out, &outSize))
        layout = jpegLayout(
            QByteArray(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize)));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return layout;
}

} // namespace fixtures

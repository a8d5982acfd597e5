#pragma once

#include "core/photos/JpegErrors.h"

#include <QtGlobal>

#include <array>
#include <functional>
#include <unordered_map>
#include <vector>

// Pixels of a JPEG computed from its DCT coefficients one at a time, exactly as libjpeg's own
// output pass computes them with its defaults: the accurate integer inverse DCT (libjpeg's
// own), fancy upsampling, and its colour conversion to RGB (CMYK for four components). Only
// the blocks that hold the pixels asked for are transformed. Used for files of several scans,
// whose every coefficient must be read before any row exists; a thumbnail then costs little
// more than reading them.
class CoefficientPixels {
public:
    // The dequantisation multipliers libjpeg's inverse DCT reads: the type its own build chose
    // (jmorecfg.h's MULTIPLIER, which a client does not see).
#ifdef WITH_SIMD
    using Multiplier = short;
#else
    using Multiplier = int;
#endif

    // Hands out one row of blocks of a component; null when libjpeg fails to.
    using BlockRows = std::function<JBLOCKROW(int component, JDIMENSION blockRow)>;

    // Whether this layout of components and colour space is one computed here.
    static bool handles(const jpeg_decompress_struct& cinfo);
    // Whether libjpeg would show the coefficients as they are: true unless the file ended
    // before its scans were complete, when libjpeg smooths the blocks it shows.
    static bool coefficientsComplete(const jpeg_decompress_struct& cinfo);

    // cinfo after jpeg_read_coefficients.
    CoefficientPixels(j_decompress_ptr cinfo, BlockRows blockRows);

    // The colour of stored pixel (x, y): RGB, or CMYK for a four-component file. False when a
    // row of blocks could not be had.
    bool pixel(int x, int y, JSAMPLE* out);

    // Forgets the transformed blocks above this stored row; pixels are asked for row by row.
    void forgetAbove(int y);

private:
    struct Component {
        int horizontalFactor = 1; // how many output pixels one sample covers
        int verticalFactor = 1;
        int width = 0; // samples, as libjpeg's downsampled_width and height
        int height = 0;
        enum class Upsampling { FullSize, H2V1Fancy, H1V2Fancy, H2V2Fancy, Replicate } upsampling;
        std::unordered_map<quint64, std::array<JSAMPLE, DCTSIZE2>> blocks;
        std::vector<Multiplier> dequantise;
    };

    bool sample(int c, int column, int row, int& value);
    bool upsampled(int c, int x, int y, int& value);
    void convertColour(const int* values, JSAMPLE* out) const;

    j_decompress_ptr m_cinfo;
    BlockRows m_blockRows;
    std::vector<Component> m_components;
    std::vector<JSAMPLE> m_rangeLimit; // libjpeg's sample range limit table
};

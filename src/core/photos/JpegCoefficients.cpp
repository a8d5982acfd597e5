#include "core/photos/JpegCoefficients.h"

#include <algorithm>

// libjpeg's accurate integer inverse DCT, the one its decoder uses by default. Exported by the
// library though not declared in its public header.
extern "C" void jpeg_idct_islow(j_decompress_ptr cinfo, jpeg_component_info* compptr,
                                JCOEFPTR coef_block, JSAMPARRAY output_buf, JDIMENSION output_col);

namespace {

// libjpeg's colour conversion constants: 16 fraction bits, rounded as its tables round them.
constexpr int scaleBits = 16;
constexpr long oneHalf = 1L << (scaleBits - 1);
constexpr long fixed(double value) {
    return static_cast<long>(value * (1L << scaleBits) + 0.5);
}

struct ColourTables {
    int crRed[256];
    int cbBlue[256];
    long crGreen[256];
    long cbGreen[256];

    ColourTables() {
        for (int i = 0; i < 256; ++i) {
            const long x = i - CENTERJSAMPLE;
            crRed[i] = static_cast<int>((fixed(1.40200) * x + oneHalf) >> scaleBits);
            cbBlue[i] = static_cast<int>((fixed(1.77200) * x + oneHalf) >> scaleBits);
            crGreen[i] = -fixed(0.71414) * x;
            cbGreen[i] = -fixed(0.34414) * x + oneHalf;
        }
    }
};

const ColourTables& colourTables() {
    static const ColourTables tables;
    return tables;
}

bool isSupportedColourSpace(const jpeg_decompress_struct& cinfo) {
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        return cinfo.num_components == 1;
    case JCS_YCbCr:
    case JCS_RGB:
        return cinfo.num_components == 3;
    case JCS_CMYK:
    case JCS_YCCK:
        return cinfo.num_components == 4;
    default:
        return false;
    }
}

} // namespace

bool CoefficientPixels::handles(const jpeg_decompress_struct& cinfo) {
    if (!isSupportedColourSpace(cinfo) || cinfo.data_precision != 8)
        return false;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        if (component.h_samp_factor <= 0 || component.v_samp_factor <= 0 ||
            cinfo.max_h_samp_factor % component.h_samp_factor != 0 ||
            cinfo.max_v_samp_factor % component.v_samp_factor != 0)
            return false;
    }
    return true;
}

bool CoefficientPixels::coefficientsComplete(const jpeg_decompress_struct& cinfo) {
    if (!cinfo.progressive_mode)
        return true;
    if (!cinfo.coef_bits)
        return false;
    // libjpeg smooths the blocks it shows while the lowest coefficients are not all in.
    for (int c = 0; c < cinfo.num_components; ++c)
        for (int k = 0; k < 10; ++k)
            if (cinfo.coef_bits[c][k] != 0)
                return false;
    return true;
}

CoefficientPixels::CoefficientPixels(j_decompress_ptr cinfo, BlockRows blockRows)
    : m_cinfo(cinfo)
    , m_blockRows(std::move(blockRows))
    , m_rangeLimit(5 * (MAXJSAMPLE + 1) + CENTERJSAMPLE) {
    // libjpeg's range limit table, laid out as its decoder lays it out.
    JSAMPLE* table = m_rangeLimit.data() + (MAXJSAMPLE + 1);
    for (int i = 0; i <= MAXJSAMPLE; ++i)
        table[i] = static_cast<JSAMPLE>(i);
    JSAMPLE* idct = table + CENTERJSAMPLE;
    for (int i = CENTERJSAMPLE; i < 2 * (MAXJSAMPLE + 1); ++i)
        idct[i] = MAXJSAMPLE;
    std::copy(table, table + CENTERJSAMPLE, idct + 4 * (MAXJSAMPLE + 1) - CENTERJSAMPLE);
    cinfo->sample_range_limit = table;

    const int maxH = cinfo->max_h_samp_factor;
    const int maxV = cinfo->max_v_samp_factor;
    m_components.resize(static_cast<std::size_t>(cinfo->num_components));
    for (int c = 0; c < cinfo->num_components; ++c) {
        jpeg_component_info& info = cinfo->comp_info[c];
        Component& component = m_components[static_cast<std::size_t>(c)];
        component.horizontalFactor = maxH / info.h_samp_factor;
        component.verticalFactor = maxV / info.v_samp_factor;
        component.width = static_cast<int>(info.downsampled_width);
        component.height = static_cast<int>(info.downsampled_height);
        // The choice libjpeg's upsampler makes with fancy upsampling on and no scaling.
        using U = Component::Upsampling;
        const int h = component.horizontalFactor;
        const int v = component.verticalFactor;
        if (h == 1 && v == 1)
            component.upsampling = U::FullSize;
        else if (h == 2 && v == 1)
            component.upsampling = component.width > 2 ? U::H2V1Fancy : U::Replicate;
        else if (h == 1 && v == 2)
            component.upsampling = U::H1V2Fancy;
        else if (h == 2 && v == 2)
            component.upsampling = component.width > 2 ? U::H2V2Fancy : U::Replicate;
        else
            component.upsampling = U::Replicate;
        component.dequantise.assign(DCTSIZE2, 0);
        if (info.quant_table)
            for (int k = 0; k < DCTSIZE2; ++k)
                component.dequantise[static_cast<std::size_t>(k)] =
                    static_cast<Multiplier>(info.quant_table->quantval[k]);
        info.dct_table = component.dequantise.data();
    }
}

bool CoefficientPixels::sample(int c, int column, int row, int& value) {
    Component& component = m_components[static_cast<std::size_t>(c)];
    column = std::clamp(column, 0, component.width - 1);
    row = std::clamp(row, 0, component.height - 1);
    const auto blockRow = static_cast<JDIMENSION>(row / DCTSIZE);
    const auto blockColumn = static_cast<JDIMENSION>(column / DCTSIZE);
    const quint64 key = quint64(blockRow) << 32 | blockColumn;
    auto found = component.blocks.find(key);
    if (found == component.blocks.end()) {
        const JBLOCKROW blocks = m_blockRows(c, blockRow);
        if (!blocks)
            return false;
        std::array<JSAMPLE, DCTSIZE2> samples{};
        JSAMPROW rows[DCTSIZE];
        for (int r = 0; r < DCTSIZE; ++r)
            rows[r] = samples.data() + r * DCTSIZE;
        jpeg_idct_islow(m_cinfo, &m_cinfo->comp_info[c], blocks[blockColumn], rows, 0);
        found = component.blocks.emplace(key, samples).first;
    }
    value = found->second[static_cast<std::size_t>((row % DCTSIZE) * DCTSIZE + column % DCTSIZE)];
    return true;
}

// libjpeg's fancy upsampling: linear interpolation between sample centres, with its own
// rounding biases; the edges repeat the outermost sample.
bool CoefficientPixels::upsampled(int c, int x, int y, int& value) {
    const Component& component = m_components[static_cast<std::size_t>(c)];
    using U = Component::Upsampling;
    switch (component.upsampling) {
    case U::FullSize:
        return sample(c, x, y, value);
    case U::Replicate:
        return sample(c, x / component.horizontalFactor, y / component.verticalFactor, value);
    case U::H2V1Fancy: {
        const int cx = x / 2;
        int here = 0;
        int beside = 0;
        if (!sample(c, cx, y, here))
            return false;
        if (x % 2 == 0) {
            if (cx == 0)
                return value = here, true;
            if (!sample(c, cx - 1, y, beside))
                return false;
            value = (here * 3 + beside + 1) >> 2;
        } else {
            if (cx == component.width - 1)
                return value = here, true;
            if (!sample(c, cx + 1, y, beside))
                return false;
            value = (here * 3 + beside + 2) >> 2;
        }
        return true;
    }
    case U::H1V2Fancy: {
        const int cy = y / 2;
        const bool upper = y % 2 == 0;
        int here = 0;
        int other = 0;
        if (!sample(c, x, cy, here) || !sample(c, x, upper ? cy - 1 : cy + 1, other))
            return false;
        value = (here * 3 + other + (upper ? 1 : 2)) >> 2;
        return true;
    }
    case U::H2V2Fancy: {
        const int cy = y / 2;
        const int otherRow = y % 2 == 0 ? cy - 1 : cy + 1;
        const auto columnSum = [&](int cx, int& sum) {
            int here = 0;
            int other = 0;
            if (!sample(c, cx, cy, here) || !sample(c, cx, otherRow, other))
                return false;
            sum = here * 3 + other;
            return true;
        };
        const int cx = x / 2;
        int thisSum = 0;
        int besideSum = 0;
        if (!columnSum(cx, thisSum))
            return false;
        if (x % 2 == 0) {
            if (cx == 0)
                return value = (thisSum * 4 + 8) >> 4, true;
            if (!columnSum(cx - 1, besideSum))
                return false;
            value = (thisSum * 3 + besideSum + 8) >> 4;
        } else {
            if (cx == component.width - 1)
                return value = (thisSum * 4 + 7) >> 4, true;
            if (!columnSum(cx + 1, besideSum))
                return false;
            value = (thisSum * 3 + besideSum + 7) >> 4;
        }
        return true;
    }
    }
    return false;
}

void CoefficientPixels::convertColour(const int* values, JSAMPLE* out) const {
    const JSAMPLE* limit = m_cinfo->sample_range_limit;
    const ColourTables& t = colourTables();
    switch (m_cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
        out[0] = out[1] = out[2] = static_cast<JSAMPLE>(values[0]);
        return;
    case JCS_RGB:
    case JCS_CMYK:
        for (int c = 0; c < m_cinfo->num_components; ++c)
            out[c] = static_cast<JSAMPLE>(values[c]);
        return;
    case JCS_YCbCr:
    case JCS_YCCK: {
        const int y = values[0];
        const int cb = values[1];
        const int cr = values[2];
        JSAMPLE rgb[3] = {limit[y + t.crRed[cr]],
                          limit[y + static_cast<int>((t.cbGreen[cb] + t.crGreen[cr]) >> scaleBits)],
                          limit[y + t.cbBlue[cb]]};
        if (m_cinfo->jpeg_color_space == JCS_YCbCr) {
            std::copy(rgb, rgb + 3, out);
        } else {
            for (int i = 0; i < 3; ++i)
                out[i] = static_cast<JSAMPLE>(MAXJSAMPLE - rgb[i]);
            out[3] = static_cast<JSAMPLE>(values[3]);
        }
        return;
    }
    default:
        return;
    }
}

bool CoefficientPixels::pixel(int x, int y, JSAMPLE* out) {
    int values[4] = {};
    for (int c = 0; c < m_cinfo->num_components; ++c)
        if (!upsampled(c, x, y, values[c]))
            return false;
    convertColour(values, out);
    return true;
}

void CoefficientPixels::forgetAbove(int y) {
    for (Component& component : m_components) {
        // A pixel of row y may look one sample row above its own.
        const int sampleRow = y / component.verticalFactor - 1;
        const quint64 firstKept = quint64(std::max(0, sampleRow) / DCTSIZE) << 32;
        for (auto it = component.blocks.begin(); it != component.blocks.end();)
            it = it->first < firstKept ? component.blocks.erase(it) : std::next(it);
    }
}

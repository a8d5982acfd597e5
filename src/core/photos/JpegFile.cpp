#include "core/photos/JpegFile.h"

#include <QBuffer>
#include <QByteArrayView>
#include <QFile>
#include <QImageReader>
#include <QIODevice>

#include "core/files/FileReading.h"
#include "core/files/FileWriting.h"
#include "core/photos/JpegCoefficients.h"
#include "core/photos/JpegErrors.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

#include <jerror.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

// The decoding and encoding functions that libjpeg may jump out of (see JpegErrors.h) are
// small "guarded" functions below; they only touch state reached through pointer arguments,
// and the objects with destructors live in their callers.

namespace {

constexpr qsizetype headerChunkSize = 4 * 1024;
constexpr qsizetype imageChunkSize = 64 * 1024;
constexpr qsizetype outputChunkSize = 64 * 1024;
constexpr int maxRowsPerRead = 16;

// --- Reading ---------------------------------------------------------------------------------

// Reads the file in small pieces, on demand, so that a header costs only the bytes that hold it.
struct FileSource {
    jpeg_source_mgr pub{};
    QFile* file = nullptr;
    JOCTET* buffer = nullptr;
    qsizetype bufferSize = 0;
    qint64 bytesRead = 0;
    // Before the header is complete, running out of file is an error. Inside the image data it
    // is ordinary damage: the decoder is handed an end marker and shows what it has.
    bool endIsDamage = false;
};

FileSource* fileSource(j_decompress_ptr cinfo) {
    return reinterpret_cast<FileSource*>(cinfo->src);
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    FileSource* source = fileSource(cinfo);
    const qint64 count =
        source->file->read(reinterpret_cast<char*>(source->buffer), source->bufferSize);
    if (count <= 0) {
        if (!source->endIsDamage)
            ERREXIT(cinfo, JERR_INPUT_EOF);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        static const JOCTET endOfImage[] = {0xFF, JPEG_EOI};
        source->pub.next_input_byte = endOfImage;
        source->pub.bytes_in_buffer = sizeof endOfImage;
        return TRUE;
    }
    source->bytesRead += count;
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = static_cast<std::size_t>(count);
    return TRUE;
}

// Segments nobody asked for (colour profiles, comments, unsaved EXIF) are stepped over with a
// seek rather than read.
void skipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0)
        return;
    FileSource* source = fileSource(cinfo);
    const auto wanted = static_cast<std::size_t>(count);
    if (wanted <= source->pub.bytes_in_buffer) {
        source->pub.next_input_byte += wanted;
        source->pub.bytes_in_buffer -= wanted;
        return;
    }
    const auto beyondBuffer = static_cast<qint64>(wanted - source->pub.bytes_in_buffer);
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = 0;
    // Seeking past the end is allowed; the next read then finds the end of the file.
    if (!source->file->seek(source->file->pos() + beyondBuffer))
        ERREXIT(cinfo, JERR_FILE_READ);
}

struct Decompressor {
    JpegErrors errors;
    jpeg_decompress_struct cinfo{};
    FileSource source;
    QByteArray buffer;

    Decompressor(QFile* file, qsizetype chunkSize)
        : buffer(chunkSize, Qt::Uninitialized) {
        cinfo.err = quietJpegErrors(errors);
        source.file = file;
        source.buffer = reinterpret_cast<JOCTET*>(buffer.data());
        source.bufferSize = buffer.size();
        source.pub.init_source = initSource;
        source.pub.fill_input_buffer = fillInputBuffer;
        source.pub.skip_input_data = skipInputData;
        source.pub.resync_to_restart = jpeg_resync_to_restart;
        source.pub.term_source = termSource;
    }
    // Safe on a structure that jpeg_create_decompress never reached or left half made.
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

bool readHeaderGuarded(Decompressor* decompressor) {
    j_decompress_ptr cinfo = &decompressor->cinfo;
    if (setjmp(decompressor->errors.jump))
        return false;
    jpeg_create_decompress(cinfo);
    cinfo->src = &decompressor->source.pub;
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(cinfo, JPEG_APP0 + 13, 0xFFFF);
    jpeg_save_markers(cinfo, JPEG_COM, 0xFFFF);
    return jpeg_read_header(cinfo, TRUE) == JPEG_HEADER_OK;
}

PhotoMetadata metadataOfMarkers(const jpeg_decompress_struct& cinfo) {
    MetadataSegments segments;
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
        const auto payload = QByteArray::fromRawData(reinterpret_cast<const char*>(marker->data),
                                                     static_cast<qsizetype>(marker->data_length));
        // Only the first segment of each kind counts.
        QByteArray* slot = nullptr;
        if (marker->marker == JPEG_COM)
            slot = &segments.comment;
        else if (marker->marker == JPEG_APP0 + 13)
            slot = &segments.photoshop;
        else if (payload.startsWith(QByteArrayView("Exif\0\0", 6)))
            slot = &segments.exif;
        else if (payload.startsWith("http://ns.adobe.com/xap/1.0/"))
            slot = &segments.xmp;
        if (slot && slot->isEmpty())
            *slot = payload;
    }
    return parsePhotoMetadata(segments);
}

// CMYK files that carry an APP14 colour-transform segment store their inks inverted (0 is full
// ink); without that segment the values are taken as plain ink amounts.
void cmykToRgb(const JSAMPLE* cmyk, uchar* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[0] = static_cast<uchar>(c * k / 255);
        rgb[1] = static_cast<uchar>(m * k / 255);
        rgb[2] = static_cast<uchar>(y * k / 255);
    }
}

// The whole-picture coefficient buffers libjpeg keeps for a file of several scans (nothing
// for a baseline file, which is decoded a row of blocks at a time).
qint64 coefficientBytes(const jpeg_decompress_struct& cinfo) {
    if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo)))
        return 0;
    qint64 bytes = 0;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        const qint64 columns = (component.width_in_blocks + component.h_samp_factor - 1) /
                               component.h_samp_factor * component.h_samp_factor;
        const qint64 rows = (component.height_in_blocks + component.v_samp_factor - 1) /
                            component.v_samp_factor * component.v_samp_factor;
        bytes += columns * rows * DCTSIZE2 * qint64(sizeof(JCOEF));
    }
    return bytes;
}

// atLeast, when not empty, lets libjpeg scale the picture down in its inverse DCT (to a half,
// a quarter or an eighth) as far as keeps it at least that large. Only these scales: their
// transforms are libjpeg-turbo's vectorised ones, while the other eighths run in plain C at
// several times the cost of decoding in full. Such a picture is to be filtered down, and comes
// out in the layout Qt's filters work in.
bool decodeGuarded(Decompressor* decompressor, QImage* image, const QSize* atLeast = nullptr,
                   int* orientation = nullptr) {
    j_decompress_ptr cinfo = &decompressor->cinfo;
    if (setjmp(decompressor->errors.jump))
        return false;
    jpeg_create_decompress(cinfo);
    cinfo->src = &decompressor->source.pub;
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    decompressor->source.endIsDamage = true;
    if (orientation)
        *orientation = metadataOfMarkers(*cinfo).orientation;
    if (atLeast && !atLeast->isEmpty()) {
        for (unsigned eighths = 1; eighths <= 8; eighths *= 2) {
            cinfo->scale_num = eighths;
            cinfo->scale_denom = 8;
            jpeg_calc_output_dimensions(cinfo);
            if (cinfo->output_width >= JDIMENSION(atLeast->width()) &&
                cinfo->output_height >= JDIMENSION(atLeast->height()))
                break;
        }
    }
    jpeg_calc_output_dimensions(cinfo);

    // A header can claim 65500 x 65500 pixels in a few dozen bytes. The picture is held to the
    // ceiling Qt's own image readers use, libjpeg's buffers for a progressive file to theirs.
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (limit > 0 && qint64(cinfo->output_width) * cinfo->output_height * 3 > limit)
        return false;
    cinfo->mem->max_memory_to_use =
        static_cast<long>(std::max(2 * limit, coefficientBytes(*cinfo) + qint64(64) * 1024 * 1024));

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    const bool forFilter = atLeast && !cmyk;
    cinfo->out_color_space = cmyk ? JCS_CMYK : forFilter ? JCS_EXT_BGRX : JCS_RGB;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != (cmyk || forFilter ? 4 : 3))
        return false;

    *image = QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                    forFilter ? QImage::Format_RGB32 : QImage::Format_RGB888);
    if (image->isNull())
        return false;
    JSAMPARRAY cmykRow = cmyk ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                            JPOOL_IMAGE, cinfo->output_width * 4, 1)
                              : nullptr;
    while (cinfo->output_scanline < cinfo->output_height) {
        const auto line = static_cast<int>(cinfo->output_scanline);
        if (cmyk) {
            jpeg_read_scanlines(cinfo, cmykRow, 1);
            cmykToRgb(cmykRow[0], image->scanLine(line), cinfo->output_width,
                      cinfo->saw_Adobe_marker);
        } else {
            // As many rows as libjpeg makes at a time, straight into the picture.
            JSAMPROW rows[maxRowsPerRead];
            const int count = std::min(maxRowsPerRead, image->height() - line);
            for (int i = 0; i < count; ++i)
                rows[i] = image->scanLine(line + i);
            jpeg_read_scanlines(cinfo, rows, static_cast<JDIMENSION>(count));
        }
    }
    // No jpeg_finish_decompress: every pixel is out, and whatever follows the image data
    // (trailing markers, junk) could only turn a good picture into a failure.
    return true;
}

// Which stored pixels a nearest-neighbour sampling of the turned picture takes. Turned by a
// quarter (orientations 5 to 8), a stored row lands in a column of the result, so "lines" are
// the result's rows or its columns, whichever one stored row feeds.
struct SamplingPlan {
    bool linesAreColumns = false;
    std::vector<int> storedRow;    // for each line of the result
    std::vector<int> lineOrder;    // the lines sorted by the stored row they come from
    std::vector<int> storedColumn; // for each pixel along a line
};

// Pixel (x, y) of the turned picture is stored at:
//   1 (x, y)  2 (w-1-x, y)  3 (w-1-x, h-1-y)  4 (x, h-1-y)
//   5 (y, x)  6 (y, h-1-x)  7 (w-1-y, h-1-x)  8 (w-1-y, x)
// with w × h the stored size.
SamplingPlan samplingPlan(QSize stored, int orientation, QSize size) {
    SamplingPlan plan;
    plan.linesAreColumns = orientation >= 5 && orientation <= 8;
    const bool flipRows =
        orientation == 3 || orientation == 4 || orientation == 6 || orientation == 7;
    const bool flipColumns =
        orientation == 2 || orientation == 3 || orientation == 7 || orientation == 8;
    const qint64 rows = stored.height();
    const qint64 columns = stored.width();
    const int lines = plan.linesAreColumns ? size.width() : size.height();
    const int along = plan.linesAreColumns ? size.height() : size.width();
    plan.storedRow.resize(static_cast<std::size_t>(lines));
    for (int line = 0; line < lines; ++line) {
        const auto row = static_cast<int>(line * rows / lines);
        plan.storedRow[static_cast<std::size_t>(line)] =
            flipRows ? static_cast<int>(rows) - 1 - row : row;
    }
    plan.storedColumn.resize(static_cast<std::size_t>(along));
    for (int at = 0; at < along; ++at) {
        const auto column = static_cast<int>(at * columns / along);
        plan.storedColumn[static_cast<std::size_t>(at)] =
            flipColumns ? static_cast<int>(columns) - 1 - column : column;
    }
    plan.lineOrder.resize(plan.storedRow.size());
    std::iota(plan.lineOrder.begin(), plan.lineOrder.end(), 0);
    std::stable_sort(plan.lineOrder.begin(), plan.lineOrder.end(), [&plan](int a, int b) {
        return plan.storedRow[static_cast<std::size_t>(a)] <
               plan.storedRow[static_cast<std::size_t>(b)];
    });
    return plan;
}

void copyLine(const JSAMPLE* rgbRow, const SamplingPlan& plan, int line, QImage* image) {
    const auto along = static_cast<int>(plan.storedColumn.size());
    for (int at = 0; at < along; ++at) {
        const JSAMPLE* from = rgbRow + 3 * plan.storedColumn[static_cast<std::size_t>(at)];
        uchar* to =
            plan.linesAreColumns ? image->scanLine(at) + 3 * line : image->scanLine(line) + 3 * at;
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
    }
}

// jpeg_skip_scanlines passes over whole iMCU rows with entropy decoding alone, which is where
// the time of a large photo goes; the few rows the sampling needs are decoded in full. Where
// fancy upsampling needs the rows around a wanted one (4:2:0, 4:4:0), libjpeg decodes those
// itself, so every row read is the row a full decode gives.
bool decodeSampledGuarded(Decompressor* decompressor, const SamplingPlan* plan, QImage* image) {
    j_decompress_ptr cinfo = &decompressor->cinfo;
    if (setjmp(decompressor->errors.jump))
        return false;
    decompressor->source.endIsDamage = true;
    // Only libjpeg's own buffers grow with the photo here: the coefficients of a progressive
    // file, already held to jpegCoefficientCeiling, and a few rows.
    cinfo->mem->max_memory_to_use =
        static_cast<long>(coefficientBytes(*cinfo) + qint64(64) * 1024 * 1024);

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != (cmyk ? 4 : 3) || cinfo->output_width != cinfo->image_width ||
        cinfo->output_height != cinfo->image_height)
        return false;

    auto common = reinterpret_cast<j_common_ptr>(cinfo);
    JSAMPARRAY rgbRow =
        (*cinfo->mem->alloc_sarray)(common, JPOOL_IMAGE, cinfo->output_width * 3, 1);
    JSAMPARRAY decodedRow =
        cmyk ? (*cinfo->mem->alloc_sarray)(common, JPOOL_IMAGE, cinfo->output_width * 4, 1)
             : rgbRow;
    const std::size_t lines = plan->lineOrder.size();
    for (std::size_t next = 0; next < lines;) {
        const auto row = static_cast<JDIMENSION>(plan->storedRow[plan->lineOrder[next]]);
        while (cinfo->output_scanline < row) {
            if (jpeg_skip_scanlines(cinfo, row - cinfo->output_scanline) == 0)
                jpeg_read_scanlines(cinfo, decodedRow, 1);
        }
        jpeg_read_scanlines(cinfo, decodedRow, 1);
        if (cmyk)
            cmykToRgb(decodedRow[0], rgbRow[0], cinfo->output_width, cinfo->saw_Adobe_marker);
        for (; next < lines && plan->storedRow[plan->lineOrder[next]] == static_cast<int>(row);
             ++next)
            copyLine(rgbRow[0], *plan, plan->lineOrder[next], image);
    }
    // No jpeg_finish_decompress, for the same reason as in the full decode; the rows below the
    // last one sampled are never looked at.
    return true;
}

// A file of several scans (progressive) keeps every coefficient in memory until the last scan
// is read, and libjpeg transforms whole rows of blocks to give any row. Computing just the
// pixels the sampling takes from the coefficients costs next to nothing beyond reading them.
bool readCoefficientsGuarded(Decompressor* decompressor, jvirt_barray_ptr** coefficients) {
    j_decompress_ptr cinfo = &decompressor->cinfo;
    if (setjmp(decompressor->errors.jump))
        return false;
    decompressor->source.endIsDamage = true;
    cinfo->mem->max_memory_to_use =
        static_cast<long>(coefficientBytes(*cinfo) + qint64(64) * 1024 * 1024);
    *coefficients = jpeg_read_coefficients(cinfo);
    return *coefficients != nullptr;
}

JBLOCKROW blockRowGuarded(Decompressor* decompressor, jvirt_barray_ptr coefficients,
                          JDIMENSION row) {
    j_decompress_ptr cinfo = &decompressor->cinfo;
    if (setjmp(decompressor->errors.jump))
        return nullptr;
    return (*cinfo->mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(cinfo), coefficients,
                                             row, 1, FALSE)[0];
}

bool sampleCoefficients(Decompressor* decompressor, jvirt_barray_ptr* coefficients,
                        const SamplingPlan& plan, QImage* image) {
    j_decompress_ptr cinfo = &decompressor->cinfo;
    CoefficientPixels pixels(cinfo, [&](int component, JDIMENSION row) {
        return blockRowGuarded(decompressor, coefficients[component], row);
    });
    const bool cmyk = cinfo->num_components == 4;
    std::vector<JSAMPLE> rgbRow(std::size_t(cinfo->image_width) * 3);
    JSAMPLE colour[4];
    const std::size_t lines = plan.lineOrder.size();
    for (std::size_t next = 0; next < lines;) {
        const int row = plan.storedRow[static_cast<std::size_t>(plan.lineOrder[next])];
        pixels.forgetAbove(row);
        for (const int column : plan.storedColumn) {
            if (!pixels.pixel(column, row, colour))
                return false;
            JSAMPLE* to = rgbRow.data() + 3 * column;
            if (cmyk)
                cmykToRgb(colour, to, 1, cinfo->saw_Adobe_marker);
            else
                std::copy(colour, colour + 3, to);
        }
        for (;
             next < lines && plan.storedRow[static_cast<std::size_t>(plan.lineOrder[next])] == row;
             ++next)
            copyLine(rgbRow.data(), plan, plan.lineOrder[next], image);
    }
    return true;
}

// --- Writing ---------------------------------------------------------------------------------

struct DeviceDestination {
    jpeg_destination_mgr pub{};
    QIODevice* device = nullptr;
    JOCTET* buffer = nullptr;
    qsizetype bufferSize = 0;
};

DeviceDestination* deviceDestination(j_compress_ptr cinfo) {
    return reinterpret_cast<DeviceDestination*>(cinfo->dest);
}

void initDestination(j_compress_ptr cinfo) {
    DeviceDestination* destination = deviceDestination(cinfo);
    destination->pub.next_output_byte = destination->buffer;
    destination->pub.free_in_buffer = static_cast<std::size_t>(destination->bufferSize);
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
    // libjpeg asks for the whole buffer to be written here, whatever free_in_buffer says.
    DeviceDestination* destination = deviceDestination(cinfo);
    if (destination->device->write(reinterpret_cast<const char*>(destination->buffer),
                                   destination->bufferSize) != destination->bufferSize)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    initDestination(cinfo);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    DeviceDestination* destination = deviceDestination(cinfo);
    const auto pending =
        destination->bufferSize - static_cast<qsizetype>(destination->pub.free_in_buffer);
    if (pending > 0 && destination->device->write(
                           reinterpret_cast<const char*>(destination->buffer), pending) != pending)
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

struct Compressor {
    JpegErrors errors;
    jpeg_compress_struct cinfo{};
    DeviceDestination destination;
    QByteArray buffer;

    explicit Compressor(QIODevice* device)
        : buffer(outputChunkSize, Qt::Uninitialized) {
        cinfo.err = quietJpegErrors(errors);
        destination.device = device;
        destination.buffer = reinterpret_cast<JOCTET*>(buffer.data());
        destination.bufferSize = buffer.size();
        destination.pub.init_destination = initDestination;
        destination.pub.empty_output_buffer = emptyOutputBuffer;
        destination.pub.term_destination = termDestination;
    }
    ~Compressor() { jpeg_destroy_compress(&cinfo); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

// rgb is QImage::Format_RGB888 or QImage::Format_RGB32 (blue, green, red, unused in memory).
bool encodeGuarded(Compressor* compressor, const QImage* rgb, const int* quality) {
    j_compress_ptr cinfo = &compressor->cinfo;
    if (setjmp(compressor->errors.jump))
        return false;
    jpeg_create_compress(cinfo);
    cinfo->dest = &compressor->destination.pub;
    cinfo->image_width = static_cast<JDIMENSION>(rgb->width());
    cinfo->image_height = static_cast<JDIMENSION>(rgb->height());
    const bool padded = rgb->format() == QImage::Format_RGB32;
    cinfo->input_components = padded ? 4 : 3;
    cinfo->in_color_space = padded ? JCS_EXT_BGRX : JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, *quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        // libjpeg only reads the rows it is given; the const_cast is for its C signature.
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb->constScanLine(static_cast<int>(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

} // namespace

QSize JpegHeader::displaySize() const {
    return orientation >= 5 && orientation <= 8 ? storedSize.transposed() : storedSize;
}

std::optional<JpegHeader> readJpegHeader(const QString& path) {
    // Unbuffered, so that what the source asks for is what is read from the file.
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, reason, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    Decompressor decompressor(&file, headerChunkSize);
    if (!readHeaderGuarded(&decompressor))
        return std::nullopt;
    JpegHeader header;
    header.storedSize = QSize(static_cast<int>(decompressor.cinfo.image_width),
                              static_cast<int>(decompressor.cinfo.image_height));
    header.metadata = metadataOfMarkers(decompressor.cinfo);
    header.orientation = header.metadata.orientation;
    header.bytesRead = decompressor.source.bytesRead;
    return header;
}

std::optional<QImage> readJpegScaled(const QString& path, QSize atLeast, int* orientation) {
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, reason, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    QImage image;
    Decompressor decompressor(&file, imageChunkSize);
    if (!decodeGuarded(&decompressor, &image, &atLeast, orientation))
        return std::nullopt;
    return image;
}

std::optional<QImage> readJpegImage(const QString& path) {
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, reason, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    QImage image;
    Decompressor decompressor(&file, imageChunkSize);
    if (!decodeGuarded(&decompressor, &image))
        return std::nullopt;
    return image;
}

// libjpeg's own decoding of the sampled rows, from the start of the file.
static std::optional<QImage> decodeSampled(QFile& file, const SamplingPlan& plan, QImage& image) {
    if (!file.seek(0))
        return std::nullopt;
    Decompressor decompressor(&file, imageChunkSize);
    if (!readHeaderGuarded(&decompressor) || !decodeSampledGuarded(&decompressor, &plan, &image))
        return std::nullopt;
    return image;
}

std::optional<QImage> readJpegSampled(const QString& path, QSize size, QString* tooLarge) {
    if (size.isEmpty())
        return std::nullopt;
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, reason, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    Decompressor decompressor(&file, imageChunkSize);
    if (!readHeaderGuarded(&decompressor))
        return std::nullopt;
    const qint64 coefficients = coefficientBytes(decompressor.cinfo);
    if (coefficients > jpegCoefficientCeiling) {
        if (tooLarge)
            *tooLarge = QStringLiteral("it needs %1 MB of memory to decode, more than %2 MB")
                            .arg(coefficients >> 20)
                            .arg(jpegCoefficientCeiling >> 20);
        return std::nullopt;
    }
    const QSize stored(static_cast<int>(decompressor.cinfo.image_width),
                       static_cast<int>(decompressor.cinfo.image_height));
    const SamplingPlan plan =
        samplingPlan(stored, metadataOfMarkers(decompressor.cinfo).orientation, size);
    QImage image(size, QImage::Format_RGB888);
    if (image.isNull())
        return std::nullopt;
    if (jpeg_has_multiple_scans(&decompressor.cinfo) &&
        CoefficientPixels::handles(decompressor.cinfo)) {
        jvirt_barray_ptr* coefficients = nullptr;
        if (!readCoefficientsGuarded(&decompressor, &coefficients))
            return std::nullopt;
        if (CoefficientPixels::coefficientsComplete(decompressor.cinfo))
            return sampleCoefficients(&decompressor, coefficients, plan, &image)
                       ? std::optional<QImage>(image)
                       : std::nullopt;
        // Cut short: libjpeg smooths what it shows of such a file; let it.
        return decodeSampled(file, plan, image);
    }
    if (!decodeSampledGuarded(&decompressor, &plan, &image))
        return std::nullopt;
    return image;
}

void keepLargeBuffersForReuse() {
#ifdef __GLIBC__
    constexpr int kept = 512 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kept);
    mallopt(M_TRIM_THRESHOLD, kept);
#endif
}

bool writeJpeg(const QImage& image, QIODevice* device, int quality) {
    if (image.isNull() || !device || !device->isWritable())
        return false;
    // A picture in Qt's 32-bit layout goes to libjpeg as it is, without a copy.
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        return false;
    Compressor compressor(device);
    return encodeGuarded(&compressor, &rgb, &quality);
}

bool writeJpeg(const QImage& image, const QString& path, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return writeJpeg(image, &buffer, quality) && !writeFileSafely(path, bytes);
}

// Makes 100 × 100 thumbnails of real photos and sets the time against what libjpeg needs to
// decode the same files, baseline and progressive photos apart:
//   (a) the thumbnail maker, (b) a full decode of every row, (c) entropy decoding alone
//   (jpeg_read_coefficients), all in milliseconds per megapixel of the photos.
// Every photo is used in both forms: the missing one is made by transcoding its coefficients,
// so the pixels of the two forms are the same. Also prints the peak memory of each phase.
//   thumbnails [rounds [source-folder]]
#include "core/generator/ThumbnailMaker.h"
#include "core/photos/JpegErrors.h"
#include "core/photos/JpegFile.h"

#include "SamplePhotos.h"
#include <QCoreApplication>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Photo {
    QString path;
    QSize shown;
    double megapixels = 0;
    bool progressive = false;
    bool transcoded = false;
};

enum class Work { FullDecode, Coefficients };

// Nothing with a destructor lives in here: libjpeg may jump out of it.
bool decodeGuarded(JpegErrors* errors, jpeg_decompress_struct* cinfo, std::FILE* file, Work work) {
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_stdio_src(cinfo, file);
    jpeg_read_header(cinfo, TRUE);
    if (work == Work::Coefficients) {
        jpeg_read_coefficients(cinfo);
    } else {
        cinfo->out_color_space = JCS_RGB;
        jpeg_start_decompress(cinfo);
        JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                     JPOOL_IMAGE, cinfo->output_width * 3, 1);
        while (cinfo->output_scanline < cinfo->output_height)
            jpeg_read_scanlines(cinfo, row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

bool decode(const QString& path, Work work) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return false;
    JpegErrors errors;
    jpeg_decompress_struct cinfo{};
    cinfo.err = quietJpegErrors(errors);
    const bool ok = decodeGuarded(&errors, &cinfo, file, work);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return ok;
}

bool transcodeGuarded(JpegErrors* errors, jpeg_decompress_struct* in, jpeg_compress_struct* out,
                      std::FILE* from, std::FILE* to, bool progressive) {
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(in);
    jpeg_create_compress(out);
    jpeg_stdio_src(in, from);
    jpeg_read_header(in, TRUE);
    jvirt_barray_ptr* coefficients = jpeg_read_coefficients(in);
    jpeg_copy_critical_parameters(in, out);
    if (progressive)
        jpeg_simple_progression(out);
    jpeg_stdio_dest(out, to);
    jpeg_write_coefficients(out, coefficients);
    jpeg_finish_compress(out);
    jpeg_finish_decompress(in);
    return true;
}

// Same coefficients, the other kind of file.
bool transcode(const QString& source, const QString& target, bool progressive) {
    std::FILE* from = std::fopen(QFile::encodeName(source).constData(), "rb");
    std::FILE* to = std::fopen(QFile::encodeName(target).constData(), "wb");
    bool ok = from && to;
    if (ok) {
        JpegErrors errors;
        jpeg_decompress_struct in{};
        jpeg_compress_struct out{};
        in.err = quietJpegErrors(errors);
        out.err = &errors.pub;
        ok = transcodeGuarded(&errors, &in, &out, from, to, progressive);
        jpeg_destroy_compress(&out);
        jpeg_destroy_decompress(&in);
    }
    if (from)
        std::fclose(from);
    if (to)
        std::fclose(to);
    return ok;
}

bool isProgressive(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(1 << 20);
    for (qsizetype at = 2; at + 4 <= bytes.size() && uchar(bytes[at]) == 0xff;) {
        const int marker = uchar(bytes[at + 1]);
        if (marker == 0xc2 || marker == 0xc6 || marker == 0xca || marker == 0xce)
            return true;
        if (marker == 0xda)
            return false;
        at += 2 + (uchar(bytes[at + 2]) << 8 | uchar(bytes[at + 3]));
    }
    return false;
}

QString photoEntry(const Photo& photo) {
    return QStringLiteral("<n>%1</n><w>%2</w><h>%3</h>")
        .arg(photo.path)
        .arg(photo.shown.width())
        .arg(photo.shown.height());
}

// Gives the thumbnail's path, to be removed after the clock has stopped so that every round
// writes the same name.
QString makeThumbnailOf(const Photo& photo) {
    const QString text = makeThumbnail(photoEntry(photo), 100, 100, true);
    return QFileInfo(photo.path).dir().filePath(text.section(QStringLiteral("</n>"), 0, 0).mid(3));
}

enum Phase { Maker, FullDecode, Coefficients, phaseCount };
const char* const phaseNames[] = {"(a) thumbnail maker", "(b) full decode", "(c) coefficients"};

// Leaves behind whatever the phase wrote, for the caller to remove untimed.
bool runPhase(Phase phase, const Photo& photo, QString* written) {
    switch (phase) {
    case Maker:
        *written = makeThumbnailOf(photo);
        return QFileInfo::exists(*written);
    case FullDecode:
        return decode(photo.path, Work::FullDecode);
    default:
        return decode(photo.path, Work::Coefficients);
    }
}

qint64 statusKb(const char* field) {
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Run as a child process, so that no earlier phase has grown the heap: one phase over the
// photos of one kind, printing the resident memory before it and the peak.
int measurePeak(Phase phase, const QStringList& paths) {
    std::vector<Photo> photos;
    for (const QString& path : paths) {
        const auto header = readJpegHeader(path);
        if (!header)
            return 1;
        Photo photo;
        photo.path = path;
        photo.shown = header->displaySize();
        photos.push_back(photo);
    }
    const qint64 before = statusKb("VmRSS:");
    for (const Photo& photo : photos) {
        QString written;
        if (!runPhase(phase, photo, &written))
            return 1;
        if (!written.isEmpty())
            QFile::remove(written);
    }
    std::printf("%lld %lld\n", before, statusKb("VmHWM:"));
    return 0;
}

// Other work on the machine only ever adds time, so the fastest round is the truest.
double fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() > 2 && arguments[1] == QStringLiteral("--peak"))
        return measurePeak(static_cast<Phase>(arguments[2].toInt()), arguments.mid(3));
    bool roundsOk = true;
    const int rounds = arguments.size() > 1 ? arguments[1].toInt(&roundsOk) : 5;
    const QString source = arguments.size() > 2 ? arguments[2] : defaultSamplePhotoFolder;
    if (!roundsOk || rounds <= 0) {
        std::fprintf(stderr, "usage: thumbnails [rounds [source-folder]]\n");
        return 2;
    }
    QTemporaryDir album;
    if (!album.isValid())
        return 1;

    std::vector<Photo> photos;
    for (const QString& original : jpegsUnder(source)) {
        const auto header = readJpegHeader(original);
        if (!header)
            continue;
        const bool progressive = isProgressive(original);
        for (const bool wanted : {false, true}) {
            Photo photo;
            photo.path = album.filePath(QStringLiteral("%1-%2")
                                            .arg(wanted ? QStringLiteral("p") : QStringLiteral("b"))
                                            .arg(QFileInfo(original).fileName()));
            photo.shown = header->displaySize();
            photo.megapixels =
                double(header->storedSize.width()) * header->storedSize.height() / 1e6;
            photo.progressive = wanted;
            photo.transcoded = wanted != progressive;
            const bool ok = photo.transcoded ? transcode(original, photo.path, wanted)
                                             : QFile::copy(original, photo.path);
            if (!ok) {
                std::fprintf(stderr, "cannot prepare %s\n", qPrintable(original));
                return 1;
            }
            photos.push_back(photo);
        }
    }
    if (photos.empty()) {
        std::fprintf(stderr, "no JPEG files under %s\n", qPrintable(source));
        return 1;
    }

    // Bit for bit what a full decode, turned and sampled, gives.
    int differing = 0;
    for (const Photo& photo : photos) {
        const QSize size =
            thumbnailDisplaySize(photo.shown.width(), photo.shown.height(), 100, 100);
        if (thumbnailPicture(photo.path, size) != plainThumbnailPicture(photo.path, size)) {
            ++differing;
            std::printf("DIFFERS: %s\n", qPrintable(photo.path));
        }
    }

    // Per photo and phase, the fastest of the rounds; the phases take turns so that a slow
    // moment of the machine does not fall on one of them alone. One round first, untimed, to
    // bring the files into the page cache.
    std::vector<std::vector<double>> milliseconds(photos.size(), std::vector<double>(phaseCount));
    for (std::size_t p = 0; p < photos.size(); ++p) {
        std::vector<std::vector<double>> samples(phaseCount);
        for (int round = -1; round < rounds; ++round) {
            for (int phase = 0; phase < phaseCount; ++phase) {
                QString written;
                QElapsedTimer timer;
                timer.start();
                const bool ok = runPhase(static_cast<Phase>(phase), photos[p], &written);
                const qint64 nanoseconds = timer.nsecsElapsed();
                if (!written.isEmpty())
                    QFile::remove(written);
                if (!ok) {
                    std::fprintf(stderr, "%s failed on %s\n", phaseNames[phase],
                                 qPrintable(photos[p].path));
                    return 1;
                }
                if (round >= 0)
                    samples[phase].push_back(double(nanoseconds) / 1e6);
            }
        }
        for (int phase = 0; phase < phaseCount; ++phase)
            milliseconds[p][phase] = fastest(samples[phase]);
    }

    std::printf("fastest of %d rounds per photo; ms per megapixel\n\n", rounds);
    std::printf("%-36s %7s %8s %8s %8s %6s %6s\n", "photo", "MP", "(a)", "(b)", "(c)", "a/b",
                "a/c");
    for (std::size_t p = 0; p < photos.size(); ++p) {
        const Photo& photo = photos[p];
        const double mp = photo.megapixels;
        std::printf("%-36s %7.2f %8.2f %8.2f %8.2f %6.3f %6.3f%s\n",
                    qPrintable(QFileInfo(photo.path).fileName()), mp, milliseconds[p][0] / mp,
                    milliseconds[p][1] / mp, milliseconds[p][2] / mp,
                    milliseconds[p][0] / milliseconds[p][1],
                    milliseconds[p][0] / milliseconds[p][2],
                    photo.transcoded ? "  (transcoded)" : "");
    }

    // Transcoded copies are listed apart too: they are not photos anyone took that way.
    std::printf("\n%-24s %6s %8s %8s %8s %8s %6s %6s\n", "class", "files", "MP", "(a)", "(b)",
                "(c)", "a/b", "a/c");
    for (const bool originalsOnly : {false, true}) {
        for (const bool progressive : {false, true}) {
            double mp = 0;
            double total[phaseCount] = {};
            int files = 0;
            for (std::size_t p = 0; p < photos.size(); ++p) {
                if (photos[p].progressive != progressive || (originalsOnly && photos[p].transcoded))
                    continue;
                ++files;
                mp += photos[p].megapixels;
                for (int phase = 0; phase < phaseCount; ++phase)
                    total[phase] += milliseconds[p][phase];
            }
            if (files == 0)
                continue;
            const QString name = QString::fromLatin1(progressive ? "progressive" : "baseline") +
                                 QString::fromLatin1(originalsOnly ? ", originals" : ", all");
            std::printf("%-24s %6d %8.1f %8.2f %8.2f %8.2f %6.3f %6.3f\n", qPrintable(name), files,
                        mp, total[0] / mp, total[1] / mp, total[2] / mp, total[0] / total[1],
                        total[0] / total[2]);
        }
    }

    std::printf(
        "\npeak resident memory of one phase over all photos of a kind, in a process of its "
        "own (kB):\n");
    std::printf("  %-12s %-22s %10s %10s %10s\n", "class", "phase", "at start", "peak", "growth");
    for (const bool progressive : {false, true}) {
        QStringList paths;
        for (const Photo& photo : photos)
            if (photo.progressive == progressive)
                paths.append(photo.path);
        for (int phase = 0; phase < phaseCount; ++phase) {
            QProcess child;
            child.start(app.applicationFilePath(),
                        QStringList{QStringLiteral("--peak"), QString::number(phase)} + paths);
            child.waitForFinished(-1);
            const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
            if (child.exitCode() != 0 || figures.size() != 2) {
                std::fprintf(stderr, "the memory of %s could not be measured\n", phaseNames[phase]);
                return 1;
            }
            const qint64 start = figures[0].toLongLong();
            const qint64 peak = figures[1].toLongLong();
            std::printf("  %-12s %-22s %10lld %10lld %10lld\n",
                        progressive ? "progressive" : "baseline", phaseNames[phase], start, peak,
                        peak - start);
        }
    }
    double largest = 0;
    for (const Photo& photo : photos)
        largest = std::max(largest, photo.megapixels);
    std::printf("  for scale: the largest photo (%.1f MP) as one 24-bit picture takes %.0f kB\n",
                largest, largest * 1e6 * 3 / 1024);
    std::printf("\nthumbnail pixels differing from full decode + sampling: %d of %zu photos\n",
                differing, photos.size());
    return differing == 0 ? 0 : 1;
}

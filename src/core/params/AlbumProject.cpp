#include "core/params/AlbumProject.h"

#include "core/files/FileNames.h"
#include "core/files/FileReading.h"
#include "core/files/FileWriting.h"
#include "core/params/ParameterFile.h"
#include "core/params/ProfileFile.h"
#include "core/photos/PhotoAdding.h"

#include <QDir>
#include <QStringDecoder>

namespace {

const QString projectSection = QStringLiteral("Kadrela Project");
const QByteArray photosHeader = QByteArrayLiteral("[Photos]");

// Far more than any real project (10 000 photos take about a megabyte).
constexpr qint64 largestProject = qint64(256) * 1024 * 1024;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}

// The bytes of text with every byte the file cannot hold as it is written as %XX.
QByteArray escaped(const QString& text) {
    const QByteArray bytes = encodeFileName(text);
    QByteArray result;
    result.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        // A whole UTF-8 sequence stays as it is; a byte that starts none is escaped.
        qsizetype length = 1;
        if (byte >= 0xC2 && byte <= 0xF4)
            length = byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        const QByteArray sequence = bytes.mid(at, length);
        const bool atEnd = at == 0 || at + length == bytes.size();
        const bool plain = byte >= 0x80
                               ? sequence.size() == length && length > 1 && isValidUtf8(sequence)
                               : byte >= 0x20 && byte != 0x7F && byte != '%' &&
                                     !(atEnd && (byte == ' ' || byte == '"' || byte == '\''));
        if (plain) {
            result += sequence;
            at += length;
        } else {
            result += '%';
            result += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
            at += 1;
        }
    }
    return result;
}

QString unescaped(const QByteArray& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && isHexDigit(text[i + 1]) &&
            isHexDigit(text[i + 2])) {
            bytes += static_cast<char>(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return decodeFileName(bytes);
}

QString escapedText(const QString& text) {
    return QString::fromUtf8(escaped(text));
}

QString unescapedText(const QString& text) {
    return unescaped(text.toUtf8());
}

// Where the [Photos] line starts: the last such line at the start of a line, or -1.
qsizetype photosStart(const QByteArray& bytes) {
    qsizetype at = bytes.lastIndexOf("\n" + photosHeader);
    if (at >= 0)
        return at + 1;
    return bytes.startsWith(photosHeader) ? 0 : -1;
}

} // namespace

std::optional<QString> saveAlbumProject(const QString& path, const AlbumProject& project) {
    ProfileFile file = ProfileFile::fromBytes(path, QByteArray(), ProfileFile::Encoding::Utf8);
    writeParameters(file, project.parameters);
    file.writeString(projectSection, QStringLiteral("Title"), escapedText(project.title));
    file.writeString(projectSection, QStringLiteral("Location"), escapedText(project.location));
    QByteArray bytes = file.bytes();
    bytes += photosHeader + "\r\n";
    for (const QString& photo : project.photoPaths)
        bytes += escaped(photo) + "\r\n";
    if (const std::optional<QString> reason = writeFileSafely(path, bytes))
        return QStringLiteral("Unable to write to %1 (%2)")
            .arg(QDir::toNativeSeparators(path), *reason);
    return std::nullopt;
}

AlbumProjectLoad loadAlbumProject(const QString& path, const AlbumParameters& current) {
    AlbumProjectLoad load;
    QString reason;
    const std::optional<QByteArray> bytes = readRegularFile(path, largestProject, &reason);
    const QString shown = QDir::toNativeSeparators(path);
    if (!bytes) {
        load.error = QStringLiteral("The album project %1 cannot be read (%2).").arg(shown, reason);
        return load;
    }
    const qsizetype photos = photosStart(*bytes);
    const ProfileFile file = ProfileFile::fromBytes(path, photos < 0 ? *bytes : bytes->left(photos),
                                                    ProfileFile::Encoding::Utf8);
    if (photos < 0) {
        load.error = QStringLiteral("The file %1 is not an album project.").arg(shown);
        return load;
    }
    const QList<QByteArray> lines = bytes->mid(photos + photosHeader.size()).split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            load.project.photoPaths << unescaped(line);
    }
    const ParameterFileLoad parameters =
        readParameters(file, current, static_cast<int>(load.project.photoPaths.size()));
    if (parameters.outcome == ParameterFileLoad::Outcome::NotAParameterFile) {
        load.error = QStringLiteral("The file %1 is not an album project.").arg(shown);
        return load;
    }
    if (parameters.outcome == ParameterFileLoad::Outcome::StoppedAtBadColour)
        load.warnings << parameters.error;
    load.warnings << parameters.warnings;
    load.project.parameters = parameters.parameters;
    load.project.title =
        unescapedText(file.readString(projectSection, QStringLiteral("Title"), QString()));
    load.project.location =
        unescapedText(file.readString(projectSection, QStringLiteral("Location"), QString()));
    for (const QString& photo : std::as_const(load.project.photoPaths)) {
        if (const std::optional<QString> entry = entryToAdd(photo))
            load.entries << *entry;
        else if (!load.missing.contains(photo))
            load.missing << photo;
    }
    load.loaded = true;
    return load;
}

QString missingPhotosMessage(const QString& projectPath, const QStringList& missing) {
    QStringList shown;
    for (const QString& photo : missing)
        shown << QDir::toNativeSeparators(displayFileName(photo));
    return QStringLiteral("These photos of %1 are no longer there and were left out:\n%2")
        .arg(QDir::toNativeSeparators(projectPath), shown.join(QLatin1Char('\n')));
}

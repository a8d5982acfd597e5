#include "core/files/FileNames.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <algorithm>
#include <sys/stat.h>

namespace {

constexpr char16_t escapeBase = 0xDC00;

bool isEscapedByte(char16_t c) {
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF;
}

// How many bytes the UTF-8 sequence starting with lead takes; 0 for a byte no sequence
// starts with.
int sequenceLength(uchar lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

} // namespace

QString decodeFileName(const QByteArray& bytes) {
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QString name;
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = sequenceLength(static_cast<uchar>(bytes[at]));
        const QByteArrayView sequence =
            QByteArrayView(bytes).sliced(at, std::min<qsizetype>(length, bytes.size() - at));
        if (length > 0 && sequence.size() == length && sequence.isValidUtf8()) {
            name += QString::fromUtf8(sequence);
            at += length;
        } else {
            name += QChar(char16_t(escapeBase + static_cast<uchar>(bytes[at])));
            ++at;
        }
    }
    return name;
}

QByteArray encodeFileName(const QString& path) {
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype at = 0; at < path.size(); ++at) {
        const char16_t c = path[at].unicode();
        // A lone low surrogate: not the second half of a pair.
        if (isEscapedByte(c) && (at == 0 || !path[at - 1].isHighSurrogate())) {
            bytes += path.mid(from, at - from).toUtf8();
            bytes += static_cast<char>(c - escapeBase);
            from = at + 1;
        }
    }
    return bytes + path.mid(from).toUtf8();
}

QString displayFileName(const QString& name) {
    QString shown = name;
    QStringDecoder windows1250("windows-1250");
    for (QChar& c : shown) {
        if (isEscapedByte(c.unicode())) {
            const char byte = static_cast<char>(c.unicode() - escapeBase);
            const QString decoded = windows1250.decode(QByteArrayView(&byte, 1));
            c = decoded.size() == 1 && decoded.front() != QChar::ReplacementCharacter
                    ? decoded.front()
                    : QChar(u'_');
        }
    }
    return shown;
}

PathStatus pathStatus(const QString& path) {
    struct stat status {};
    if (::stat(encodeFileName(path).constData(), &status) != 0)
        return {};
    return {true, S_ISREG(status.st_mode), S_ISDIR(status.st_mode),
            static_cast<qint64>(status.st_size)};
}

#include "core/generator/TextOutput.h"

#include "core/files/FileWriting.h"
#include "core/generator/GenerationError.h"

#include <QDir>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char codePageName[] = "windows-1250";

// The characters the code page holds, read off the decoder itself: every byte that decodes
// to a character of its own. Bytes the code page leaves undefined decode to U+FFFD and
// contribute nothing.
const QSet<char32_t>& windows1250Characters() {
    static const QSet<char32_t> characters = [] {
        QSet<char32_t> set;
        for (int byte = 0; byte < 256; ++byte) {
            QStringDecoder decoder(codePageName);
            const QString decoded = decoder(QByteArray(1, static_cast<char>(byte)));
            if (decoder.hasError() || decoded.size() != 1 ||
                decoded.front() == QChar::ReplacementCharacter)
                continue;
            set.insert(decoded.front().unicode());
        }
        return set;
    }();
    return characters;
}

bool needsEscape(char32_t codePoint, qint8 languageFlag) {
    if (codePoint < 0x80)
        return false;
    const bool polish = languageFlag != 0;
    return !polish || !fitsWindows1250(codePoint);
}

template <typename Escape>
QString replaceCharacters(const QString& text, qint8 languageFlag, Escape escape) {
    QString result;
    result.reserve(text.size());
    const QList<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        const auto character = static_cast<char32_t>(codePoint);
        if (needsEscape(character, languageFlag))
            result += escape(character);
        else
            result += QString::fromUcs4(&character, 1);
    }
    return result;
}

QString htmlReference(char32_t codePoint) {
    return QStringLiteral("&#%1;").arg(static_cast<uint>(codePoint));
}

QString cssEscape(char32_t codePoint) {
    return QStringLiteral("\\%1 ").arg(static_cast<uint>(codePoint), 0, 16);
}

} // namespace

bool fitsWindows1250(char32_t codePoint) {
    return windows1250Characters().contains(codePoint);
}

QString htmlCharacters(const QString& text, qint8 languageFlag) {
    return replaceCharacters(text, languageFlag, htmlReference);
}

QStringList htmlCharacters(const QStringList& lines, qint8 languageFlag) {
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines)
        result.append(htmlCharacters(line, languageFlag));
    return result;
}

QString cssCharacters(const QString& text, qint8 languageFlag) {
    return replaceCharacters(text, languageFlag, cssEscape);
}

QStringList cssCharacters(const QStringList& lines, qint8 languageFlag) {
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines)
        result.append(cssCharacters(line, languageFlag));
    return result;
}

QByteArray windows1250Lines(const QStringList& lines) {
    QStringEncoder encoder(codePageName);
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encoder.encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

void writeUtf8Lines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    if (const std::optional<QString> reason = writeFileSafely(path, bytes))
        throw GenerationError(QStringLiteral("The file %1 cannot be written (%2).")
                                  .arg(QDir::toNativeSeparators(path), *reason));
}

void writeTextLines(const QString& path, const QStringList& lines) {
    if (const std::optional<QString> reason = writeFileSafely(path, windows1250Lines(lines)))
        throw GenerationError(QStringLiteral("The file %1 cannot be written (%2).")
                                  .arg(QDir::toNativeSeparators(path), *reason));
}

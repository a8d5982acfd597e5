#include "core/params/ProfileFile.h"

#include "core/files/FileReading.h"
#include "core/files/FileWriting.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <limits>

namespace {

const char* encodingName(ProfileFile::Encoding encoding) {
    return encoding == ProfileFile::Encoding::Utf8 ? "UTF-8" : "windows-1250";
}

std::optional<QString> sectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// Splits "key = value" into its trimmed key and raw value; comment lines have no key.
std::optional<std::pair<QString, QString>> keyAndValue(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return std::pair{trimmed.left(equals).trimmed(), trimmed.mid(equals + 1).trimmed()};
}

QString withoutQuotes(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int hexDigit(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

} // namespace

std::optional<qint32> parseProfileInteger(const QString& input) {
    QString text = input.trimmed();
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X')))
        text = QLatin1Char('$') + text.mid(2);

    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;

    if (text[i] == QLatin1Char('$')) {
        ++i;
        const qsizetype digits = text.size() - i;
        if (digits < 1 || digits > 8)
            return std::nullopt;
        quint32 value = 0;
        for (; i < text.size(); ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + quint32(digit);
        }
        if (negative)
            value = 0u - value;
        return qint32(value);
    }

    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(1) << 31)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return qint32(value);
}

ProfileFile::ProfileFile(const QString& path, Encoding encoding)
    : m_path(path)
    , m_encoding(encoding) {
    const std::optional<QByteArray> bytes = readRegularFile(path, maximumSize, &m_readError);
    if (!bytes)
        return;
    m_exists = true;
    setText(*bytes);
}

ProfileFile ProfileFile::fromBytes(const QString& path, const QByteArray& bytes,
                                   Encoding encoding) {
    ProfileFile file(QString(), encoding);
    file.m_path = path;
    file.m_readError.clear();
    file.m_exists = true;
    file.setText(bytes);
    return file;
}

void ProfileFile::setText(const QByteArray& bytes) {
    QStringDecoder decoder(encodingName(m_encoding));
    QString text = decoder.decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines = text.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.back().isEmpty())
        m_lines.removeLast();
}

std::optional<QString> ProfileFile::findValue(const QString& section, const QString& key) const {
    bool inSection = false;
    for (const QString& line : m_lines) {
        if (const auto name = sectionName(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto entry = keyAndValue(line); entry && sameName(entry->first, key))
            return withoutQuotes(entry->second);
    }
    return std::nullopt;
}

QString ProfileFile::readString(const QString& section, const QString& key, const QString& fallback,
                                qsizetype maxLength) const {
    const auto value = findValue(section, key);
    if (!value)
        return fallback;
    return maxLength > 0 ? value->left(maxLength) : *value;
}

qint32 ProfileFile::readInteger(const QString& section, const QString& key, qint32 fallback) const {
    const auto value = findValue(section, key);
    if (!value)
        return fallback;
    return parseProfileInteger(*value).value_or(fallback);
}

bool ProfileFile::readBool(const QString& section, const QString& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString newLine = key + QLatin1Char('=') + value;
    qsizetype sectionStart = -1; // index of the section's header line
    qsizetype lastContent = -1;  // last non-blank line inside the section
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines[i];
        if (const auto name = sectionName(line)) {
            if (sectionStart >= 0)
                break; // the section ended without the key
            if (sameName(*name, section)) {
                sectionStart = i;
                lastContent = i;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (const auto entry = keyAndValue(line); entry && sameName(entry->first, key)) {
            m_lines[i] = newLine;
            return;
        }
        if (!line.trimmed().isEmpty())
            lastContent = i;
    }
    if (sectionStart < 0) {
        m_lines << QLatin1Char('[') + section + QLatin1Char(']') << newLine;
        return;
    }
    m_lines.insert(lastContent + 1, newLine);
}

void ProfileFile::writeInteger(const QString& section, const QString& key, qint32 value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QByteArray ProfileFile::bytes() const {
    QStringEncoder encoder(encodingName(m_encoding));
    QByteArray bytes;
    for (const QString& line : m_lines) {
        bytes += encoder.encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

bool ProfileFile::save() const {
    return !writeFileSafely(m_path, bytes());
}

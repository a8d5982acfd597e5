#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Reads an integer the way settings and parameter files store them: decimal, or hexadecimal
// after "$" or "0x"/"0X" (hexadecimal takes up to eight digits and wraps into the signed
// 32-bit range, so "$FF00000F" reads as a negative number). Anything else is not a number.
std::optional<qint32> parseProfileInteger(const QString& text);

// An INI ("profile") file as the program's settings file and the parameter files use it:
// Windows-1250 text; sections and keys matched without regard to letter case; values read
// with surrounding blanks and quotes removed; writing replaces the value of an existing key
// in place and keeps every other line of the file as it was.
class ProfileFile {
public:
    // Nothing the program writes comes near this; anything larger is not one of its files.
    static constexpr qint64 maximumSize = 4 * 1024 * 1024;

    enum class Encoding { Windows1250, Utf8 };

    // Reads the file when it is a regular file of at most maximumSize bytes; otherwise the
    // profile starts empty, as for a missing file.
    explicit ProfileFile(const QString& path, Encoding encoding = Encoding::Windows1250);

    // A profile read from bytes already in memory, to be saved (if at all) at path.
    static ProfileFile fromBytes(const QString& path, const QByteArray& bytes, Encoding encoding);

    const QString& path() const { return m_path; }
    bool exists() const { return m_exists; }
    // Why the file could not be read ("No such file or directory", "not a regular file").
    const QString& readError() const { return m_readError; }

    // maxLength limits how much of a value is read back; 0 means no limit.
    QString readString(const QString& section, const QString& key, const QString& fallback,
                       qsizetype maxLength = 0) const;
    qint32 readInteger(const QString& section, const QString& key, qint32 fallback) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, qint32 value);
    void writeBool(const QString& section, const QString& key, bool value);

    // Writes the file in one step (CR LF line ends), creating it when missing.
    // False when the file cannot be written; the file on disk is then left as it was.
    bool save() const;
    // The file as save() writes it.
    QByteArray bytes() const;

private:
    std::optional<QString> findValue(const QString& section, const QString& key) const;
    void setText(const QByteArray& bytes);

    QString m_path;
    QStringList m_lines;
    Encoding m_encoding = Encoding::Windows1250;
    bool m_exists = false;
    QString m_readError;
};

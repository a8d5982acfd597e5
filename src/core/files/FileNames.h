#pragma once

#include <QByteArray>
#include <QString>

// File names as the file system holds them: bytes, nearly always UTF-8. A name that is not
// valid UTF-8 (written by an old camera or another system) still round-trips: each byte that
// cannot be decoded is kept as the lone surrogate U+DC80–U+DCFF of its value, so every file
// that exists can be found again by the path the program holds.
QString decodeFileName(const QByteArray& bytes);
QByteArray encodeFileName(const QString& path);

// The name as people and pages see it: an undecodable byte is taken as the Windows-1250
// character of its value, the code page of the album's pages. Copies in the album carry such
// names, so that the pages can link to them.
QString displayFileName(const QString& name);

// What the file system says of a path (links followed), looked up by its bytes.
struct PathStatus {
    bool exists = false;
    bool isFile = false; // a regular file
    bool isDirectory = false;
    qint64 size = 0;
};
PathStatus pathStatus(const QString& path);

#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

class QFile;

// Opening files that a user named. Whatever is not a regular file — a named pipe, which
// would block for ever, a device, which never ends — is refused before anything is read,
// without waiting for a writer at the other end of a pipe.

// Opens path for reading into file. The reason on failure is the system's, or says that
// the path is not a regular file.
bool openRegularFile(const QString& path, QFile& file, QString& reason,
                     QIODevice::OpenMode mode = QIODevice::ReadOnly);

// The whole file, refused (with the reason) when it is not a regular file or holds more
// than maxSize bytes.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxSize,
                                          QString* reason = nullptr);

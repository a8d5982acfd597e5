#include "core/files/FileReading.h"

#include "core/files/FileNames.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool openRegularFile(const QString& path, QFile& file, QString& reason, QIODevice::OpenMode mode) {
    // Without O_NONBLOCK, opening a pipe waits until someone opens its other end.
    const int descriptor =
        ::open(encodeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        reason = QStringLiteral("not a regular file");
        return false;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    file.setFileName(path);
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        reason = file.errorString();
        return false;
    }
    return true;
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxSize, QString* reason) {
    QFile file;
    QString why;
    if (!openRegularFile(path, file, why)) {
        if (reason)
            *reason = why;
        return std::nullopt;
    }
    if (file.size() > maxSize) {
        if (reason)
            *reason = QStringLiteral("larger than %1 bytes").arg(maxSize);
        return std::nullopt;
    }
    // Read one byte past the limit, in case the file grew since its size was read.
    QByteArray bytes = file.read(maxSize + 1);
    if (bytes.size() > maxSize || file.error() != QFileDevice::NoError) {
        if (reason)
            *reason = bytes.size() > maxSize ? QStringLiteral("larger than %1 bytes").arg(maxSize)
                                             : file.errorString();
        return std::nullopt;
    }
    return bytes;
}

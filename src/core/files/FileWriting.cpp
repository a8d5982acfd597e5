#include "core/files/FileWriting.h"

#include "core/files/FileNames.h"
#include "core/files/FileReading.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Short, so that a photo name near the file system's limit still leaves room, and unlike any
// name the album uses.
QString temporaryPath(const QString& directory) {
    static QAtomicInt counter;
    return QDir(directory).filePath(QStringLiteral(".kadrela-%1-%2.tmp")
                                        .arg(QCoreApplication::applicationPid())
                                        .arg(counter.fetchAndAddRelaxed(1)));
}

// A new file in the folder of path, opened exclusively (never an existing file or link).
bool openTemporary(const QString& path, QFile& file, QString& reason) {
    const QString directory = QFileInfo(path).path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.setFileName(temporaryPath(directory));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        if (!file.exists() && !QFileInfo(file.fileName()).isSymLink()) {
            reason = file.errorString();
            return false;
        }
    }
    reason = QStringLiteral("no free temporary name");
    return false;
}

// Checks what the system says of every write, of the flush and of the close, and that the
// file holds as many bytes as were written.
bool finishWriting(QFile& file, qint64 expectedSize, QString& reason) {
    const bool flushed = file.flush();
    file.close();
    if (!flushed || file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    if (QFileInfo(file.fileName()).size() != expectedSize) {
        reason = QStringLiteral("the file is incomplete on disk");
        return false;
    }
    return true;
}

bool writeAll(QFile& file, const char* data, qint64 size, QString& reason) {
    while (size > 0) {
        const qint64 written = file.write(data, size);
        if (written <= 0) {
            reason = file.errorString();
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Renames the finished file into place: over whatever is there, or only where nothing is.
bool moveIntoPlace(const QString& from, const QString& to, IfPresent ifPresent, QString& reason) {
    const QByteArray source = encodeFileName(from);
    const QByteArray target = encodeFileName(to);
    int result = 0;
    if (ifPresent == IfPresent::Replace) {
        result = std::rename(source.constData(), target.constData());
    } else {
        result =
            renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // A file system without the flag: a hard link fails just as well when the
            // name is taken.
            result = ::link(source.constData(), target.constData());
            if (result == 0)
                ::unlink(source.constData());
        }
    }
    if (result != 0) {
        reason = systemReason(errno);
        return false;
    }
    return true;
}

// Lets the kernel copy what it can, without the bytes passing through this process (and as a
// shared extent where the file system offers one). Returns how far it got: whatever remains, a
// file system that cannot do it or any failure on the way, is left to the ordinary reads and
// writes, which tell a failure to read from one to write.
qint64 copyInKernel(QFile& in, QFile& out) {
    qint64 copied = 0;
    for (;;) {
        const ssize_t count =
            ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr, 1 << 30, 0);
        if (count <= 0)
            return copied;
        copied += count;
    }
}

} // namespace

std::optional<QString> writeFileSafely(const QString& path, const QByteArray& bytes,
                                       IfPresent ifPresent) {
    QFile file;
    QString reason;
    if (!openTemporary(path, file, reason))
        return reason;
    if (writeAll(file, bytes.constData(), bytes.size(), reason) &&
        finishWriting(file, bytes.size(), reason) &&
        moveIntoPlace(file.fileName(), path, ifPresent, reason))
        return std::nullopt;
    file.close();
    QFile::remove(file.fileName());
    return reason;
}

std::optional<CopyFailure> copyToNewFile(const QString& source, const QString& target) {
    QFile in;
    QString reason;
    if (!openRegularFile(source, in, reason))
        return CopyFailure{true, reason};
    QFile out;
    if (!openTemporary(target, out, reason))
        return CopyFailure{false, reason};
    qint64 copied = copyInKernel(in, out);
    std::optional<CopyFailure> failure;
    if (!in.seek(copied) || !out.seek(copied))
        failure = CopyFailure{false, out.errorString()};
    QByteArray buffer(failure ? 0 : 1 << 20, Qt::Uninitialized);
    while (!failure) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0) {
            failure = CopyFailure{true, in.errorString()};
            break;
        }
        if (got == 0)
            break;
        if (!writeAll(out, buffer.constData(), got, reason)) {
            failure = CopyFailure{false, reason};
            break;
        }
        copied += got;
    }
    if (!failure && !finishWriting(out, copied, reason))
        failure = CopyFailure{false, reason};
    if (!failure && !moveIntoPlace(out.fileName(), target, IfPresent::Fail, reason))
        failure = CopyFailure{false, reason};
    if (failure) {
        out.close();
        QFile::remove(out.fileName());
    }
    return failure;
}

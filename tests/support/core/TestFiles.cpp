#include "TestFiles.h"

#include "core/files/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <stdexcept>

namespace testfiles {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Opened by its bytes, so that a name that is not UTF-8 is written as it is.
    QFile file;
    const int descriptor =
        ::open(encodeFileName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) ||
        file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file " + path.toStdString());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace testfiles

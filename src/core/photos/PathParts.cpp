#include "core/photos/PathParts.h"

#include <QDir>

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QDir::separator();
}

qsizetype lastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i]))
            return i;
    return -1;
}

// "" (the root of "/x") and, on Windows, "C:" (of "C:\x") name no directory without their
// separator.
bool needsSeparatorToBeARoot(const QString& directory) {
#ifdef Q_OS_WIN
    if (directory.size() == 2 && directory[1] == QLatin1Char(':') && directory[0].isLetter())
        return true;
#endif
    return directory.isEmpty();
}

} // namespace

QString directoryPart(const QString& path) {
    const qsizetype separator = lastSeparator(path);
    if (separator < 0)
        return {};
    const QString directory = path.left(separator);
    return needsSeparatorToBeARoot(directory) ? path.left(separator + 1) : directory;
}

QString fileNamePart(const QString& path) {
    return path.mid(lastSeparator(path) + 1);
}

QString withTrailingSeparator(const QString& directory) {
    if (directory.isEmpty() || isSeparator(directory.back()))
        return directory;
    return directory + QDir::separator();
}

#include "core/photos/DirectoryScan.h"

#include "core/files/FileNames.h"
#include "core/photos/PathParts.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <dirent.h>
#include <optional>
#include <sys/stat.h>

namespace {

struct ScanEntry {
    QString name;
    bool isDirectory = false;
    bool isLink = false;
};

// The whole directory is read before anything is handed over: the callback may take its time
// (and let the window run) without holding the directory open. Names are read as the file
// system holds them, so a name that is not valid UTF-8 is met like any other.
QList<ScanEntry> sortedEntries(const QString& directory) {
    QList<ScanEntry> entries;
    DIR* stream = ::opendir(encodeFileName(directory).constData());
    if (!stream)
        return entries;
    const QString prefix = withTrailingSeparator(directory);
    while (const dirent* entry = ::readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QString path = prefix + decodeFileName(name);
        struct stat status {};
        const bool isLink =
            ::lstat(encodeFileName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
        entries.append(ScanEntry{decodeFileName(name), pathStatus(path).isDirectory, isLink});
    }
    ::closedir(stream);
    std::sort(entries.begin(), entries.end(),
              [](const ScanEntry& a, const ScanEntry& b) { return scanNameLess(a.name, b.name); });
    return entries;
}

struct ScanState {
    QString rootCanonical;
    QSet<QPair<quint64, quint64>> visited; // device and inode of every directory entered
    const std::function<void(const QString&)>& onFile;
    const std::function<bool()>& stopRequested;

    bool stopping() const { return stopRequested && stopRequested(); }
};

bool isPseudoFileSystem(const QString& canonical) {
    for (const char* top : {"/proc", "/sys", "/dev"}) {
        const QLatin1String prefix(top);
        if (canonical == prefix || canonical.startsWith(prefix + QLatin1Char('/')))
            return true;
    }
    return false;
}

// The scanned directory itself, or one that holds it.
bool holdsTheRoot(const QString& canonical, const QString& rootCanonical) {
    return canonical == rootCanonical || canonical == QLatin1String("/") ||
           rootCanonical.startsWith(canonical + QLatin1Char('/'));
}

std::optional<QPair<quint64, quint64>> identity(const QString& path) {
    struct stat status {};
    if (::stat(encodeFileName(path).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    return QPair<quint64, quint64>(status.st_dev, status.st_ino);
}

void scanInto(const QString& directory, ScanState& state) {
    const QString canonical = QFileInfo(directory).canonicalFilePath();
    const std::optional<QPair<quint64, quint64>> id = identity(directory);
    if (canonical.isEmpty() || !id || isPseudoFileSystem(canonical) || state.visited.contains(*id))
        return;
    state.visited.insert(*id);
    const QString prefix = withTrailingSeparator(directory);
    for (const ScanEntry& entry : sortedEntries(directory)) {
        if (state.stopping())
            return;
        const QString path = prefix + entry.name;
        if (!entry.isDirectory) {
            state.onFile(path);
        } else if (!entry.isLink ||
                   !holdsTheRoot(QFileInfo(path).canonicalFilePath(), state.rootCanonical)) {
            scanInto(path, state);
        }
    }
}

} // namespace

bool scanNameLess(const QString& a, const QString& b) {
    if (const int order = QString::compare(a, b, Qt::CaseInsensitive); order != 0)
        return order < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

void scanDirectory(const QString& directory, const std::function<void(const QString&)>& onFile,
                   const std::function<bool()>& stopRequested) {
    if (directory.isEmpty())
        return;
    ScanState state{QFileInfo(directory).canonicalFilePath(), {}, onFile, stopRequested};
    scanInto(directory, state);
}

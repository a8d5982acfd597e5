#include "core/photos/DirectoryScan.h"

#include "core/photos/PathParts.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <algorithm>

namespace {

struct ScanEntry {
    QString name;
    bool isDirectory = false;
};

// The whole directory is read before anything is handed over: the callback may take its time
// (and let the window run) without holding the directory open.
QList<ScanEntry> sortedEntries(const QString& directory) {
    QList<ScanEntry> entries;
    QDirIterator it(directory,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries.append(ScanEntry{info.fileName(), info.isDir()});
    }
    std::sort(entries.begin(), entries.end(),
              [](const ScanEntry& a, const ScanEntry& b) { return scanNameLess(a.name, b.name); });
    return entries;
}

void scanInto(const QString& directory, QStringList& directoriesBeingScanned,
              const std::function<void(const QString&)>& onFile) {
    const QString canonical = QFileInfo(directory).canonicalFilePath();
    if (canonical.isEmpty() || directoriesBeingScanned.contains(canonical))
        return;
    directoriesBeingScanned.append(canonical);
    const QString prefix = withTrailingSeparator(directory);
    for (const ScanEntry& entry : sortedEntries(directory)) {
        const QString path = prefix + entry.name;
        if (entry.isDirectory)
            scanInto(path, directoriesBeingScanned, onFile);
        else
            onFile(path);
    }
    directoriesBeingScanned.removeLast();
}

} // namespace

bool scanNameLess(const QString& a, const QString& b) {
    if (const int order = QString::compare(a, b, Qt::CaseInsensitive); order != 0)
        return order < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

void scanDirectory(const QString& directory, const std::function<void(const QString&)>& onFile) {
    if (directory.isEmpty())
        return;
    QStringList directoriesBeingScanned;
    scanInto(directory, directoriesBeingScanned, onFile);
}

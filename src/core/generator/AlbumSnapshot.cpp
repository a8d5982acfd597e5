#include "core/generator/AlbumSnapshot.h"

#include "core/files/FileNames.h"
#include "core/files/FileWriting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <climits>
#include <unistd.h>

namespace {

// The link's own text, relative or not, so that it is put back exactly as it was.
QString linkText(const QString& path) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(encodeFileName(path).constData(), target, sizeof target);
    return length > 0 ? decodeFileName(QByteArray(target, length)) : QString();
}

// The names a run writes over when they are taken: everything else it writes gets a name of
// its own.
bool isOverwrittenByName(const QString& name) {
    static const QRegularExpression fixedName(QStringLiteral(
        R"(^(main(-\d+)?\.html|p-\d+\.html|style\.css|(home|prev|next|index)\.gif|main\.png)$)"));
    return fixedName.match(name).hasMatch();
}

QString withoutTrailingSeparator(const QString& path) {
    QString result = path;
    while (result.size() > 1 &&
           (result.back() == QLatin1Char('/') || result.back() == QDir::separator()))
        result.chop(1);
    return result;
}

QFileInfoList entriesOf(const QString& directory) {
    return QDir(directory).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                         QDir::NoDotAndDotDot);
}

// Clears what keeps the owner from deleting or entering the entry; never used on a link,
// whose target lies who knows where.
void makeRemovable(const QFileInfo& info) {
    QFile::setPermissions(info.filePath(),
                          QFile::permissions(info.filePath()) | QFileDevice::ReadOwner |
                              QFileDevice::WriteOwner |
                              (info.isDir() ? QFileDevice::ExeOwner : QFileDevice::Permissions()));
}

void removeEntry(const QFileInfo& info) {
    if (info.isSymLink()) {
        QFile::remove(info.filePath());
        return;
    }
    makeRemovable(info);
    if (info.isDir()) {
        for (const QFileInfo& entry : entriesOf(info.filePath()))
            removeEntry(entry);
        QDir().rmdir(info.filePath());
    } else {
        QFile::remove(info.filePath());
    }
}

} // namespace

AlbumSnapshot AlbumSnapshot::take(const QString& albumDirectory, const QString& mainPagePath) {
    AlbumSnapshot snapshot;
    snapshot.m_albumDirectory = withoutTrailingSeparator(albumDirectory);
    snapshot.m_mainPagePath = mainPagePath;
    const QFileInfo directory(snapshot.m_albumDirectory);
    snapshot.m_directoryExisted = directory.exists() || directory.isSymLink();
    if (directory.isDir()) {
        for (const QFileInfo& entry : entriesOf(snapshot.m_albumDirectory)) {
            snapshot.m_names.insert(entry.fileName());
            if (isOverwrittenByName(entry.fileName()))
                if (std::optional<SavedFile> saved = save(entry.filePath()))
                    snapshot.m_overwritable.insert(entry.fileName(), std::move(*saved));
        }
    }
    snapshot.m_mainPage = save(mainPagePath);
    return snapshot;
}

std::optional<AlbumSnapshot::SavedFile> AlbumSnapshot::save(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink())
        return SavedFile{linkText(path), {}, {}};
    if (!info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt; // unreadable, so the run could not have written over it either
    return SavedFile{QString(), file.readAll(), info.permissions()};
}

bool AlbumSnapshot::differs(const QString& path, const SavedFile& saved) {
    const QFileInfo now(path);
    if (!saved.linkTarget.isEmpty())
        return !now.isSymLink() || linkText(path) != saved.linkTarget;
    if (!now.isFile() || now.isSymLink() || now.size() != saved.bytes.size())
        return true;
    QFile file(path);
    return !file.open(QIODevice::ReadOnly) || file.readAll() != saved.bytes;
}

void AlbumSnapshot::putBack(const QString& path, const SavedFile& saved) {
    if (!differs(path, saved))
        return;
    const QFileInfo now(path);
    if (!saved.linkTarget.isEmpty()) {
        if (now.exists() || now.isSymLink())
            removeEntry(now);
        QFile::link(saved.linkTarget, path);
        return;
    }
    if (now.isDir() && !now.isSymLink())
        removeEntry(now);
    if (!writeFileSafely(path, saved.bytes))
        QFile::setPermissions(path, saved.permissions);
}

void AlbumSnapshot::restore() const {
    const QFileInfo directory(m_albumDirectory);
    if (directory.fileName().startsWith(QLatin1String("album-"))) {
        if (!m_directoryExisted) {
            if (directory.isSymLink() || directory.exists())
                removeEntry(directory);
        } else if (directory.isDir()) {
            for (const QFileInfo& entry : entriesOf(m_albumDirectory))
                if (!m_names.contains(entry.fileName()))
                    removeEntry(entry);
            for (auto saved = m_overwritable.cbegin(); saved != m_overwritable.cend(); ++saved)
                putBack(QDir(m_albumDirectory).filePath(saved.key()), saved.value());
        }
    }
    const QFileInfo mainPage(m_mainPagePath);
    if (m_mainPage)
        putBack(m_mainPagePath, *m_mainPage);
    else if (mainPage.exists() || mainPage.isSymLink())
        removeEntry(mainPage);
}

bool AlbumSnapshot::changed() const {
    const QFileInfo directory(m_albumDirectory);
    if (!m_directoryExisted && (directory.exists() || directory.isSymLink()))
        return true;
    if (m_directoryExisted && directory.isDir()) {
        for (const QFileInfo& entry : entriesOf(m_albumDirectory))
            if (!m_names.contains(entry.fileName()))
                return true;
        for (auto saved = m_overwritable.cbegin(); saved != m_overwritable.cend(); ++saved)
            if (differs(QDir(m_albumDirectory).filePath(saved.key()), saved.value()))
                return true;
    }
    const QFileInfo mainPage(m_mainPagePath);
    return m_mainPage ? differs(m_mainPagePath, *m_mainPage)
                      : mainPage.exists() || mainPage.isSymLink();
}

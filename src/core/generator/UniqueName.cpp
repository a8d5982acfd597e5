#include "core/generator/UniqueName.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString extensionOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}
} // namespace

QString uniqueFileName(const QString& directory, const QString& fileName,
                       const QSet<QString>& reserved) {
    const QDir dir(directory);
    QString name = fileName;
    // A dangling symbolic link takes its name too: writing there would follow the link.
    const auto taken = [&dir, &reserved](const QString& candidate) {
        if (reserved.contains(candidate))
            return true;
        const QFileInfo info(dir.filePath(candidate));
        return info.exists() || info.isSymLink();
    };
    while (taken(name)) {
        const QString extension = extensionOf(name);
        const qsizetype at = extension.isEmpty() ? name.size() : name.indexOf(extension);
        name.insert(at, QLatin1Char('_'));
    }
    return name;
}

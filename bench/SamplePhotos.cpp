#include "SamplePhotos.h"

#include <QDirIterator>

QStringList jpegsUnder(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")},
                    QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    found.sort();
    return found;
}

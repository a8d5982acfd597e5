#include "core/app/VersionCheck.h"

#include <QDir>
#include <QLibrary>

namespace {
const QString libraryBaseName = QStringLiteral("update");

bool loadLibrary(QLibrary& library, const QString& programDirectory) {
    if (!programDirectory.isEmpty()) {
        library.setFileName(QDir(programDirectory).filePath(libraryBaseName));
        if (library.load())
            return true;
    }
    library.setFileName(libraryBaseName);
    return library.load();
}
} // namespace

VersionCheckOutcome runVersionCheck(const QString& programDirectory, qint8 languageFlag) {
    QLibrary library;
    if (!loadLibrary(library, programDirectory))
        return VersionCheckOutcome::LibraryMissing;

    const auto sprVer = reinterpret_cast<SprVerFunction>(library.resolve("_SprVer"));
    VersionCheckOutcome outcome = VersionCheckOutcome::FunctionMissing;
    if (sprVer) {
        const qint32 result = sprVer("kadrela", KADRELA_VERSION, "Kadrela", languageFlag);
        outcome =
            (quint32(result) & 0xFFu) != 0 ? VersionCheckOutcome::Quit : VersionCheckOutcome::GoOn;
    }
    library.unload();
    return outcome;
}

QString versionCheckMissingLibraryText() {
    return QStringLiteral("Nie znaleziono wymaganej biblioteki 'update.dll'");
}

QString versionCheckMissingLibraryCaption() {
    return QStringLiteral("Ostrzeżenie");
}

#include "core/app/ProgramSettings.h"

#include "core/files/FileNames.h"
#include "core/params/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString section = QStringLiteral("Ustawienia");
const QString languageKey = QStringLiteral("Jezyk");
const QString versionCheckKey = QStringLiteral("Wersja");

bool isWritableDirectory(const QString& directory) {
    const QFileInfo info(directory);
    return info.isDir() && info.isWritable();
}
} // namespace

QString programSettingsPath(const QString& programDirectory) {
    const QString name = QLatin1String(programSettingsFileName);
    if (isWritableDirectory(programDirectory))
        return QDir(programDirectory).filePath(name);
    const QString configDirectory =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configDirectory);
    return QDir(configDirectory).filePath(name);
}

qint8 languageFlagFromStored(qint32 stored) {
    const auto lowByte = static_cast<qint8>(static_cast<quint8>(quint32(stored) & 0xFFu));
    return (lowByte < 0 || lowByte > 1) ? qint8(0) : lowByte;
}

ProgramSettings readProgramSettings(const QString& path) {
    const ProfileFile file(path);
    ProgramSettings settings;
    settings.languageFlag = languageFlagFromStored(file.readInteger(section, languageKey, 0));
    settings.versionCheck = file.readBool(section, versionCheckKey, true);
    return settings;
}

bool writeProgramSettings(const QString& path, const ProgramSettings& settings) {
    ProfileFile file(path);
    file.writeInteger(section, languageKey, settings.languageFlag);
    file.writeBool(section, versionCheckKey, settings.versionCheck);
    return file.save();
}

namespace {

QString folderKey(RememberedFolder which) {
    switch (which) {
    case RememberedFolder::Photos:
        return QStringLiteral("PhotoFolder");
    case RememberedFolder::Parameters:
        return QStringLiteral("ParameterFolder");
    case RememberedFolder::Backgrounds:
        return QStringLiteral("BackgroundFolder");
    }
    return {};
}

const QString ownSection = QStringLiteral("Kadrela");

} // namespace

QString rememberedFolder(const QString& settingsPath, RememberedFolder which) {
    const QString folder = ProfileFile(settingsPath).readString(ownSection, folderKey(which), {});
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QStringList recentProjects(const QString& settingsPath) {
    const ProfileFile file(settingsPath);
    QStringList projects;
    for (int i = 1; i <= maxRecentProjects; ++i) {
        const QString stored =
            file.readString(ownSection, QStringLiteral("RecentProject%1").arg(i), {});
        if (!stored.isEmpty())
            projects << decodeFileName(QByteArray::fromPercentEncoding(stored.toLatin1()));
    }
    return projects;
}

void rememberProject(const QString& settingsPath, const QString& projectPath) {
    QStringList projects = recentProjects(settingsPath);
    projects.removeAll(projectPath);
    projects.prepend(projectPath);
    ProfileFile file(settingsPath);
    for (int i = 0; i < maxRecentProjects; ++i)
        file.writeString(
            ownSection, QStringLiteral("RecentProject%1").arg(i + 1),
            i < projects.size()
                ? QString::fromLatin1(encodeFileName(projects[i]).toPercentEncoding("/"))
                : QString());
    file.save();
}

void rememberFolder(const QString& settingsPath, RememberedFolder which, const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    ProfileFile file(settingsPath);
    if (file.readString(ownSection, folderKey(which), {}) == folder)
        return;
    file.writeString(ownSection, folderKey(which), folder);
    file.save();
}

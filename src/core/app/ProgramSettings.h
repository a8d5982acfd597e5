#pragma once

#include <QString>

// The program settings file kadrela.ini: the interface language and whether the version
// check runs at start-up. Album parameters are never kept here.
struct ProgramSettings {
    qint8 languageFlag = 0;   // 0 English, 1 Polish
    bool versionCheck = true; // run the version check at start-up
};

inline constexpr char programSettingsFileName[] = "kadrela.ini";

// Where kadrela.ini lives: beside the executable when that directory is writable (a copy
// the user unpacked somewhere), otherwise in the user's configuration directory (an
// installed program), so that the choices made in the settings dialog are kept.
QString programSettingsPath(const QString& programDirectory);

// Only the low byte of the stored integer counts, read as a signed byte; anything but
// 0 or 1 means English.
qint8 languageFlagFromStored(qint32 stored);

// Missing file, section or keys and values that are not numbers give the defaults.
ProgramSettings readProgramSettings(const QString& path);
// Writes both keys at once, creating the file when missing. False when it cannot be written.
bool writeProgramSettings(const QString& path, const ProgramSettings& settings);

// The folders the choosers were last used in, kept across sessions in a section of the
// program's own ([Kadrela]), so that a new session starts where the last one left off.
enum class RememberedFolder { Photos, Parameters, Backgrounds };
QString rememberedFolder(const QString& settingsPath, RememberedFolder which);
// Keeps the folder (of a file, when a file is given). A file that cannot be written is no
// reason to bother anyone: the folder is then simply not kept.
void rememberFolder(const QString& settingsPath, RememberedFolder which, const QString& path);

// The album projects saved or opened last, newest first, at most maxRecentProjects of them
// (kept in the same section, each path written in ASCII so that any name survives).
inline constexpr int maxRecentProjects = 8;
QStringList recentProjects(const QString& settingsPath);
void rememberProject(const QString& settingsPath, const QString& projectPath);

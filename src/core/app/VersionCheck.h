#pragma once

#include <QString>

// The optional version check at start-up, done by the separate library "update" through
// its exported function _SprVer(program id, version, display name, language flag).
enum class VersionCheckOutcome {
    LibraryMissing,  // warn the user, then start normally
    FunctionMissing, // start normally, say nothing
    GoOn,            // the library let the program start
    Quit,            // the library asked the program to quit
};

// The C signature of _SprVer; only the low byte of its result counts.
using SprVerFunction = qint32 (*)(const char* programId, const char* programVersion,
                                  const char* displayName, qint32 languageFlag);

// Loads the library from programDirectory first, then through the system's normal library
// search, calls _SprVer and unloads the library again.
VersionCheckOutcome runVersionCheck(const QString& programDirectory, qint8 languageFlag);

// The warning shown when the library cannot be found; Polish whatever the language.
QString versionCheckMissingLibraryText();
QString versionCheckMissingLibraryCaption();

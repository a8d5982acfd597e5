#pragma once

#include "core/params/AlbumParameters.h"

#include <QString>
#include <QStringList>

#include <optional>

// Parameter files: every album parameter in an INI file that the user names, with the
// identifying value [Info] Info=Kadrela Settings. Photos, title and location are not kept.

inline constexpr char parameterFileIdentity[] = "Kadrela Settings";

// Writes every key in the file's order, updating an existing file in place (other sections
// and keys stay) and replacing it in one step. An error text "Unable to write to <file>"
// when the file cannot be written; the file on disk is then unchanged.
std::optional<QString> saveParameterFile(const QString& path, const AlbumParameters& parameters);

struct ParameterFileLoad {
    enum class Outcome {
        NotAParameterFile, // missing, empty or of another kind: ignored, nothing changes
        Loaded,            // every key read
        StoppedAtBadColour // keys before the bad colour are applied, the rest are not
    };
    Outcome outcome = Outcome::NotAParameterFile;
    AlbumParameters parameters; // the parameters after the load (unchanged when ignored)
    QString error;              // "'<text>' is not a valid integer value (<key>)" for a bad colour
    QString readError;          // why the file could not be read at all, if it could not
    QStringList warnings;       // values refused, each with its key; the rest was loaded
};

// Reads a parameter file over the current parameters, in the order the program has always
// applied them. Missing or unreadable keys take the defaults of the file format (which are
// not always the start values); a missing OnPage takes photoCount.
ParameterFileLoad loadParameterFile(const QString& path, const AlbumParameters& current,
                                    int photoCount);

// The same, on a profile read or to be written by the caller (an album project holds the
// parameters among its own keys).
class ProfileFile;
void writeParameters(ProfileFile& file, const AlbumParameters& parameters);
ParameterFileLoad readParameters(const ProfileFile& file, const AlbumParameters& current,
                                 int photoCount);

// Why a load found no parameter file to read (outcome NotAParameterFile), naming the file.
QString parameterFileRefusal(const QString& path, const ParameterFileLoad& load);

// The start values again, with the per-page count set to photoCount. Font character sets
// stay as they were.
AlbumParameters resetParameters(const AlbumParameters& current, int photoCount);

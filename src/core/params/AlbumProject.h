#pragma once

#include "core/params/AlbumParameters.h"

#include <QString>
#include <QStringList>

#include <optional>

// An album project: everything that makes one album, so that it can be made again or updated
// later — the photos in their order, the title, the folder it goes in and every parameter.
//
// The file is UTF-8 text. It starts as a parameter file does (every parameter under its
// usual key, so it can also be given where a parameter file is asked for), followed by
//   [Kadrela Project]
//   Title=…
//   Location=…
//   [Photos]
// and then one photo path per line, in the album's order. In the title, the location and the
// paths, "%" followed by two hexadecimal digits stands for a byte: "%25" for "%" itself, and
// the bytes of a name that is not UTF-8, control characters and blanks or quotes at either
// end are written that way; everything else is written as it is.

inline constexpr char albumProjectExtension[] = ".kadrela";

struct AlbumProject {
    QStringList photoPaths;
    QString title;
    QString location;
    AlbumParameters parameters;
};

// Writes the project in one step; the error text names the file when it cannot be written
// (and what was at path is then unchanged).
std::optional<QString> saveAlbumProject(const QString& path, const AlbumProject& project);

struct AlbumProjectLoad {
    bool loaded = false;
    QString error; // not loaded: why, naming the file
    AlbumProject project;
    QStringList entries;  // the photo list's entries of the photos still there
    QStringList missing;  // photos of the project that are not there or no longer photos
    QStringList warnings; // parameter values refused, each with its key
};

// Reads a project over the current parameters. A photo that has vanished (or is no longer one
// the list can hold) is left out and named in missing, once.
AlbumProjectLoad loadAlbumProject(const QString& path, const AlbumParameters& current);

// The message that names the photos a project no longer finds.
QString missingPhotosMessage(const QString& projectPath, const QStringList& missing);

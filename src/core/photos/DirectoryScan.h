#pragma once

#include <QString>

#include <functional>

// Visits every file below a directory, depth first: the entries of a directory in ascending
// name order ignoring letter case (names equal but for case in case-sensitive order), each
// subdirectory's files in the place where the subdirectory was met. Hidden and system entries
// count like any other. A directory that cannot be read contributes nothing.
//
// The paths handed over are the directory, one separator, and the names below it, so a
// directory given as "/photos/" or as "/photos" both give "/photos/a.jpg".
//
// A symbolic link to a directory is followed unless it leads back into a directory that is
// being scanned already; such a loop would otherwise never end.
void scanDirectory(const QString& directory, const std::function<void(const QString&)>& onFile);

// The name order of a scan: true when a comes before b.
bool scanNameLess(const QString& a, const QString& b);

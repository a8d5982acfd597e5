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
// Every real directory is visited once (told by device and inode), however many links lead
// there: a loop of links ends, a chain of links costs nothing. A link that leads to the
// scanned directory or to one that holds it is not followed, and nothing is scanned inside
// /proc, /sys or /dev, whose files never end or are no photos.
//
// stopRequested, when given, is asked before every entry; once it says yes the scan ends.
void scanDirectory(const QString& directory, const std::function<void(const QString&)>& onFile,
                   const std::function<bool()>& stopRequested = {});

// The name order of a scan: true when a comes before b.
bool scanNameLess(const QString& a, const QString& b);

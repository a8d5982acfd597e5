#pragma once

#include <QString>

// A file the album build writes under a derived name (photo copies, background copies,
// thumbnails) never replaces an existing one: while the name is taken in the directory,
// one "_" goes in just before the first occurrence of the name's extension
// (a.jpg, a_.jpg, a__.jpg …). A name without extension gets the "_" at its end.
QString uniqueFileName(const QString& directory, const QString& fileName);

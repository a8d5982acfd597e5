#pragma once

#include <QSet>
#include <QString>

// A file the album build writes under a derived name (photo copies, background copies,
// thumbnails) never replaces an existing one: while the name is taken in the directory,
// one "_" goes in just before the first occurrence of the name's extension
// (a.jpg, a_.jpg, a__.jpg …). A name without extension gets the "_" at its end.
// Names in reserved count as taken too: files planned, not written yet.
QString uniqueFileName(const QString& directory, const QString& fileName,
                       const QSet<QString>& reserved = {});

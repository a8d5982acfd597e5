#pragma once

#include <QString>

// Paths as the photo list and the album keep them: with the platform's separator, "/" always
// counting as one too.

// Everything before the last separator. A root keeps its separator ("/x.jpg" gives "/",
// "C:\x.jpg" gives "C:\"), so that the result still names the directory. Empty when the path
// holds no separator.
QString directoryPart(const QString& path);

// Everything after the last separator; the whole path when it holds none.
QString fileNamePart(const QString& path);

// The directory with one separator at its end; a path that already ends with one (a root
// included) is returned as it is. An empty path stays empty.
QString withTrailingSeparator(const QString& directory);

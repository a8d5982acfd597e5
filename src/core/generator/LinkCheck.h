#pragma once

#include <QStringList>

// The run's own check of what it wrote: every href and src of the given pages that does not
// lead to a file, as "page → target" (srcset: each of its pictures). Pages are read as the
// run writes them (Windows-1250, or UTF-8 where they declare it; names escaped with %XX and
// &#N;), links resolved from each page's own folder.
QStringList brokenLinks(const QStringList& pagePaths);

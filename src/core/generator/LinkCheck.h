#pragma once

#include <QStringList>

// The run's own check of what it wrote: every href and src of the given pages that does not
// lead to a file, as "page → target". Pages are read as the run writes them (Windows-1250,
// names escaped with %XX and &#N;), links resolved from each page's own folder.
QStringList brokenLinks(const QStringList& pagePaths);

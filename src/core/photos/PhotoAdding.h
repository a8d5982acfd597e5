#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The one gate every file passes on its way into the photo list, whichever way it came: the
// file dialog, a scanned directory or a drop. Gives the entry to append, or nothing for a file
// the list cannot hold: an extension other than the five photo ones, a JPEG or BMP whose
// header cannot be read, something that is there but is not a plain file (a pipe, a device),
// and a path holding "<" or ">", which an entry cannot carry because its tags have no
// escaping.
std::optional<QString> entryToAdd(const QString& path, const QLocale& locale = QLocale());

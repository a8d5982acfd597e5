#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// A photo entry is the line the photo list keeps for one photo, read with tagValue():
//   JPEG and BMP:  <n>path</n><w>width</w><h>height</h><r>size text</r>
//                  and, from a JPEG's metadata where it has them, <dt>date taken</dt>,
//                  <cap>caption</cap>, <cam>camera summary</cam> and <gps> (carries a location)
//   PNG and GIF:   <n>path</n><r>size text</r><ns>
// "<ns>" marks an entry without dimensions; PNG and GIF files are never opened as pictures.

// nullopt for any other extension, and for a JPEG or BMP whose header cannot be read. A JPEG
// turned by a quarter (EXIF orientation 5 to 8) records its width and height as displayed.
std::optional<QString> buildPhotoEntry(const QString& path, const QLocale& locale = QLocale());

// Whether the entry carries "<w>" and "<h>"; every reader of those tags asks this first.
bool hasDimensions(const QString& entry);

// The photo's width times its height as the entry records them; 0 for an entry without them.
qint64 photoPixelCount(const QString& entry);

// What the entry records of the photo's metadata (see PhotoMetadata); empty when nothing.
QString photoDateTaken(const QString& entry); // "YYYY-MM-DD HH:MM:SS"
QString photoCaption(const QString& entry);
QString photoCameraSummary(const QString& entry);
bool photoHasLocation(const QString& entry);

#pragma once

#include "core/generator/AlbumRun.h"

#include <QByteArrayList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

// Photos and album folders for tests of the album build.
namespace albumfixtures {

// A real JPEG (or PNG) written to dir/name, and its entry as the photo list makes it.
QString jpegPhoto(const QString& dir, const QString& name, QSize size = QSize(64, 48));
QString pngPhoto(const QString& dir, const QString& name, QSize size = QSize(32, 32));

// Photo entry texts written out by hand, for writers that never open the photo.
QString jpegEntry(const QString& path, int width, int height, const QString& size);
QString gifEntry(const QString& path, const QString& size);

// count JPEGs dir/<prefix>0.jpg … in list order.
QStringList jpegPhotos(const QString& dir, const QString& prefix, int count);

// A build of the photos into location, titled "Wakacje", Polish, collated as in Poland, with
// a fixed seed.
RunInput buildInput(const QStringList& entries, const QString& location, int layoutMode);

// The paths that photo entries name, in list order.
QStringList pathsOf(const QStringList& entries);

// The first lines of a Polish thumbnail page of the album "Wakacje", up to its table.
QByteArrayList thumbnailPageHead(const QByteArray& caption);

// Everything below dir, links not followed: a file's bytes, a link's target, a folder.
QMap<QString, QByteArray> treeBelow(const QString& dir);

// Every file below dir as a path relative to it, sorted.
QStringList filesBelow(const QString& dir);

// The lines of a file the album wrote, without their CR LF; Windows-1250 bytes as they are.
QByteArrayList fileLines(const QString& path);

// The one line of a file holding the text; empty when none does.
QByteArray lineWith(const QString& path, const QByteArray& text);

} // namespace albumfixtures

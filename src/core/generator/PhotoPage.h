#pragma once

#include "core/generator/AlbumContext.h"

#include <QString>
#include <QStringList>

// "p-" + N + ".html": the page of the photo at position N of the working photo list.
QString photoPageFileName(int photoNumber);

// The photo's file name as the pages show and link it: the name part of the entry's <n>.
QString photoName(const QString& photoEntry);

// The photos a photo page leads to: previous and next run round the whole album, whatever the
// categories.
struct PhotoNeighbours {
    int previous;
    int next;
};
PhotoNeighbours photoNeighbours(int photoNumber, int photoCount);

// The lines of the page of photo photoNumber (a position in the working photo list), shown
// on thumbnail page categoryPage (from 1; 0 when every photo shares main.html). Characters
// are already in the form the file holds.
QStringList photoPageLines(const AlbumContext& context, int photoNumber, int categoryPage);

// Writes the page beside the photo's copy; GenerationError when it cannot be written.
void writePhotoPage(const AlbumContext& context, int photoNumber, int categoryPage);

#pragma once

#include <QImage>
#include <QSet>
#include <QSize>
#include <QString>

// The display size of a photo of photoWidth × photoHeight in a box of maxWidth × maxHeight.
QSize thumbnailDisplaySize(int photoWidth, int photoHeight, int maxWidth, int maxHeight);

// The thumbnail text "<n>name</n><w>W</w><h>H</h>" for a photo entry; writes the thumbnail
// file beside the photo when makeFile is set. Throws GenerationError naming the file.
QString makeThumbnail(const QString& photoEntry, int maxWidth, int maxHeight, bool makeFile);

// makeThumbnail in two halves, so that names can be settled in the album's order while the
// pictures are made in any order, on any thread.
struct ThumbnailPlan {
    QString text;          // the thumbnail text, as makeThumbnail returns it
    QString photoPath;     // the photo as the entry names it, and as messages name it
    QString decodePath;    // where its pixels are read: the photo, or a file it is a copy of
    QString thumbnailPath; // the file to write; empty when none is written
    QSize size;
    QString error; // why no thumbnail can be made; raised when it is made
};
// Settles the name (taking reservedNames as taken) and the size; reads no file.
ThumbnailPlan planThumbnail(const QString& photoEntry, int maxWidth, int maxHeight, bool makeFile,
                            const QSet<QString>& reservedNames = {});
// Reads the photo and writes the thumbnail file. Throws GenerationError naming the photo.
void makePlannedThumbnail(const ThumbnailPlan& plan);

// The picture a thumbnail file holds: the photo turned as its EXIF orientation says, then
// sampled nearest-neighbour into displaySize. A JPEG is decoded only where the sampling looks,
// and of a BMP only the rows it takes are read. A null image when the file cannot be read;
// tooLarge, if given, then says when the photo was refused for the memory it needs.
QImage thumbnailPicture(const QString& photoPath, QSize displaySize, QString* tooLarge = nullptr);

// The same picture the long way: the whole photo decoded, turned, then sampled. It is the
// yardstick the picture above must match bit for bit.
QImage plainThumbnailPicture(const QString& photoPath, QSize displaySize);

// The two steps of the long way. orientedPicture turns or mirrors a picture as an EXIF
// orientation value (1 to 8) says; sampledPicture gives pixel (x, y) of the result the
// source pixel (x·Ws/Wd, y·Hs/Hd), rounded down.
QImage orientedPicture(const QImage& picture, int orientation);
QImage sampledPicture(const QImage& picture, QSize size);

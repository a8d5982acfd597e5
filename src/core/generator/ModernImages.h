#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// What modern pages show of a JPEG or BMP photo, made from one decoding of it: a copy for its
// photo page, fitted to a long side, turned as its EXIF orientation says and without any of
// the photo's metadata (no location leaks through it), and its thumbnail in two sizes, for
// ordinary and for high-density screens. Every size comes from an area-averaging filter, not
// from sampling single pixels.
struct ModernImagePlan {
    QString photoPath;     // the photo as messages name it
    QString decodePath;    // where it is read
    QString displayPath;   // the photo page's copy; none made when empty
    QSize displaySize;     // its size: the photo's, fitted to the chosen long side
    QString thumbnailPath; // the thumbnail and its double-size version
    QString thumbnail2xPath;
    QSize thumbnailSize;
};

// The size a picture takes inside a box, keeping its proportions and never growing.
QSize fittedSize(QSize picture, QSize box);

// A picture shrunk to size by averaging the pixels each new pixel covers.
QImage filteredDownscale(const QImage& picture, QSize size);

// Reads the photo once and writes its three pictures. Throws GenerationError naming the photo.
void makeModernImages(const ModernImagePlan& plan);

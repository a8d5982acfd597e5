#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The size a picture is shown at in the preview box: its own size when it fits, otherwise
// scaled down to fit with its proportions kept, each side truncated to whole pixels (but
// never below one).
QSize previewSize(QSize picture, QSize box);

struct PreviewPicture {
    QImage image;         // null when the file could not be loaded
    QString errorMessage; // why not, for the person looking at it
};

// The photo turned as its EXIF orientation says and scaled as previewSize() says. Only the
// pixels needed for the box are decoded, so a large photo previews quickly.
PreviewPicture loadPreviewPicture(const QString& path, QSize box);

#pragma once

#include "core/generator/AlbumContext.h"
#include "core/params/AlbumParameters.h"

#include <QPalette>
#include <QString>
#include <QStringList>

// Names of the background pictures copied into the album directory, as the rules name them;
// empty where no picture is used.
struct BackgroundFileNames {
    QString page;  // body
    QString table; // .td1
    QString cell;  // .td2
};

// "#rrggbb" in lower case; a system colour takes its current value from the palette.
QString cssColour(ColourValue colour, const QPalette& palette);

// " font-family: …; color : …; font-size: Npx; " with the bold and italic pieces when set.
QString fontDeclarations(const FontSpec& font, const QPalette& palette, const char* unit = "px");

// The CSS word of a border type list index, with its trailing blank; empty for -1 (no item
// chosen) and for any index the list does not have.
QString borderStyleWord(int type);

// " border : Npx " + style word + colour + " ".
QString borderDeclaration(const FrameParameters& frame, const QPalette& palette);

// The colour, then, when imageName is not empty, the picture and its placement.
QString backgroundDeclarations(const BackgroundParameters& background, const QString& imageName,
                               const QPalette& palette);

// Every rule of style.css in order, characters already in the form the file holds.
QStringList styleSheetLines(const AlbumContext& context, const BackgroundFileNames& backgrounds);

// Copies the background pictures the rules will use into the album directory as
// pbck/tbck/tdbck + the source's extension, never over an existing file. A copy that fails
// is not reported: the rule names the file anyway.
BackgroundFileNames copyBackgroundImages(const AlbumContext& context);

// Copies the backgrounds and writes style.css into the album directory.
void writeStyleSheet(const AlbumContext& context);

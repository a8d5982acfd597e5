#pragma once

#include "core/params/AlbumParameters.h"

#include <QColor>
#include <QFont>
#include <QPalette>

// A system colour is 0xFF0000nn, nn being the desktop's colour number (15 is the button
// face, 5 the window background …). The two special values come from the colour names of
// the parameter files: the control's own default colour, and no colour at all.
inline constexpr ColourValue systemColourFlag = 0xFF000000;
inline constexpr ColourValue defaultColourValue = 0x20000000;
inline constexpr ColourValue noColourValue = 0x1FFFFFFF;

// The colour to paint for a parameter colour. A value with the top bit set is a system
// colour numbered by its low byte; it resolves through the palette (the application's when
// none is given) to the nearest role, and a number the desktop never had gives black, as
// the desktop itself answers for it. The default colour is the palette's window colour,
// the background a control has when nothing is set; "no colour" is fully transparent. Any
// other high byte is ignored: only the 0x00BBGGRR part counts.
QColor toQColor(ColourValue value, const QPalette& palette = QPalette());

// The plain 0x00BBGGRR value of a colour; its alpha is dropped. An invalid or fully
// transparent colour gives "no colour", so that toQColor's transparent comes back as such.
ColourValue fromQColor(const QColor& colour);

// The font a font sample is drawn in. The character set has no counterpart in a QFont: it
// stays on the FontSpec. A size of 0 leaves the font's default size; a negative size is a
// height in pixels, as the desktop reads a negative font size.
QFont toQFont(const FontSpec& fontSpec);

// The FontSpec of a chosen font; a pixel-sized font is converted to whole points at
// 96 dots per inch. Colour and character set are not part of a QFont and are given.
FontSpec fromQFont(const QFont& font, ColourValue colour, int charset);

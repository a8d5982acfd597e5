#pragma once

#include "core/params/AlbumParameters.h"

#include <QString>

#include <optional>

// The text form of a colour in parameter files: a name of the colour table ("clBlack",
// "clBtnFace" …) when the value has one, otherwise "$" and eight upper-case hexadecimal
// digits ("$00FFEAD7").
QString colourText(ColourValue value);

// Reads a colour text: a table name in any letter case, or a signed integer in decimal or
// after "$" in hexadecimal. Nothing for any other text.
std::optional<ColourValue> parseColourText(const QString& text);

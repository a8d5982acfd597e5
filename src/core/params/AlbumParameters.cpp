#include "core/params/AlbumParameters.h"

FontSpec largeSampleFont(int pointSize, bool bold) {
    FontSpec font;
    font.pointSize = pointSize;
    font.bold = bold;
    font.charset = eastEuropeanCharset;
    return font;
}

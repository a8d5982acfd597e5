#include "core/params/ColourConversion.h"

#include <iterator>

namespace {

struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The desktop's colour numbers 0–30 and the palette role that plays the same part. The
// 3D shades follow the classic bevel: light edge, its softer inner line, shadow and the
// dark outer shadow.
constexpr SystemColour systemColours[] = {
    {QPalette::Active, QPalette::Button},            // 0 scroll bar
    {QPalette::Active, QPalette::Dark},              // 1 desktop background
    {QPalette::Active, QPalette::Highlight},         // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},       // 3 inactive caption
    {QPalette::Active, QPalette::Window},            // 4 menu
    {QPalette::Active, QPalette::Base},              // 5 window
    {QPalette::Active, QPalette::Shadow},            // 6 window frame
    {QPalette::Active, QPalette::WindowText},        // 7 menu text
    {QPalette::Active, QPalette::Text},              // 8 window text
    {QPalette::Active, QPalette::HighlightedText},   // 9 caption text
    {QPalette::Active, QPalette::Window},            // 10 active border
    {QPalette::Inactive, QPalette::Window},          // 11 inactive border
    {QPalette::Active, QPalette::Mid},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},         // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},   // 14 highlight text
    {QPalette::Active, QPalette::Button},            // 15 button face
    {QPalette::Active, QPalette::Dark},              // 16 button shadow
    {QPalette::Disabled, QPalette::Text},            // 17 grey text
    {QPalette::Active, QPalette::ButtonText},        // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    {QPalette::Active, QPalette::Light},             // 20 button highlight
    {QPalette::Active, QPalette::Shadow},            // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},       // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},       // 24 info background
    {QPalette::NColorGroups, QPalette::NoRole},      // 25 never assigned
    {QPalette::Active, QPalette::Link},              // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},         // 27 active caption gradient
    {QPalette::Inactive, QPalette::Highlight},       // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},         // 29 menu highlight
    {QPalette::Active, QPalette::Window},            // 30 menu bar
};

} // namespace

QColor toQColor(ColourValue value, const QPalette& palette) {
    if (value == noColourValue)
        return QColor(Qt::transparent);
    if (value == defaultColourValue)
        return palette.color(QPalette::Active, QPalette::Window);
    if (value & 0x80000000u) {
        // As on the desktop, any negative value is a system colour and only its low byte
        // numbers it.
        const quint32 number = value & 0xFFu;
        if (number >= std::size(systemColours) || systemColours[number].role == QPalette::NoRole)
            return QColor(Qt::black);
        return palette.color(systemColours[number].group, systemColours[number].role);
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

ColourValue fromQColor(const QColor& colour) {
    if (!colour.isValid() || colour.alpha() == 0)
        return noColourValue;
    const QColor rgb = colour.toRgb();
    return ColourValue(rgb.red()) | ColourValue(rgb.green()) << 8 | ColourValue(rgb.blue()) << 16;
}

QFont toQFont(const FontSpec& fontSpec) {
    QFont font(fontSpec.face);
    if (fontSpec.pointSize > 0)
        font.setPointSize(fontSpec.pointSize);
    else if (fontSpec.pointSize < 0)
        font.setPixelSize(-fontSpec.pointSize);
    font.setBold(fontSpec.bold);
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    font.setStrikeOut(fontSpec.strikeOut);
    return font;
}

FontSpec fromQFont(const QFont& font, ColourValue colour, int charset) {
    FontSpec fontSpec;
    fontSpec.face = font.family();
    fontSpec.pointSize =
        font.pointSizeF() > 0 ? qRound(font.pointSizeF()) : qRound(font.pixelSize() * 72.0 / 96.0);
    fontSpec.colour = colour;
    fontSpec.bold = font.bold();
    fontSpec.italic = font.italic();
    fontSpec.underline = font.underline();
    fontSpec.strikeOut = font.strikeOut();
    fontSpec.charset = charset;
    return fontSpec;
}

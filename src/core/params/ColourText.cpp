#include "core/params/ColourText.h"

#include "core/params/ProfileFile.h"

#include <array>

namespace {

struct NamedColour {
    const char* name;
    ColourValue value;
};

// clang-format off
constexpr std::array namedColours{
    NamedColour{"clBlack", 0x00000000}, NamedColour{"clMaroon", 0x00000080},
    NamedColour{"clGreen", 0x00008000}, NamedColour{"clOlive", 0x00008080},
    NamedColour{"clNavy", 0x00800000}, NamedColour{"clPurple", 0x00800080},
    NamedColour{"clTeal", 0x00808000}, NamedColour{"clGray", 0x00808080},
    NamedColour{"clSilver", 0x00C0C0C0}, NamedColour{"clRed", 0x000000FF},
    NamedColour{"clLime", 0x0000FF00}, NamedColour{"clYellow", 0x0000FFFF},
    NamedColour{"clBlue", 0x00FF0000}, NamedColour{"clFuchsia", 0x00FF00FF},
    NamedColour{"clAqua", 0x00FFFF00}, NamedColour{"clWhite", 0x00FFFFFF},
    NamedColour{"clMoneyGreen", 0x00C0DCC0}, NamedColour{"clSkyBlue", 0x00F0CAA6},
    NamedColour{"clCream", 0x00F0FBFF}, NamedColour{"clMedGray", 0x00A4A0A0},
    NamedColour{"clActiveBorder", 0xFF00000A}, NamedColour{"clActiveCaption", 0xFF000002},
    NamedColour{"clAppWorkSpace", 0xFF00000C}, NamedColour{"clBackground", 0xFF000001},
    NamedColour{"clBtnFace", 0xFF00000F}, NamedColour{"clBtnHighlight", 0xFF000014},
    NamedColour{"clBtnShadow", 0xFF000010}, NamedColour{"clBtnText", 0xFF000012},
    NamedColour{"clCaptionText", 0xFF000009}, NamedColour{"clDefault", 0x20000000},
    NamedColour{"clGradientActiveCaption", 0xFF00001B},
    NamedColour{"clGradientInactiveCaption", 0xFF00001C},
    NamedColour{"clGrayText", 0xFF000011}, NamedColour{"clHighlight", 0xFF00000D},
    NamedColour{"clHighlightText", 0xFF00000E}, NamedColour{"clHotLight", 0xFF00001A},
    NamedColour{"clInactiveBorder", 0xFF00000B}, NamedColour{"clInactiveCaption", 0xFF000003},
    NamedColour{"clInactiveCaptionText", 0xFF000013}, NamedColour{"clInfoBk", 0xFF000018},
    NamedColour{"clInfoText", 0xFF000017}, NamedColour{"clMenu", 0xFF000004},
    NamedColour{"clMenuBar", 0xFF00001E}, NamedColour{"clMenuHighlight", 0xFF00001D},
    NamedColour{"clMenuText", 0xFF000007}, NamedColour{"clNone", 0x1FFFFFFF},
    NamedColour{"clScrollBar", 0xFF000000}, NamedColour{"cl3DDkShadow", 0xFF000015},
    NamedColour{"cl3DLight", 0xFF000016}, NamedColour{"clWindow", 0xFF000005},
    NamedColour{"clWindowFrame", 0xFF000006}, NamedColour{"clWindowText", 0xFF000008},
};
// clang-format on

} // namespace

QString colourText(ColourValue value) {
    for (const NamedColour& colour : namedColours)
        if (colour.value == value)
            return QLatin1String(colour.name);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<ColourValue> parseColourText(const QString& text) {
    for (const NamedColour& colour : namedColours)
        if (text.compare(QLatin1String(colour.name), Qt::CaseInsensitive) == 0)
            return colour.value;
    if (const auto number = parseProfileInteger(text))
        return ColourValue(quint32(*number));
    return std::nullopt;
}

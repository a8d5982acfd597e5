#include "core/generator/StyleSheet.h"

#include "core/app/StringTable.h"
#include "core/files/FileWriting.h"
#include "core/generator/GenerationError.h"
#include "core/generator/TextOutput.h"
#include "core/generator/UniqueName.h"
#include "core/params/ColourConversion.h"
#include "core/photos/ImageHeader.h"
#include "core/photos/PathParts.h"

#include <QColor>
#include <QDir>
#include <QFile>

#include <array>

namespace {

QString fontRule(const char* selector, const FontSpec& font, const QPalette& palette,
                 const char* unit) {
    return QLatin1String(selector) + QLatin1String(" {") + fontDeclarations(font, palette, unit) +
           QLatin1Char('}');
}

// A picture is used when "z pliku" is ticked and a file was chosen; the rule that shows it
// is written only when its background switch is on, and only then is the picture copied.
bool usesPicture(const BackgroundParameters& background) {
    return background.enabled && background.fromFile && !background.filePath.isEmpty();
}

QString extensionAsSpelled(const QString& path) {
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString copyBackground(const BackgroundParameters& background, const QString& prefix,
                       const QString& albumDirectory) {
    if (!usesPicture(background))
        return {};
    const QString name =
        uniqueFileName(albumDirectory, prefix + extensionAsSpelled(background.filePath));
    const QString target = QDir(albumDirectory).filePath(name);
    if (QFileInfo::exists(background.filePath) && !isPictureFile(background.filePath))
        throw GenerationError(
            QStringLiteral("The background %1 is not a JPEG, BMP, PNG or GIF picture.")
                .arg(QDir::toNativeSeparators(background.filePath)));
    if (const std::optional<CopyFailure> failure = copyToNewFile(background.filePath, target))
        throw GenerationError(
            failure->reading
                ? QStringLiteral("The background %1 cannot be read (%2).")
                      .arg(QDir::toNativeSeparators(background.filePath), failure->reason)
                : QStringLiteral("The file %1 cannot be written (%2).")
                      .arg(QDir::toNativeSeparators(target), failure->reason));
    return name;
}

QStringList interactiveDescriptionRules(const AlbumContext& context) {
    const AlbumParameters& p = context.parameters;
    const QString heading = interfaceText(textDescriptionHeading, context.languageFlag);
    const QString footer = interfaceText(textDescriptionFooter, context.languageFlag);
    return {
        QStringLiteral("ul#gallery, #gallery ul{ list-style-type: none; margin: 0; padding: 0; }"),
        QStringLiteral("ul#gallery>li{ float: left; padding: 10px; margin: 10px; width: auto; "
                       "height: auto; border: 1px solid transparent; }"),
        QStringLiteral("ul#gallery>li ul{ padding: .8em; border: 1px solid #000; "
                       "background-color: #fff; color: #000; font-size: 90%; max-width: 40%; "
                       "display: none; position: absolute; }"),
        QStringLiteral("ul#gallery>li:hover{ color: #369; background-color: transparent; "
                       "border-color: #369; }"),
        QStringLiteral("ul#gallery>li:hover ul{ display: block; list-style-type: none; }"),
        QStringLiteral("ul#gallery ul:before{ content: \"") + heading +
            QStringLiteral("\"; font-size: 130%; font-weight: bold; border-bottom: 1px solid "
                           "#999; display: block; }"),
        QStringLiteral("ul#gallery ul:after{ content: \"") + footer +
            QStringLiteral("\"; font-size: 90%; text-align: right; border-top: 1px solid #999; "
                           "display: block; margin-top: 1em; }"),
        QStringLiteral("ul#gallery img{ display: block; }"),
        QStringLiteral("img,a img{ border: 0; }"),
        QStringLiteral("ul#gallery:after{ content: \".\"; display: block; height: 0; overflow: "
                       "hidden; clear: both; visibility:hidden; }"),
        QStringLiteral("ul#gallery>li{ float: left; padding: 10px; margin: 10px; width: %1px; "
                       "height: %2px; border: 1px solid transparent; }")
            .arg(p.thumbnailWidth + 20)
            .arg(p.thumbnailHeight + 20),
        QStringLiteral("ul#gallery img{ display: block; margin: auto; }"),
    };
}

} // namespace

QString cssColour(ColourValue colour, const QPalette& palette) {
    const QColor resolved = toQColor(colour, palette);
    return QString::asprintf("#%.2x%.2x%.2x", resolved.red(), resolved.green(), resolved.blue());
}

QString fontDeclarations(const FontSpec& font, const QPalette& palette, const char* unit) {
    QString text = QLatin1String(" font-family: ") + font.face + QLatin1String("; ") +
                   QLatin1String("color : ") + cssColour(font.colour, palette) +
                   QLatin1String("; ") + QLatin1String("font-size: ") +
                   QString::number(font.pointSize) + QLatin1String(unit) + QLatin1String("; ");
    if (font.bold)
        text += QLatin1String("font-weight: bold; ");
    if (font.italic)
        text += QLatin1String("font-style: italic; ");
    return text;
}

QString borderStyleWord(int type) {
    static const std::array<const char*, 8> words = {
        "solid ", "double ", "dotted ", "dashed ", "groove ", "ridge ", "inset ", "outset ",
    };
    if (type < 0 || type >= static_cast<int>(words.size()))
        return {};
    return QLatin1String(words[static_cast<std::size_t>(type)]);
}

QString borderDeclaration(const FrameParameters& frame, const QPalette& palette) {
    return QLatin1String(" border : ") + QString::number(frame.width) + QLatin1String("px ") +
           borderStyleWord(frame.type) + cssColour(frame.colour, palette) + QLatin1Char(' ');
}

QString backgroundDeclarations(const BackgroundParameters& background, const QString& imageName,
                               const QPalette& palette) {
    QString text = QLatin1String("background-color: ") + cssColour(background.colour, palette) +
                   QLatin1String("; ");
    if (!imageName.isEmpty()) {
        text += QLatin1String("background-image: url(") + imageName + QLatin1String("); ");
        if (background.placement == placementCentred)
            text += QLatin1String("background-position : center center; "
                                  "background-repeat : no-repeat; ");
    }
    return text;
}

QStringList styleSheetLines(const AlbumContext& context, const BackgroundFileNames& backgrounds) {
    const AlbumParameters& p = context.parameters;
    const QPalette& palette = context.palette;
    // The classic pages take a font's size in pixels; modern pages in the points chosen.
    const char* unit = p.modern.enabled ? "pt" : "px";
    QStringList lines;

    QString body = QStringLiteral("body { text-align: center; ");
    if (p.pageBackground.enabled)
        body += backgroundDeclarations(p.pageBackground, backgrounds.page, palette);
    lines << body + QLatin1Char('}');
    lines << QStringLiteral("td,h1,h2 { text-align: center; }")
          << QStringLiteral("a { text-decoration : none; }")
          << QStringLiteral("a:hover { text-decoration: underline; }");
    lines << fontRule(".id0", p.albumTitleFont, palette, unit);
    if (p.mainTableFrame.enabled)
        lines << QLatin1String(".id1 { ") + borderDeclaration(p.mainTableFrame, palette) +
                     QLatin1Char('}');
    if (p.mainCellFrame.enabled)
        lines << QLatin1String(".id2 { ") + borderDeclaration(p.mainCellFrame, palette) +
                     QLatin1Char('}');

    if (makesPhotoPages(p)) {
        lines << fontRule(".pd0", p.photoTitleFont, palette, unit);
        if (p.photoDescription && p.pageFileName.shown)
            lines << fontRule(".pd1", p.pageFileName.font, palette, unit);
        if (p.photoDescription && p.pageDimensions.shown)
            lines << fontRule(".pd2", p.pageDimensions.font, palette, unit);
        if (p.photoDescription && p.pageSize.shown)
            lines << fontRule(".pd3", p.pageSize.font, palette, unit);
        if (p.photoFrame.enabled)
            lines << QLatin1String(".pd4 {") + borderDeclaration(p.photoFrame, palette) +
                         QLatin1Char('}');
    }

    lines << fontRule(".td01", p.pageTitleFont, palette, unit);
    lines << fontRule(".td02", p.pageDescriptionFont, palette, unit);

    QString table = QStringLiteral(".td1 { ");
    if (p.tableBackground.enabled)
        table += backgroundDeclarations(p.tableBackground, backgrounds.table, palette);
    if (p.thumbnailTableFrame.enabled)
        table += borderDeclaration(p.thumbnailTableFrame, palette);
    lines << table + QLatin1Char('}');

    QString cell = QStringLiteral(".td2 { ");
    if (p.cellBackground.enabled)
        cell += backgroundDeclarations(p.cellBackground, backgrounds.cell, palette);
    if (p.thumbnailCellFrame.enabled)
        cell += borderDeclaration(p.thumbnailCellFrame, palette);
    lines << cell + QLatin1Char('}');

    if (p.photoInformation && (p.photoInformationType == informationInTable || p.modern.enabled)) {
        if (p.tableFileName.shown)
            lines << fontRule(".td3", p.tableFileName.font, palette, unit);
        if (p.tableDimensions.shown)
            lines << fontRule(".td4", p.tableDimensions.font, palette, unit);
        if (p.tableSize.shown)
            lines << fontRule(".td5", p.tableSize.font, palette, unit);
    }
    if (p.photoInformation && p.photoInformationType == informationPopUp)
        lines << interactiveDescriptionRules(context);

    // Besides the old filters, the standard property, or dimming does nothing in a browser
    // of today.
    if (p.brightenThumbnails)
        lines << QStringLiteral(".hili img{ filter:progid:DXImageTransform.Microsoft.Alpha("
                                "opacity=50); -moz-opacity: 0.5; opacity: 0.5; }")
              << QStringLiteral(".hili:hover img{ filter:progid:DXImageTransform.Microsoft.Alpha("
                                "opacity=100); -moz-opacity: 1; opacity: 1; }");

    return cssCharacters(lines, context.languageFlag);
}

BackgroundFileNames copyBackgroundImages(const AlbumContext& context) {
    const AlbumParameters& p = context.parameters;
    BackgroundFileNames names;
    names.page = copyBackground(p.pageBackground, QStringLiteral("pbck"), context.albumDirectory);
    names.table = copyBackground(p.tableBackground, QStringLiteral("tbck"), context.albumDirectory);
    names.cell = copyBackground(p.cellBackground, QStringLiteral("tdbck"), context.albumDirectory);
    return names;
}

void writeStyleSheet(const AlbumContext& context) {
    const BackgroundFileNames backgrounds = copyBackgroundImages(context);
    writeTextLines(QDir(context.albumDirectory).filePath(QStringLiteral("style.css")),
                   styleSheetLines(context, backgrounds));
}

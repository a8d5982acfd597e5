#include "core/generator/ThumbnailPage.h"

#include "core/app/StringTable.h"
#include "core/generator/HtmlText.h"
#include "core/generator/PhotoPage.h"
#include "core/generator/RunObserver.h"
#include "core/generator/TextOutput.h"
#include "core/generator/ThumbnailJobs.h"
#include "core/generator/ThumbnailMaker.h"
#include "core/photos/PhotoEntry.h"
#include "core/photos/TaggedText.h"

#include <algorithm>
#include <optional>

namespace {

enum class CellForm { Interactive, Table, Plain };

CellForm cellForm(const AlbumParameters& p) {
    if (!p.photoInformation)
        return CellForm::Plain;
    if (p.photoInformationType == informationPopUp)
        return CellForm::Interactive;
    if (p.photoInformationType == informationInTable)
        return CellForm::Table;
    return CellForm::Plain;
}

QString dimensionsOf(const QString& entry) {
    return QLatin1Char('[') + tagValue(entry, QStringLiteral("<w>")) + QLatin1Char('x') +
           tagValue(entry, QStringLiteral("<h>")) + QLatin1Char(']');
}

QString emptyCellLine() {
    return QStringLiteral(R"( <td class="td2"></td>)");
}

QStringList headLines(const AlbumContext& context, const QString& caption) {
    return {
        QStringLiteral("<html><head>"),
        QStringLiteral(R"(<link rel="stylesheet" type="text/css" href="style.css">)"),
        contentTypeLine(context.languageFlag),
        QLatin1String("<title>") + context.albumTitle + QLatin1String(" - ") + caption +
            QLatin1String("</title>"),
        QStringLiteral("</head><body>"),
        QLatin1String(R"(<h1 align="center" class="td01">)") + context.albumTitle +
            QLatin1String("</h1>"),
        QLatin1String(R"(<h2 align="center" class="td02">)") + caption + QLatin1String("</h2>"),
        QStringLiteral(R"(<hr size="1" noshade>)"),
        QStringLiteral("<center>"),
        QStringLiteral(R"(<table class="td1" cellspacing="2" cellpadding="2">)"),
    };
}

QStringList footLines(const AlbumContext& context) {
    const QString home = attributeText(interfaceText(textBackToMainPage, context.languageFlag));
    return {
        QStringLiteral("</table>"),
        QStringLiteral("</center>"),
        QStringLiteral(R"(<hr size="1" noshade>)"),
        QLatin1String("<a href=\"../") + urlText(context.albumDirectoryName) +
            QLatin1String(".html\" title=\"") + home +
            QLatin1String("\"><img src=\"home.gif\" alt=\"") + home +
            QLatin1String("\" border=\"0\"></a></body></html>"),
    };
}

// Lays the page out as a grid of full rows. photoCell(i) gives the line of photo i, or
// nothing when the build is to stop; rowEnded() says whether to go on after a row.
template <typename PhotoCell, typename RowEnded>
std::optional<QStringList> composePage(const AlbumContext& context, const QStringList& entries,
                                       const QString& caption, PhotoCell photoCell,
                                       RowEnded rowEnded) {
    QStringList lines = headLines(context, caption);
    const qsizetype photos = entries.size();
    const qsizetype columns = std::max(1, context.parameters.thumbnailColumns);
    const qsizetype rows = (photos + columns - 1) / columns;
    qsizetype index = 0;
    for (qsizetype row = 0; row < rows; ++row) {
        lines << QStringLiteral("<tr>");
        for (qsizetype column = 0; column < columns; ++column, ++index) {
            if (index >= photos) {
                lines << emptyCellLine();
                continue;
            }
            const std::optional<QString> cell = photoCell(index);
            if (!cell)
                return std::nullopt;
            lines << *cell;
        }
        lines << QStringLiteral("</tr>");
        if (!rowEnded())
            return std::nullopt;
    }
    lines << footLines(context);
    return htmlCharacters(lines, context.languageFlag);
}

} // namespace

QString thumbnailCellLine(const AlbumContext& context, const QString& photoEntry,
                          const QString& thumbnailText) {
    const AlbumParameters& p = context.parameters;
    const qint8 language = context.languageFlag;
    const CellForm form = cellForm(p);
    const QString name = photoName(photoEntry);

    const QString target =
        makesPhotoPages(p)
            ? photoPageFileName(static_cast<int>(context.workingPhotos.indexOf(photoEntry)))
            : urlText(name);
    QString link =
        form == CellForm::Interactive
            ? QLatin1String(R"(<ul id="gallery"><li><a href=")") + target + QLatin1String("\">")
            : QLatin1String("<a href=\"") + target + QLatin1String("\" title=\"") +
                  attributeText(name) + QLatin1String("\">");
    link.insert(link.size() - 1, QLatin1String(R"( class="hili")"));

    QString body = link + QLatin1String("<img src=\"") +
                   urlText(tagValue(thumbnailText, QStringLiteral("<n>"))) +
                   QLatin1String("\" alt=\"") + attributeText(name) + QLatin1String("\" width=\"") +
                   tagValue(thumbnailText, QStringLiteral("<w>")) + QLatin1String("\" height=\"") +
                   tagValue(thumbnailText, QStringLiteral("<h>")) +
                   QLatin1String("\" border=\"0\"></a>");

    const QString sizeText = tagValue(photoEntry, QStringLiteral("<r>"));
    switch (form) {
    case CellForm::Interactive:
        body += QLatin1String("<ul><li><strong>") + interfaceText(textNameLabel, language) +
                QLatin1String("</strong>") + name + QLatin1String("</li>");
        if (hasDimensions(photoEntry))
            body += QLatin1String("<li><strong>") + interfaceText(textDimensionsLabel, language) +
                    QLatin1String("</strong>") + dimensionsOf(photoEntry) + QLatin1String("</li>");
        body += QLatin1String("<li><strong>") + interfaceText(textSizeLabel, language) +
                QLatin1String("</strong>") + sizeText + QLatin1String("</li></ul></li></ul>");
        break;
    case CellForm::Table:
        if (p.tableFileName.shown)
            body += QLatin1String(R"(<br><div class="td3">)") + name + QLatin1String("</div>");
        if (p.tableDimensions.shown && hasDimensions(photoEntry))
            body += QLatin1String(R"(<div class="td4">)") + dimensionsOf(photoEntry) +
                    QLatin1String("</div>");
        if (p.tableSize.shown)
            body += QLatin1String(R"(<div class="td5">)") + sizeText + QLatin1String("</div>");
        break;
    case CellForm::Plain:
        break;
    }
    return QLatin1String(R"( <td class="td2">)") + body + QLatin1String("</td>");
}

QStringList thumbnailPageLines(const AlbumContext& context, const QStringList& pageEntries,
                               const QStringList& thumbnailTexts, const QString& caption) {
    const auto cell = [&](qsizetype i) -> std::optional<QString> {
        return thumbnailCellLine(context, pageEntries.at(i), thumbnailTexts.at(i));
    };
    return *composePage(context, pageEntries, caption, cell, [] { return true; });
}

bool writeThumbnailPage(const AlbumContext& context, const QStringList& pageEntries,
                        const QString& pagePath, const QString& caption, RunObserver& observer) {
    const AlbumParameters& p = context.parameters;
    const bool makeFiles = makesThumbnailFiles(p);
    const auto cell = [&](qsizetype i) -> std::optional<QString> {
        const QString& entry = pageEntries.at(i);
        const QString thumbnail =
            context.thumbnails
                ? context.thumbnails->take(entry, [&observer] { observer.pump(); })
                : makeThumbnail(entry, p.thumbnailWidth, p.thumbnailHeight, makeFiles);
        QString line = thumbnailCellLine(context, entry, thumbnail);
        // The only chance the stop button gets while a long page is built.
        if (!advanceProgress(observer) || observer.abortRequested())
            return std::nullopt;
        return line;
    };
    const auto rowEnded = [&] { return !observer.abortRequested(); };
    const std::optional<QStringList> lines =
        composePage(context, pageEntries, caption, cell, rowEnded);
    if (!lines)
        return false;
    writeTextLines(pagePath, *lines);
    return true;
}

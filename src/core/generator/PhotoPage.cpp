#include "core/generator/PhotoPage.h"

#include "core/app/StringTable.h"
#include "core/generator/Categories.h"
#include "core/generator/HtmlText.h"
#include "core/generator/TextOutput.h"
#include "core/photos/PathParts.h"
#include "core/photos/PhotoEntry.h"
#include "core/photos/TaggedText.h"

namespace {

const QString separatorLine = QStringLiteral(R"(<hr size="1" noshade>)");

QString navigationLink(const QString& target, const QString& text, const char* icon) {
    const QString attribute = attributeText(text);
    return QLatin1String("<a href=\"") + target + QLatin1String("\" title=\"") + attribute +
           QLatin1String("\"><img src=\"") + QLatin1String(icon) + QLatin1String("\" alt=\"") +
           attribute + QLatin1String("\" border=\"0\"></a>");
}

} // namespace

QString photoPageFileName(int photoNumber) {
    return QStringLiteral("p-%1.html").arg(photoNumber);
}

QString photoName(const QString& photoEntry) {
    return fileNamePart(tagValue(photoEntry, QStringLiteral("<n>")));
}

PhotoNeighbours photoNeighbours(int photoNumber, int photoCount) {
    const int last = photoCount - 1;
    return {photoNumber > 0 ? photoNumber - 1 : last, photoNumber < last ? photoNumber + 1 : 0};
}

QStringList photoPageLines(const AlbumContext& context, int photoNumber, int categoryPage) {
    const AlbumParameters& p = context.parameters;
    const qint8 language = context.languageFlag;
    const QString entry = context.workingPhotos.at(photoNumber);
    const QString name = photoName(entry);
    const int last = static_cast<int>(context.workingPhotos.size()) - 1;

    const auto [previous, next] = photoNeighbours(photoNumber, last + 1);
    const QString previousText =
        interfaceText(photoNumber > 0 ? textPreviousPhoto : textLastPhoto, language);
    const QString nextText =
        interfaceText(photoNumber < last ? textNextPhoto : textFirstPhoto, language);
    const QString indexPage = categoryPageName(categoryPage);

    QStringList lines;
    lines << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral(R"(<link rel="stylesheet" type="text/css" href="style.css">)")
          << contentTypeLine(language)
          << QLatin1String("<title>") + context.albumTitle + QLatin1String(" - ") + name +
                 QLatin1String("</title>")
          << QStringLiteral("</head>") << QStringLiteral("<body>")
          << QLatin1String(R"(<h1 align="center" class="pd0">)") + name + QLatin1String("</h1>")
          << separatorLine;
    lines << navigationLink(photoPageFileName(previous), previousText, "prev.gif")
          << navigationLink(QLatin1String("../") + urlText(context.albumDirectoryName) +
                                QLatin1String(".html"),
                            interfaceText(textBackToMainPage, language), "home.gif")
          << navigationLink(indexPage, interfaceText(textBackToThumbnails, language), "index.gif")
          << navigationLink(photoPageFileName(next), nextText, "next.gif");
    lines << separatorLine + QLatin1String("<br>");
    lines << QLatin1String("<a href=\"") + urlText(name) + QLatin1String("\" title=\"") +
                 attributeText(name) + QLatin1String("\"><img class=\"pd4\" src=\"") +
                 urlText(name) + QLatin1String("\" alt=\"") + attributeText(name) +
                 QLatin1String("\" border=\"0\"></a>");

    if (p.photoDescription) {
        if (p.pageFileName.shown || p.pageDimensions.shown || p.pageSize.shown)
            lines << QLatin1String("<br><br>") + separatorLine;
        if (p.pageFileName.shown)
            lines << QLatin1String("<div class=\"pd1\">") + name + QLatin1String("</div>");
        if (p.pageDimensions.shown && hasDimensions(entry))
            lines << QLatin1String("<div class=\"pd2\">[") +
                         tagValue(entry, QStringLiteral("<w>")) + QLatin1Char('x') +
                         tagValue(entry, QStringLiteral("<h>")) + QLatin1String("]</div>");
        if (p.pageSize.shown)
            lines << QLatin1String("<div class=\"pd3\">") + tagValue(entry, QStringLiteral("<r>")) +
                         QLatin1String("</div>");
    }
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    return htmlCharacters(lines, language);
}

void writePhotoPage(const AlbumContext& context, int photoNumber, int categoryPage) {
    const QString photoPath =
        tagValue(context.workingPhotos.at(photoNumber), QStringLiteral("<n>"));
    writeTextLines(withTrailingSeparator(directoryPart(photoPath)) + photoPageFileName(photoNumber),
                   photoPageLines(context, photoNumber, categoryPage));
}

#include "core/generator/MainPage.h"

#include "core/generator/HtmlText.h"
#include "core/generator/RunObserver.h"
#include "core/generator/TextOutput.h"
#include "core/generator/ThumbnailJobs.h"
#include "core/generator/ThumbnailMaker.h"
#include "core/photos/TaggedText.h"

#include <algorithm>
#include <optional>

namespace {

QString pictureCell(const QString& link, const QString& directory, const QString& thumbnailText) {
    return QLatin1String(R"(<td class="id2">)") + link + QLatin1String("<img src=\"") + directory +
           QLatin1Char('/') + urlText(tagValue(thumbnailText, QStringLiteral("<n>"))) +
           QLatin1String("\" alt=\"\" width=\"") + tagValue(thumbnailText, QStringLiteral("<w>")) +
           QLatin1String("\" height=\"") + tagValue(thumbnailText, QStringLiteral("<h>")) +
           QLatin1String("\" border=\"0\"></a></td>");
}

QString nameCell(const QString& link, const QString& name) {
    return QLatin1String(R"(<td class="id2">)") + link + name + QLatin1String("</a></td>");
}

// Lays out the cells, a row break after every full row but the last; stopRequested() is asked
// after each numbered category and ends the page unfinished.
template <typename StopRequested>
std::optional<QStringList>
composeMainPage(const AlbumContext& context, const QList<Category>& categories,
                const QStringList& thumbnailTexts, StopRequested stopRequested) {
    const QString directory = urlText(context.albumDirectoryName);
    const QString& title = context.albumTitle;
    QStringList lines{
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QLatin1String(R"(<link rel="stylesheet" type="text/css" href=")") + directory +
            QLatin1String("/style.css\">"),
        contentTypeLine(context.languageFlag),
        QLatin1String("<title>") + title + QLatin1String("</title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QLatin1String(R"(<h1 align="center" class="id0">)") + title + QLatin1String("</h1>"),
        QStringLiteral(R"(<hr size="1" noshade><br>)"),
        QStringLiteral(R"(<center><table class="id1" cellspacing="2" cellpadding="2">)"),
        QStringLiteral("<tr>"),
    };

    const qsizetype columns = std::max(1, context.parameters.categoryColumns);
    const qsizetype count = categories.size();
    for (qsizetype k = 1; k <= count; ++k) {
        const Category& category = categories.at(k - 1);
        const QString thumbnailText = thumbnailTexts.value(k - 1);
        const QString page = directory + QLatin1Char('/') + categoryPageName(category.number);
        if (category.number == 0) {
            const QString link = QLatin1String("<a href=\"") + page + QLatin1String("\" title=\"") +
                                 attributeText(category.caption) + QLatin1String("\">");
            lines << pictureCell(link, directory, thumbnailText)
                  << nameCell(link, category.caption);
            continue;
        }
        const QString link = QLatin1String("<a href=\"") + page + QLatin1String("\">");
        lines << pictureCell(link, directory, thumbnailText) << nameCell(link, category.caption);
        if (k % columns == 0 && k < count)
            lines << QStringLiteral("</tr>") << QStringLiteral("<tr>");
        if (stopRequested())
            return std::nullopt;
    }

    lines << QStringLiteral("</tr>") << QStringLiteral("</table></center>")
          << QStringLiteral("</body>") << QStringLiteral("</html>");
    return htmlCharacters(lines, context.languageFlag);
}

} // namespace

QString mainPagePath(const AlbumContext& context) {
    return context.albumLocation + context.albumDirectoryName + QLatin1String(".html");
}

QString defaultIconThumbnailText() {
    return QStringLiteral("<n>main.png</n><w>48</w><h>48</h>");
}

QString categoryPictureKey(qsizetype category) {
    return QStringLiteral("category %1").arg(category);
}

void startCategoryThumbnails(const AlbumParameters& parameters, const QStringList& categoryPictures,
                             const QHash<QString, QString>& sourceOfCopy,
                             ThumbnailJobs& thumbnails) {
    if (parameters.categorySign == signDefaultIcon)
        return;
    for (qsizetype i = 0; i < categoryPictures.size(); ++i)
        if (!thumbnails.isPlanned(categoryPictureKey(i)))
            thumbnails.add(categoryPictureKey(i), categoryPictures.at(i),
                           parameters.categoryThumbnailWidth, parameters.categoryThumbnailHeight,
                           true, sourceOfCopy.value(categoryPictures.at(i)));
}

QStringList categoryThumbnailTexts(const AlbumParameters& parameters,
                                   const QStringList& categoryPictures, ThumbnailJobs* thumbnails,
                                   const QHash<QString, QString>& sourceOfCopy) {
    QStringList texts;
    texts.reserve(categoryPictures.size());
    if (thumbnails)
        startCategoryThumbnails(parameters, categoryPictures, sourceOfCopy, *thumbnails);
    for (qsizetype i = 0; i < categoryPictures.size(); ++i) {
        if (parameters.categorySign == signDefaultIcon)
            texts << defaultIconThumbnailText();
        else if (thumbnails)
            texts << thumbnails->take(categoryPictureKey(i));
        else
            texts << makeThumbnail(categoryPictures.at(i), parameters.categoryThumbnailWidth,
                                   parameters.categoryThumbnailHeight, true);
    }
    return texts;
}

QStringList mainPageLines(const AlbumContext& context, const QList<Category>& categories,
                          const QStringList& thumbnailTexts) {
    return *composeMainPage(context, categories, thumbnailTexts, [] { return false; });
}

bool writeMainPage(const AlbumContext& context, const QList<Category>& categories,
                   const QStringList& categoryPictures, const RunObserver& observer) {
    const QStringList thumbnailTexts = categoryThumbnailTexts(
        context.parameters, categoryPictures, context.thumbnails, context.sourceOfCopy);
    const std::optional<QStringList> lines = composeMainPage(
        context, categories, thumbnailTexts, [&] { return observer.abortRequested(); });
    if (!lines)
        return false;
    writeTextLines(mainPagePath(context), *lines);
    return true;
}

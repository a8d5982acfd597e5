#include "core/generator/ModernPages.h"

#include "core/app/StringTable.h"
#include "core/generator/GenerationError.h"
#include "core/generator/HtmlText.h"
#include "core/generator/MainPage.h"
#include "core/generator/PhotoPage.h"
#include "core/generator/RunObserver.h"
#include "core/generator/StyleSheet.h"
#include "core/generator/TextOutput.h"
#include "core/generator/ThumbnailJobs.h"
#include "core/generator/ThumbnailMaker.h"
#include "core/generator/UniqueName.h"
#include "core/photos/BmpFile.h"
#include "core/photos/PathParts.h"
#include "core/photos/PhotoEntry.h"
#include "core/photos/TaggedText.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <algorithm>

namespace {

constexpr int iconSize = 30; // home.gif, prev.gif, next.gif, index.gif

QString tag(const QString& text, const char* name) {
    return tagValue(text, QLatin1String(name));
}

QString attribute(const char* name, const QString& value) {
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + htmlEscaped(value) +
           QLatin1Char('"');
}

// A file of the album as a link or a source: %-escaped where a URL needs it (blanks and
// commas too, which would split a srcset), then as an attribute value.
QString link(const QString& prefix, const QString& fileName) {
    return htmlEscaped(urlText(prefix + fileName)
                           .replace(QLatin1Char(' '), QLatin1String("%20"))
                           .replace(QLatin1Char(','), QLatin1String("%2C")));
}

QStringList headLines(const AlbumContext& context, const QString& title, const QString& prefix,
                      const QStringList& extra = {}) {
    QStringList lines{
        QStringLiteral("<!DOCTYPE html>"),
        QLatin1String("<html lang=\"") +
            (context.languageFlag ? QLatin1String("pl") : QLatin1String("en")) +
            QLatin1String("\">"),
        QStringLiteral("<head>"),
        QStringLiteral(R"(<meta charset="utf-8">)"),
        QStringLiteral(R"(<meta name="viewport" content="width=device-width, initial-scale=1">)"),
        QLatin1String("<title>") + htmlEscaped(title) + QLatin1String("</title>"),
        QLatin1String("<link rel=\"stylesheet\" href=\"") +
            link(prefix, QStringLiteral("style.css")) + QLatin1String("\">"),
        QLatin1String("<link rel=\"stylesheet\" href=\"") +
            link(prefix, QStringLiteral("modern.css")) + QLatin1String("\">"),
    };
    lines << extra << QStringLiteral("</head>");
    return lines;
}

QString iconLink(const QString& target, const QString& text, const char* icon, const char* rel) {
    QString line = QLatin1String("<a href=\"") + htmlEscaped(target) + QLatin1Char('"');
    if (rel)
        line += attribute("rel", QLatin1String(rel));
    return line + attribute("title", text) + QLatin1String("><img src=\"") + QLatin1String(icon) +
           QLatin1Char('"') + attribute("alt", text) +
           QStringLiteral(" width=\"%1\" height=\"%1\"></a>").arg(iconSize);
}

// A thumbnail and its double-size version, sized so that the page does not move while the
// pictures come in; lazy when it is not among the first the page shows.
QString thumbnailImage(const QString& text, const QString& prefix, const QString& alt, bool lazy) {
    const QString one = tag(text, "<n>");
    const QString two = tag(text, "<n2>");
    QString line = QLatin1String("<img src=\"") + link(prefix, one) + QLatin1Char('"');
    if (!two.isEmpty() && two != one)
        line += QLatin1String(" srcset=\"") + link(prefix, one) + QLatin1String(" 1x, ") +
                link(prefix, two) + QLatin1String(" 2x\"");
    line += QLatin1String(" width=\"") + tag(text, "<w>") + QLatin1String("\" height=\"") +
            tag(text, "<h>") + QLatin1Char('"') + attribute("alt", alt);
    if (lazy)
        line += QLatin1String(R"( loading="lazy")");
    return line + QLatin1Char('>');
}

QString dimensionsOf(const QString& entry) {
    return QLatin1Char('[') + tag(entry, "<w>") + QLatin1Char('x') + tag(entry, "<h>") +
           QLatin1Char(']');
}

// The photo's caption from its metadata, as a line of its own; nothing without one.
QString captionLine(const QString& entry) {
    const QString caption = photoCaption(entry);
    return caption.isEmpty() ? QString()
                             : QLatin1String(R"(<div class="caption">)") + htmlEscaped(caption) +
                                   QLatin1String("</div>");
}

// Under the photo on its page: the caption, and when and with what it was taken.
QString aboutThePhoto(const QString& entry) {
    const QString date = photoDateTaken(entry);
    const QString camera = photoCameraSummary(entry);
    QString shot;
    if (!date.isEmpty())
        shot += QLatin1String("<time datetime=\"") + QString(date).replace(u' ', u'T') +
                QLatin1String("\">") + htmlEscaped(date) + QLatin1String("</time>");
    if (!camera.isEmpty())
        shot += (shot.isEmpty() ? QString() : QStringLiteral(" · ")) + htmlEscaped(camera);
    const QString caption = captionLine(entry);
    if (caption.isEmpty() && shot.isEmpty())
        return {};
    return QLatin1String(R"(<div class="about">)") + caption +
           (shot.isEmpty()
                ? QString()
                : QLatin1String(R"(<div class="shot">)") + shot + QLatin1String("</div>")) +
           QLatin1String("</div>");
}

// The photo information of a thumbnail: in a box that shows under the pointer (always, on a
// screen without one), or as lines under the thumbnail.
QString informationLines(const AlbumContext& context, const QString& entry) {
    const AlbumParameters& p = context.parameters;
    if (!p.photoInformation)
        return {};
    const qint8 language = context.languageFlag;
    const QString name = htmlEscaped(photoName(entry));
    const QString size = htmlEscaped(tag(entry, "<r>"));
    QString lines;
    if (p.photoInformationType == informationPopUp) {
        lines += QLatin1String(R"(<figcaption class="info popup">)");
        lines += QLatin1String(R"(<div class="td3"><strong>)") +
                 htmlEscaped(interfaceText(textNameLabel, language)) + QLatin1String("</strong>") +
                 name + QLatin1String("</div>");
        if (hasDimensions(entry))
            lines += QLatin1String(R"(<div class="td4"><strong>)") +
                     htmlEscaped(interfaceText(textDimensionsLabel, language)) +
                     QLatin1String("</strong>") + dimensionsOf(entry) + QLatin1String("</div>");
        lines += QLatin1String(R"(<div class="td5"><strong>)") +
                 htmlEscaped(interfaceText(textSizeLabel, language)) + QLatin1String("</strong>") +
                 size + QLatin1String("</div>");
        return lines + captionLine(entry) + QLatin1String("</figcaption>");
    }
    lines += QLatin1String(R"(<figcaption class="info">)");
    if (p.tableFileName.shown)
        lines += QLatin1String(R"(<div class="td3">)") + name + QLatin1String("</div>");
    if (p.tableDimensions.shown && hasDimensions(entry))
        lines +=
            QLatin1String(R"(<div class="td4">)") + dimensionsOf(entry) + QLatin1String("</div>");
    if (p.tableSize.shown)
        lines += QLatin1String(R"(<div class="td5">)") + size + QLatin1String("</div>");
    return lines + captionLine(entry) + QLatin1String("</figcaption>");
}

// Where a thumbnail leads: the photo's page, or straight to the photo (its full-size copy,
// or its page copy when the full size is not published).
QString photoTarget(const AlbumContext& context, const QString& entry) {
    const AlbumParameters& p = context.parameters;
    if (makesPhotoPages(p))
        return photoPageFileName(static_cast<int>(context.workingPhotos.indexOf(entry)));
    const QString text = context.plannedPictures.value(entry);
    if (!p.modern.publishOriginals && !tag(text, "<d>").isEmpty())
        return link(QString(), tag(text, "<d>"));
    return link(QString(), photoName(entry));
}

QString jsString(const QString& url) {
    QString text = url;
    text.replace(QLatin1Char('\\'), QLatin1String("%5C"))
        .replace(QLatin1Char('\''), QLatin1String("%27"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// Arrow keys and swipes move between the photos, up or Escape goes back to the thumbnails;
// without scripts the links do the same.
QString navigationScript(const QString& previous, const QString& next, const QString& up) {
    return QLatin1String("<script>(function(){var previous=") + jsString(previous) +
           QLatin1String(",next=") + jsString(next) + QLatin1String(",up=") + jsString(up) +
           QLatin1String(
               ";document.addEventListener('keydown',function(e){"
               "if(e.altKey||e.ctrlKey||e.metaKey||e.shiftKey)return;"
               "if(e.key==='ArrowLeft')location.href=previous;"
               "else if(e.key==='ArrowRight')location.href=next;"
               "else if(e.key==='ArrowUp'||e.key==='Escape')location.href=up;});"
               "var x=null,y=0,dx=0,dy=0;"
               "document.addEventListener('touchstart',function(e){x=null;"
               "if(e.touches.length===1){x=e.touches[0].clientX;y=e.touches[0].clientY;"
               "dx=dy=0;}},{passive:true});"
               "document.addEventListener('touchmove',function(e){if(x===null)return;"
               "dx=e.touches[0].clientX-x;dy=e.touches[0].clientY-y;},{passive:true});"
               "document.addEventListener('touchend',function(){if(x===null)return;x=null;"
               "if(Math.abs(dx)>50&&Math.abs(dx)>2*Math.abs(dy))"
               "location.href=dx<0?next:previous;},{passive:true});})();</script>");
}

QString jpegName(const QString& name) {
    const QString lower = name.toLower();
    return lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg"))
               ? name
               : name + QLatin1String(".jpg");
}

// A pop-up description lies over what is under it: it takes the colour of the nearest
// background the user chose, so that the user's text colours stay legible on it.
QString popupBackground(const AlbumContext& context) {
    const AlbumParameters& p = context.parameters;
    for (const BackgroundParameters* background :
         {&p.cellBackground, &p.tableBackground, &p.pageBackground})
        if (background->enabled)
            return cssColour(background->colour, context.palette);
    return QStringLiteral("#fff");
}

} // namespace

ModernPicturePlan planModernPictures(const QString& entry, const QString& sourcePath,
                                     QSize thumbnailBox, int displayLongSide,
                                     QSet<QString>& reservedNames) {
    ModernPicturePlan plan;
    const QString photoPath = tag(entry, "<n>");
    const QString directory = withTrailingSeparator(directoryPart(photoPath));
    const QString name = fileNamePart(photoPath);
    const auto textOf = [](const QString& one, QSize shown, const QString& two,
                           const QString& display, QSize displaySize) {
        return QStringLiteral(
                   "<n>%1</n><w>%2</w><h>%3</h><n2>%4</n2><d>%5</d><dw>%6</dw><dh>%7</dh>")
            .arg(one)
            .arg(shown.width())
            .arg(shown.height())
            .arg(two, display)
            .arg(displaySize.width())
            .arg(displaySize.height());
    };
    if (entry.contains(QLatin1String("<ns>"))) {
        // A PNG or GIF is its own picture, shown in the box with its own proportions.
        QSize size = QImageReader(sourcePath).size();
        if (!size.isValid() || size.isEmpty())
            size = thumbnailBox;
        const QSize shown = thumbnailDisplaySize(size.width(), size.height(), thumbnailBox.width(),
                                                 thumbnailBox.height());
        plan.text = textOf(name, shown, name, name, size);
        return plan;
    }
    bool widthRead = false;
    bool heightRead = false;
    const QSize size(tag(entry, "<w>").toInt(&widthRead), tag(entry, "<h>").toInt(&heightRead));
    if (!widthRead || !heightRead) {
        plan.error = QStringLiteral("The size of the photo %1 is not a number.").arg(photoPath);
        return plan;
    }
    const QSize thumbnail = thumbnailDisplaySize(size.width(), size.height(), thumbnailBox.width(),
                                                 thumbnailBox.height());
    if (thumbnail.isEmpty()) {
        plan.error = QStringLiteral("The photo %1 is too narrow for a thumbnail.").arg(photoPath);
        return plan;
    }
    const QSize display =
        displayLongSide > 0 ? fittedSize(size, QSize(displayLongSide, displayLongSide)) : size;
    const QString base = isBmpFileName(name) ? name + QLatin1String(".jpg") : jpegName(name);
    const auto unique = [&](const QString& prefix) {
        const QString chosen = uniqueFileName(directory, prefix + base, reservedNames);
        reservedNames.insert(chosen);
        return chosen;
    };
    const QString one = unique(QStringLiteral("th_"));
    const QString two = unique(QStringLiteral("th2_"));
    const QString page = unique(QStringLiteral("d_"));
    plan.text = textOf(one, thumbnail, two, page, display);
    plan.files = {directory + page, directory + one, directory + two};
    plan.images = ModernImagePlan{photoPath,       sourcePath,      directory + page, display,
                                  directory + one, directory + two, thumbnail};
    return plan;
}

QStringList modernStyleLines(const AlbumContext& context) {
    const AlbumParameters& p = context.parameters;
    const int cell = p.thumbnailWidth + 16;
    const int categoryCell = p.categorySign == signDefaultIcon ? 64 : p.categoryThumbnailWidth + 16;
    return {
        QStringLiteral("* { box-sizing: border-box; }"),
        QStringLiteral("html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }"),
        QStringLiteral("body.modern { margin: 0 auto; padding: 0.5rem; overflow-wrap: anywhere; }"),
        QStringLiteral(".modern img { max-width: 100%; height: auto; }"),
        QStringLiteral(".modern h1, .modern h2 { margin: 0.3em 0; }"),
        QStringLiteral(".modern hr { border: 0; border-top: 1px solid currentColor; opacity: 0.35; "
                       "}"),
        QStringLiteral("nav.pages { display: flex; flex-wrap: wrap; justify-content: center; "
                       "gap: 0.5rem; margin: 0.3rem 0; }"),
        QStringLiteral("nav.pages img { display: block; }"),
        // The user's columns on a wide screen; fewer, wrapped, on a narrow one.
        QStringLiteral(".categories { display: flex; flex-wrap: wrap; justify-content: center; "
                       "gap: 6px; padding: 4px; margin: 0 auto; max-width: %1px; }")
            .arg(std::max(1, p.categoryColumns) * (categoryCell + 6) + 8),
        QStringLiteral(".category { display: flex; flex-direction: column; align-items: center; "
                       "width: %1px; max-width: 100%; padding: 4px; }")
            .arg(categoryCell),
        QStringLiteral(".gallery { display: flex; flex-wrap: wrap; justify-content: center; "
                       "gap: 6px; padding: 4px; margin: 0 auto; max-width: %1px; }")
            .arg(std::max(1, p.thumbnailColumns) * (cell + 6) + 8),
        QStringLiteral(".gallery figure { position: relative; margin: 0; padding: 4px; width: "
                       "%1px; max-width: 100%; display: flex; flex-direction: column; "
                       "align-items: center; }")
            .arg(cell),
        QStringLiteral(".thumb { display: flex; align-items: center; justify-content: center; "
                       "max-width: 100%; }"),
        QStringLiteral(".thumb img { display: block; }"),
        QStringLiteral("figcaption.info { margin-top: 2px; }"),
        // Descriptions under the pointer, or for the keyboard's focus; on a touch screen
        // always shown, under the thumbnail.
        QStringLiteral("figcaption.popup { position: absolute; z-index: 2; top: 100%; left: 0; "
                       "min-width: 100%; padding: 4px; background-color: %1; border: 1px solid "
                       "GrayText; visibility: hidden; }")
            .arg(popupBackground(context)),
        QStringLiteral(".gallery figure:hover figcaption.popup, .gallery figure:focus-within "
                       "figcaption.popup { visibility: visible; }"),
        QStringLiteral("@media (pointer: coarse) { figcaption.popup { position: static; "
                       "visibility: visible; border: 0; padding: 0; background: none; } }"),
        // Thumbnails dimmed until pointed at light up for the keyboard's focus as well, and
        // are never dimmed where nothing can point.
        QStringLiteral(".hili:focus-visible img { opacity: 1; }"),
        QStringLiteral("@media (pointer: coarse) { .hili img { opacity: 1; } }"),
        // The photo page: the photo takes what the heading and the links leave of the window,
        // never more, never scrolled.
        QStringLiteral("body.photo-page { height: 100vh; height: 100dvh; display: flex; "
                       "flex-direction: column; padding: 0.25rem; }"),
        QStringLiteral(
            ".photo-page header, .photo-page footer, .photo-page .about { flex: none; }"),
        QStringLiteral(".about { text-align: center; margin-top: 0.25rem; }"),
        QStringLiteral(".about .shot { font-size: 0.85em; opacity: 0.8; }"),
        // A sideways swipe moves to the next photo, not back through the browser's history.
        QStringLiteral(":root:has(body.photo-page) { overscroll-behavior-x: none; }"),
        QStringLiteral(".photo-area { flex: 1 1 auto; min-height: 0; display: flex; "
                       "align-items: center; justify-content: center; }"),
        QStringLiteral(".photo-area a { display: flex; max-width: 100%; max-height: 100%; "
                       "height: 100%; align-items: center; justify-content: center; }"),
        QStringLiteral(".photo-area img { display: block; max-width: 100%; max-height: 100%; "
                       "width: auto; height: auto; object-fit: contain; }"),
    };
}

QStringList modernMainPageLines(const AlbumContext& context, const QList<Category>& categories,
                                const QStringList& thumbnailTexts, bool insideAlbum) {
    const QString prefix = insideAlbum ? QString() : context.albumDirectoryName + QLatin1Char('/');
    QStringList lines = headLines(context, context.albumTitle, prefix);
    lines << QStringLiteral(R"(<body class="modern main-page">)")
          << QLatin1String(R"(<h1 class="id0">)") + htmlEscaped(context.albumTitle) +
                 QLatin1String("</h1>")
          << QStringLiteral("<hr>") << QStringLiteral(R"(<main class="categories id1">)");
    const int eager = std::max(1, context.parameters.categoryColumns) * 2;
    for (qsizetype k = 0; k < categories.size(); ++k) {
        const Category& category = categories.at(k);
        const QString text = thumbnailTexts.value(k);
        lines << QLatin1String(R"(<a class="category id2" href=")") +
                     link(prefix, categoryPageName(category.number)) + QLatin1String("\">") +
                     QLatin1String(R"(<span class="thumb">)") +
                     thumbnailImage(text, prefix, QString(), k >= eager) +
                     QLatin1String("</span><span>") + htmlEscaped(category.caption) +
                     QLatin1String("</span></a>");
    }
    lines << QStringLiteral("</main>") << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

QStringList modernThumbnailPageLines(const AlbumContext& context, const QStringList& pageEntries,
                                     const QStringList& thumbnailTexts, const QString& caption) {
    const AlbumParameters& p = context.parameters;
    const qint8 language = context.languageFlag;
    QStringList lines =
        headLines(context, context.albumTitle + QLatin1String(" - ") + caption, QString());
    lines << QStringLiteral(R"(<body class="modern thumbnails">)")
          << QLatin1String(R"(<h1 class="td01">)") + htmlEscaped(context.albumTitle) +
                 QLatin1String("</h1>")
          << QLatin1String(R"(<h2 class="td02">)") + htmlEscaped(caption) + QLatin1String("</h2>")
          << QStringLiteral("<hr>") << QStringLiteral(R"(<main class="gallery td1">)");
    const int eager = std::max(1, p.thumbnailColumns) * 2;
    for (qsizetype i = 0; i < pageEntries.size(); ++i) {
        const QString& entry = pageEntries.at(i);
        const QString text = thumbnailTexts.value(i);
        const QString name = photoName(entry);
        lines << QLatin1String(R"(<figure class="td2"><a class="thumb hili" href=")") +
                     photoTarget(context, entry) + QLatin1Char('"') + attribute("title", name) +
                     QLatin1Char('>') + thumbnailImage(text, QString(), name, i >= eager) +
                     QLatin1String("</a>") + informationLines(context, entry) +
                     QLatin1String("</figure>");
    }
    lines << QStringLiteral("</main>") << QStringLiteral("<hr>")
          << QLatin1String(R"(<nav class="pages">)") +
                 iconLink(QStringLiteral("index.html"), interfaceText(textBackToMainPage, language),
                          "home.gif", "home") +
                 QLatin1String("</nav>")
          << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

QStringList modernPhotoPageLines(const AlbumContext& context, int photoNumber, int categoryPage,
                                 const QString& thumbnailText) {
    const AlbumParameters& p = context.parameters;
    const qint8 language = context.languageFlag;
    const QString entry = context.workingPhotos.at(photoNumber);
    const QString name = photoName(entry);
    const int last = static_cast<int>(context.workingPhotos.size()) - 1;
    const auto [previous, next] = photoNeighbours(photoNumber, last + 1);
    const QString previousPage = photoPageFileName(previous);
    const QString nextPage = photoPageFileName(next);
    const QString indexPage = categoryPageName(categoryPage);

    QStringList lines = headLines(
        context, context.albumTitle + QLatin1String(" - ") + name, QString(),
        {QLatin1String("<link rel=\"prev\" href=\"") + previousPage + QLatin1String("\">"),
         QLatin1String("<link rel=\"next\" href=\"") + nextPage + QLatin1String("\">")});
    lines << QStringLiteral(R"(<body class="modern photo-page">)") << QStringLiteral("<header>")
          << QLatin1String(R"(<h1 class="pd0">)") + htmlEscaped(name) + QLatin1String("</h1>")
          << QLatin1String(R"(<nav class="pages">)") +
                 iconLink(
                     previousPage,
                     interfaceText(photoNumber > 0 ? textPreviousPhoto : textLastPhoto, language),
                     "prev.gif", "prev") +
                 iconLink(QStringLiteral("index.html"), interfaceText(textBackToMainPage, language),
                          "home.gif", "home") +
                 iconLink(indexPage, interfaceText(textBackToThumbnails, language), "index.gif",
                          nullptr) +
                 iconLink(
                     nextPage,
                     interfaceText(photoNumber < last ? textNextPhoto : textFirstPhoto, language),
                     "next.gif", "next") +
                 QLatin1String("</nav>")
          << QStringLiteral("</header>");

    const QString display = tag(thumbnailText, "<d>");
    QString photo = QLatin1String(R"(<img class="pd4" src=")") + link(QString(), display) +
                    QLatin1String("\" width=\"") + tag(thumbnailText, "<dw>") +
                    QLatin1String("\" height=\"") + tag(thumbnailText, "<dh>") + QLatin1Char('"') +
                    attribute("alt", name) + QLatin1Char('>');
    // Clicking the photo opens it at full size, when that is published.
    if (p.modern.publishOriginals || display == name)
        photo = QLatin1String("<a href=\"") + link(QString(), name) + QLatin1Char('"') +
                attribute("title", name) + QLatin1Char('>') + photo + QLatin1String("</a>");
    lines << QLatin1String(R"(<main class="photo-area">)") + photo + QLatin1String("</main>");
    if (const QString about = aboutThePhoto(entry); !about.isEmpty())
        lines << about;

    if (p.photoDescription &&
        (p.pageFileName.shown || p.pageDimensions.shown || p.pageSize.shown)) {
        QString footer = QStringLiteral("<footer>");
        if (p.pageFileName.shown)
            footer +=
                QLatin1String(R"(<div class="pd1">)") + htmlEscaped(name) + QLatin1String("</div>");
        if (p.pageDimensions.shown && hasDimensions(entry))
            footer += QLatin1String(R"(<div class="pd2">)") + dimensionsOf(entry) +
                      QLatin1String("</div>");
        if (p.pageSize.shown)
            footer += QLatin1String(R"(<div class="pd3">)") + htmlEscaped(tag(entry, "<r>")) +
                      QLatin1String("</div>");
        lines << footer + QLatin1String("</footer>");
    }
    lines << navigationScript(previousPage, nextPage, indexPage) << QStringLiteral("</body>")
          << QStringLiteral("</html>");
    return lines;
}

void writeModernStyle(const AlbumContext& context) {
    writeStyleSheet(context);
    writeUtf8Lines(QDir(context.albumDirectory).filePath(QStringLiteral("modern.css")),
                   modernStyleLines(context));
}

void writeModernPhotoPage(const AlbumContext& context, int photoNumber, int categoryPage) {
    const QString entry = context.workingPhotos.at(photoNumber);
    writeUtf8Lines(context.albumDirectory + photoPageFileName(photoNumber),
                   modernPhotoPageLines(context, photoNumber, categoryPage,
                                        context.plannedPictures.value(entry)));
}

bool writeModernThumbnailPage(const AlbumContext& context, const QStringList& pageEntries,
                              const QString& pagePath, const QString& caption,
                              RunObserver& observer) {
    QStringList texts;
    for (const QString& entry : pageEntries) {
        texts << (context.thumbnails
                      ? context.thumbnails->take(entry, [&observer] { observer.pump(); })
                      : context.plannedPictures.value(entry));
        // The only chance the stop button gets while a long page is built.
        if (!advanceProgress(observer) || observer.abortRequested())
            return false;
    }
    writeUtf8Lines(pagePath, modernThumbnailPageLines(context, pageEntries, texts, caption));
    return true;
}

namespace {

// The main page's picture of a category: its thumbnails in the category box, no page copy.
ModernPicturePlan categoryPicturePlan(const AlbumContext& context, const QString& entry) {
    const AlbumParameters& p = context.parameters;
    QSet<QString> none;
    ModernPicturePlan plan =
        planModernPictures(entry, context.sourceOfCopy.value(entry, tag(entry, "<n>")),
                           QSize(p.categoryThumbnailWidth, p.categoryThumbnailHeight), 0,
                           context.thumbnails ? context.thumbnails->reservedNames() : none);
    if (plan.images) {
        plan.images->displayPath.clear();
        plan.files.removeFirst();
    }
    return plan;
}

void makeCategoryPicture(const ModernPicturePlan& plan) {
    if (!plan.error.isEmpty())
        throw GenerationError(plan.error);
    if (plan.images)
        makeModernImages(*plan.images);
}

} // namespace

void startModernCategoryPictures(const AlbumContext& context, const QStringList& categoryPictures) {
    if (context.parameters.categorySign == signDefaultIcon)
        return;
    for (qsizetype i = 0; i < categoryPictures.size(); ++i) {
        if (context.thumbnails->isPlanned(categoryPictureKey(i)))
            continue;
        const QString& entry = categoryPictures.at(i);
        const ModernPicturePlan plan = categoryPicturePlan(context, entry);
        context.thumbnails->addWork(
            categoryPictureKey(i), plan.text, plan.files, [plan] { makeCategoryPicture(plan); },
            photoPixelCount(entry));
    }
}

bool writeModernMainPages(const AlbumContext& context, const QList<Category>& categories,
                          const QStringList& categoryPictures, const RunObserver& observer) {
    QStringList texts;
    if (context.parameters.categorySign == signDefaultIcon) {
        for (qsizetype i = 0; i < categoryPictures.size(); ++i)
            texts << defaultIconThumbnailText();
    } else if (context.thumbnails) {
        startModernCategoryPictures(context, categoryPictures);
        for (qsizetype i = 0; i < categoryPictures.size(); ++i)
            texts << context.thumbnails->take(categoryPictureKey(i));
    } else {
        for (const QString& entry : categoryPictures) {
            const ModernPicturePlan plan = categoryPicturePlan(context, entry);
            makeCategoryPicture(plan);
            texts << plan.text;
        }
    }
    // As on the classic main page, a stop asked for before it is written is honoured.
    if (!categories.isEmpty() && categories.first().number != 0 && observer.abortRequested())
        return false;
    writeUtf8Lines(mainPagePath(context), modernMainPageLines(context, categories, texts, false));
    writeUtf8Lines(context.albumDirectory + QLatin1String("index.html"),
                   modernMainPageLines(context, categories, texts, true));
    return true;
}

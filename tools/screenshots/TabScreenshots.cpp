// Renders the parameter tab pages to PNG files in both languages, for looking at
// what a person sees: every caption must be readable in full.
// Usage: kadrela_tab_screenshots OUTPUT_DIRECTORY

#include "core/params/EnablingRules.h"
#include "gui/app/LanguageSwitch.h"
#include "gui/params/AlbumPagesTab.h"
#include "gui/params/BackgroundsTab.h"
#include "gui/params/MainPageTab.h"
#include "gui/params/ModernPagesTab.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

void applyEnabledStates(QWidget* page, const AlbumParameters& parameters) {
    for (const ControlState& state : dependentControlStates(parameters)) {
        if (QWidget* widget = page->findChild<QWidget*>(state.objectName))
            widget->setEnabled(state.enabled);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPixelSize(11);

    // The start values, and every switch on with a few colours, so that both the greyed
    // and the live look of each control can be seen.
    AlbumParameters everythingOn;
    for (FrameParameters* frame : {&everythingOn.mainTableFrame, &everythingOn.mainCellFrame,
                                   &everythingOn.thumbnailTableFrame,
                                   &everythingOn.thumbnailCellFrame, &everythingOn.photoFrame}) {
        frame->enabled = true;
        frame->width = 100;
        frame->colour = 0x0000FF;
        frame->type = 5;
    }
    for (BackgroundParameters* background :
         {&everythingOn.pageBackground, &everythingOn.tableBackground,
          &everythingOn.cellBackground}) {
        background->enabled = true;
        background->fromFile = true;
        background->colour = 0xFFEAD7;
        background->fileName = QStringLiteral("a rather long background file name.jpg");
        background->filePath = QStringLiteral("/photos/") + background->fileName;
        background->placement = 1;
    }
    everythingOn.photoInformation = true;
    everythingOn.photoInformationType = 1;
    everythingOn.photoDescription = true;
    everythingOn.categoryThumbnailWidth = 1000;
    everythingOn.thumbnailHeight = 1000;
    everythingOn.categoryColumns = 10;
    everythingOn.thumbnailColumns = 100;
    for (InfoItem* item :
         {&everythingOn.tableFileName, &everythingOn.tableDimensions, &everythingOn.tableSize,
          &everythingOn.pageFileName, &everythingOn.pageDimensions, &everythingOn.pageSize})
        item->shown = true;
    everythingOn.modern.enabled = true;

    const struct {
        const char* name;
        AlbumParameters parameters;
    } states[] = {{"start", AlbumParameters{}}, {"on", everythingOn}};

    for (const auto& state : states) {
        for (qint8 language : {qint8(1), qint8(0)}) {
            const char* suffix = language ? "pl" : "en";
            QWidget pages[4];
            for (QWidget& page : pages) {
                page.setFont(windowFont);
                page.setFixedSize(507, 350);
            }
            MainPageTab mainPage(&pages[0]);
            AlbumPagesTab albumPages(&pages[1]);
            BackgroundsTab backgrounds(&pages[2]);
            ModernPagesTab modern(&pages[3]);
            mainPage.showParameters(state.parameters);
            albumPages.showParameters(state.parameters);
            backgrounds.showParameters(state.parameters);
            modern.showParameters(state.parameters);
            const char* names[] = {"main", "pages", "backgrounds", "modern"};
            for (int index = 0; index < 4; ++index) {
                applyInterfaceLanguage(&pages[index], language);
                applyEnabledStates(&pages[index], state.parameters);
                const QString path =
                    output.filePath(QStringLiteral("tabs-%1-%2-%3.png")
                                        .arg(QLatin1String(names[index]), QLatin1String(state.name),
                                             QLatin1String(suffix)));
                if (!pages[index].grab().save(path))
                    return 1;
                std::printf("%s\n", qPrintable(path));
            }
        }
    }
    return 0;
}

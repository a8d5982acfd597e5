// Renders the program's windows to PNG files, for the README and for looking at what a
// person sees. Usage: kadrela_screenshots OUTPUT_DIRECTORY [LANGUAGE_FLAG [PHOTO_FOLDER]]

#include "gui/app/MainWindow.h"
#include "gui/app/PageControl.h"
#include "gui/app/SettingsDialog.h"
#include "gui/photos/PhotoListTab.h"

#include "gui/photos/PhotoListBox.h"

#include "ScriptedDesktop.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY [LANGUAGE_FLAG]\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("1");

    QTemporaryDir settingsDirectory;
    const QString settingsPath = settingsDirectory.filePath(QStringLiteral("kadrela.ini"));
    QFile settings(settingsPath);
    if (!settings.open(QIODevice::WriteOnly))
        return 1;
    QTextStream(&settings) << "[Ustawienia]\r\nJezyk=" << language << "\r\nWersja=0\r\n";
    settings.close();

    ScriptedDesktop desktop;
    MainWindow window(desktop, QCoreApplication::applicationDirPath(), settingsPath);
    window.show();
    QCoreApplication::processEvents();
    // With a folder of photos (third argument) the first tab shows them, one previewed.
    if (argc > 3) {
        PhotoListTab* photos = window.photoTab();
        photos->addDirectoryTree(QString::fromLocal8Bit(argv[3]));
        auto* list = photos->listBox();
        // The last JPEG of the list, so the preview has a picture to show.
        int chosen = 0;
        const QStringList entries = photos->photoEntries();
        for (int i = 0; i < entries.size(); ++i)
            if (!entries[i].contains(QLatin1String("<ns>")))
                chosen = i;
        const QModelIndex row = list->model()->index(chosen, 0);
        list->setCurrentIndex(row);
        list->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
        photos->previewFocusedRow();
        QCoreApplication::processEvents();
    }
    const QString suffix = language == QLatin1String("0") ? QStringLiteral("-en") : QString();
    auto* pages = window.findChild<PageControl*>(QStringLiteral("PageControl1"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QString name =
            page == 0 ? QStringLiteral("main-window%1.png").arg(suffix)
                      : QStringLiteral("main-window-tab%1%2.png").arg(page + 1).arg(suffix);
        const QString path = output.filePath(name);
        if (!window.grab().save(path))
            return 1;
        std::printf("%s\n", qPrintable(path));
    }
    // The program settings dialog, in the same language.
    SettingsDialog dialog(desktop, settingsPath, qint8(language.toInt()), &window);
    dialog.show();
    QCoreApplication::processEvents();
    const QString dialogPath = output.filePath(QStringLiteral("settings%1.png").arg(suffix));
    if (!dialog.grab().save(dialogPath))
        return 1;
    std::printf("%s\n", qPrintable(dialogPath));
    return 0;
}

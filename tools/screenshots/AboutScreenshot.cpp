// Renders the About window in both languages to PNG files, to look at what a person sees.
// Usage: kadrela_about_screenshot OUTPUT_DIRECTORY

#include "gui/app/AboutWindow.h"

#include "ScriptedDesktop.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    struct Language {
        qint8 flag;
        const char* suffix;
    };
    for (const Language language : {Language{1, "pl"}, Language{0, "en"}}) {
        ScriptedDesktop desktop;
        AboutWindow window(desktop, language.flag, nullptr);
        window.show();
        QCoreApplication::processEvents();
        const QString path =
            output.filePath(QStringLiteral("about-%1.png").arg(QLatin1String(language.suffix)));
        if (!window.grab().save(path))
            return 1;
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}

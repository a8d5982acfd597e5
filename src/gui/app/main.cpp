#include "core/app/ProgramSettings.h"
#include "core/photos/JpegFile.h"
#include "gui/app/KadrelaApplication.h"
#include "gui/app/MainWindow.h"
#include "gui/app/QtDesktop.h"

#include <exception>
#include <memory>

int main(int argc, char** argv) {
    keepLargeBuffersForReuse();
    KadrelaApplication application(argc, argv);
    QtDesktop desktop;
    application.setDesktop(&desktop);

    const QString programDirectory = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    std::unique_ptr<MainWindow> window;
    try {
        window = std::make_unique<MainWindow>(desktop, programDirectory,
                                              programSettingsPath(programDirectory));
    } catch (const std::exception& error) {
        application.showError(QString::fromLocal8Bit(error.what()));
        return 1;
    }
    if (window->quitRequested())
        return 0;
    window->show();
    return application.exec();
}

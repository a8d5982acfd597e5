#include "gui/app/KadrelaApplication.h"

#include "gui/app/Desktop.h"

#include <QIcon>

#include <exception>

namespace {
// The program icon in every size it is drawn in, so that title bar and task bar pick a
// picture made for their size (and twice it on a high-density screen).
QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kadrela-%1.png").arg(size), QSize(size, size));
    return icon;
}
} // namespace

KadrelaApplication::KadrelaApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("kadrela"));
    // No display name: on X11 Qt would append it to every window caption ("Kadrela v1.1.6 —
    // Kadrela"); the captions name the program themselves.
    setApplicationVersion(QLatin1String(KADRELA_VERSION));
    setDesktopFileName(QStringLiteral("kadrela"));
    setWindowIcon(programIcon());
}

bool KadrelaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showError(QStringLiteral("Unknown error"));
    }
    return false;
}

void KadrelaApplication::showError(const QString& text) {
    if (m_desktop)
        m_desktop->showMessage(activeWindow(), QStringLiteral("Kadrela"), text,
                               Desktop::Icon::Error);
}

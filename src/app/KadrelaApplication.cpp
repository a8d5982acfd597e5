#include "app/KadrelaApplication.h"

#include "app/Desktop.h"

#include <exception>

KadrelaApplication::KadrelaApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("kadrela"));
    setApplicationDisplayName(QStringLiteral("Kadrela"));
    setApplicationVersion(QLatin1String(KADRELA_VERSION));
    setDesktopFileName(QStringLiteral("kadrela"));
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
        m_desktop->showMessage(activeWindow(), applicationDisplayName(), text,
                               Desktop::Icon::Error);
}

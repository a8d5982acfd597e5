#pragma once

#include <QApplication>

class Desktop;

// The application object. An error that escapes the handling of a user action is shown in a
// message box with its text, and the program goes on.
class KadrelaApplication : public QApplication {
public:
    KadrelaApplication(int& argc, char** argv);

    void setDesktop(Desktop* desktop) { m_desktop = desktop; }
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error the way the general error display does.
    void showError(const QString& text);

private:
    Desktop* m_desktop = nullptr;
};

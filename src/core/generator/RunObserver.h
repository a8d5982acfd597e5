#pragma once

#include <QString>

// What an album build reports while it works, and how it learns that the user wants it
// stopped. The window shows a progress panel, the command line prints a line, tests record.
class RunObserver {
public:
    virtual ~RunObserver() = default;

    virtual void setCaption(const QString& caption) = 0;
    virtual void setMaximum(int maximum) = 0;
    // Advances the progress by one.
    virtual void step() = 0;
    // Lets the user interface catch up (repaint, the abort button).
    virtual void pump() = 0;
    virtual bool abortRequested() const = 0;
};

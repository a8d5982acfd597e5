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

// One step of the run as every stage takes it: a stop asked for is honoured first, then the
// bar advances, the next stage's caption (if any) shows and the interface catches up.
// False when the run is to stop.
inline bool advanceProgress(RunObserver& observer, const QString& nextCaption = QString()) {
    if (observer.abortRequested())
        return false;
    observer.step();
    if (!nextCaption.isNull())
        observer.setCaption(nextCaption);
    observer.pump();
    return true;
}

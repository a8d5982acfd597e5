#pragma once

#include "core/generator/RunObserver.h"

#include <QString>
#include <QStringList>

#include <functional>

// Writes down everything an album build reports ("maximum 18", "caption …", "step", "pump")
// and presses "stop" when told: during a given pump, or during the pump after a given step.
class RecordingObserver : public RunObserver {
public:
    void setCaption(const QString& caption) override;
    void setMaximum(int maximum) override;
    void step() override;
    void pump() override;
    bool abortRequested() const override { return m_abort; }

    // Stops during pump number `pump` (counted from 1).
    void stopAtPump(int pump) { m_stopAtPump = pump; }
    // Stops during the first pump after step number `step` (counted from 1).
    void stopAfterStep(int step) { m_stopAfterStep = step; }
    // For onPump: the stop button pressed during this pump.
    void requestStop() { m_abort = true; }
    // Called during every pump, with its number, before the stop is considered.
    std::function<void(int pump)> onPump;

    QStringList events;
    QStringList captions;
    int maximum = -1;
    int steps = 0;
    int pumps = 0;

private:
    int m_stopAtPump = -1;
    int m_stopAfterStep = -1;
    bool m_abort = false;
};

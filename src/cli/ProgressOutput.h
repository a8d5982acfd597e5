#pragma once

#include "core/generator/RunObserver.h"

#include <QString>

#include <csignal>
#include <cstdio>

// The album build's progress on a stream: the stage caption and "position/maximum". On a
// terminal one line is drawn over and over; anywhere else (a log, a pipe) every change is a
// line of its own, so that nothing needs a terminal to be read. The stop request is a flag
// that a signal handler sets.
class ProgressOutput : public RunObserver {
public:
    enum class Style { Silent, Lines, RedrawnLine };

    ProgressOutput(std::FILE* stream, Style style, const volatile std::sig_atomic_t& stopFlag);
    ~ProgressOutput() override;
    ProgressOutput(const ProgressOutput&) = delete;
    ProgressOutput& operator=(const ProgressOutput&) = delete;

    void setCaption(const QString& caption) override;
    void setMaximum(int maximum) override;
    void step() override;
    void pump() override {}
    bool abortRequested() const override { return m_stopFlag != 0; }

    // Ends a line being redrawn, so that what is written next starts on a line of its own.
    void finishLine();

    // The line shown for a stage and a position.
    static QString progressText(const QString& caption, int position, int maximum);

private:
    void show();

    std::FILE* m_stream;
    Style m_style;
    const volatile std::sig_atomic_t& m_stopFlag;
    QString m_caption;
    int m_position = 0;
    int m_maximum = 0;
    bool m_lineOpen = false;
};

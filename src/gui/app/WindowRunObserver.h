#pragma once

#include "core/generator/RunObserver.h"

class QLabel;
class QProgressBar;

// An album build as the window shows it: the caption over the progress bar, the bar, and
// the abort button's request. Pumping keeps the window responsive between steps.
class WindowRunObserver final : public RunObserver {
public:
    WindowRunObserver(QLabel* caption, QProgressBar* bar, const bool& abortRequested);

    void setCaption(const QString& caption) override;
    void setMaximum(int maximum) override;
    void step() override;
    void pump() override;
    bool abortRequested() const override { return m_abortRequested; }

private:
    QLabel* m_caption;
    QProgressBar* m_bar;
    const bool& m_abortRequested;
};

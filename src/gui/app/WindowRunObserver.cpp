#include "gui/app/WindowRunObserver.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

WindowRunObserver::WindowRunObserver(QLabel* caption, QProgressBar* bar, const bool& abortRequested)
    : m_caption(caption)
    , m_bar(bar)
    , m_abortRequested(abortRequested) {}

void WindowRunObserver::setCaption(const QString& caption) {
    m_caption->setText(caption);
}

void WindowRunObserver::setMaximum(int maximum) {
    m_bar->setRange(0, maximum);
    m_bar->setValue(0);
}

void WindowRunObserver::step() {
    m_bar->setValue(m_bar->value() + 1);
}

void WindowRunObserver::pump() {
    QCoreApplication::processEvents();
}

#include "RecordingObserver.h"

void RecordingObserver::setCaption(const QString& caption) {
    captions << caption;
    events << QStringLiteral("caption ") + caption;
}

void RecordingObserver::setMaximum(int value) {
    maximum = value;
    events << QStringLiteral("maximum %1").arg(value);
}

void RecordingObserver::step() {
    ++steps;
    events << QStringLiteral("step");
}

void RecordingObserver::pump() {
    ++pumps;
    events << QStringLiteral("pump");
    if (onPump)
        onPump(pumps);
    if (pumps == m_stopAtPump || (m_stopAfterStep >= 0 && steps >= m_stopAfterStep))
        m_abort = true;
}

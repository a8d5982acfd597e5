#include "cli/ProgressOutput.h"

ProgressOutput::ProgressOutput(std::FILE* stream, Style style,
                               const volatile std::sig_atomic_t& stopFlag)
    : m_stream(stream)
    , m_style(style)
    , m_stopFlag(stopFlag) {}

ProgressOutput::~ProgressOutput() {
    finishLine();
}

void ProgressOutput::setCaption(const QString& caption) {
    m_caption = caption;
    show();
}

void ProgressOutput::setMaximum(int maximum) {
    m_maximum = maximum;
    m_position = 0;
}

void ProgressOutput::step() {
    if (m_position < m_maximum)
        ++m_position;
    show();
}

void ProgressOutput::finishLine() {
    if (!m_lineOpen)
        return;
    std::fputc('\n', m_stream);
    std::fflush(m_stream);
    m_lineOpen = false;
}

QString ProgressOutput::progressText(const QString& caption, int position, int maximum) {
    const QString count = QString::number(position) + QLatin1Char('/') + QString::number(maximum);
    return caption.isEmpty() ? count : caption + QLatin1Char(' ') + count;
}

void ProgressOutput::show() {
    if (m_style == Style::Silent)
        return;
    const QByteArray text = progressText(m_caption, m_position, m_maximum).toLocal8Bit();
    if (m_style == Style::RedrawnLine) {
        // Back to the start of the line, the new text, the rest of the old one cleared.
        std::fputc('\r', m_stream);
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), m_stream);
        std::fputs("\x1b[K", m_stream);
        m_lineOpen = true;
    } else {
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), m_stream);
        std::fputc('\n', m_stream);
    }
    std::fflush(m_stream);
}

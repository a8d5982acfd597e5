#include "core/photos/TaggedText.h"

QString closingTag(const QString& openingTag) {
    if (openingTag.isEmpty())
        return {};
    QString closing = openingTag;
    closing.insert(1, QLatin1Char('/'));
    return closing;
}

QString tagValue(const QString& text, const QString& openingTag) {
    if (openingTag.isEmpty())
        return {};
    const qsizetype opening = text.indexOf(openingTag);
    if (opening < 0)
        return {};
    const qsizetype start = opening + openingTag.size();
    // The closing tag is looked for from the start of the text, not after the opening tag, so
    // a stray closing tag in front of the opening one yields nothing rather than a later value.
    const qsizetype end = text.indexOf(closingTag(openingTag));
    if (end < 0)
        return text.mid(start);
    if (end < start)
        return {};
    return text.mid(start, end - start);
}

#include "core/params/PerPageAnswer.h"

qint32 perPageCountFromAnswer(const QString& answer, int photoCount) {
    const QString text = answer.trimmed();
    bool isNumber = !text.isEmpty();
    for (qsizetype i = 0; i < text.size() && isNumber; ++i)
        isNumber = text[i].isDigit() ||
                   (i == 0 && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')));
    bool converted = false;
    const qlonglong value = isNumber ? text.toLongLong(&converted) : 0;
    if (!converted || value < 1 || value > photoCount)
        return photoCount;
    return qint32(value);
}

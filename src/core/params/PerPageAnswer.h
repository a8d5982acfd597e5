#pragma once

#include <QString>

// The answer to "how many photos on one page": a whole decimal number from 1 to the photo
// count is taken; anything else (a word, a fraction, 0, a negative number, too many, an
// empty answer) gives the photo count.
qint32 perPageCountFromAnswer(const QString& answer, int photoCount);

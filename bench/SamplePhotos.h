#pragma once

#include <QString>
#include <QStringList>

// Where the benchmarks take their real photos from: Debian's mate-backgrounds.
inline const QString defaultSamplePhotoFolder = QStringLiteral("/usr/share/backgrounds/mate");

// Every readable JPEG below a folder, in name order so runs compare.
QStringList jpegsUnder(const QString& folder);

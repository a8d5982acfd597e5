#pragma once

#include <QLocale>
#include <QString>

// File sizes as the photo list shows them: "512.00 B", "1.50 KB", "3.27 MB", "1.00 GB".
// Two decimals, rounded, no thousands separators, the locale's decimal separator.
QString sizeText(qint64 bytes, const QLocale& locale = QLocale());

// The size text of a file; a file whose size cannot be learnt counts as 0 bytes.
QString fileSizeText(const QString& path, const QLocale& locale = QLocale());

#pragma once

#include <QString>

// Pieces of text every page writer puts into HTML the same way.

// A file or directory name inside href="…" or src="…" is a URL: "%", "#", "?" and '"' would
// end or bend it, so they go in as %25, %23, %3F and %22. Everything else, blanks and
// Polish letters included, stays as it is, so ordinary names keep their usual bytes.
QString urlText(const QString& name);

// Text as HTML text and attribute values need it in the modern pages: &, <, > and " escaped.
QString htmlEscaped(const QString& text);

// Text inside title="…" or alt="…": only the quote that would end the attribute changes.
QString attributeText(const QString& text);

// The content-type line: the Polish interface names Windows-1250, the English one no
// character set at all.
QString contentTypeLine(qint8 languageFlag);

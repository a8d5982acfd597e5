#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Pages and the style sheet are composed as lines of text and written in one step as
// Windows-1250 bytes, CR LF after every line (the last one too), without a byte-order mark.
//
// Pages of the English interface name no character set, so browsers read them in their
// locale's code page; pages of the Polish interface name Windows-1250. Text going into a
// file is therefore brought into the form below first, and only then written: the writer
// itself assumes every character fits the code page.

// Whether Windows-1250 holds the code point as one byte that reads back as the same character.
bool fitsWindows1250(char32_t codePoint);

// HTML: with the English interface every character above U+007F becomes "&#" + decimal
// code point + ";"; with the Polish interface only those Windows-1250 cannot hold do.
QString htmlCharacters(const QString& text, qint8 languageFlag);
QStringList htmlCharacters(const QStringList& lines, qint8 languageFlag);

// CSS: the same choice of characters, written as "\" + lower-case hexadecimal code point +
// one space (the space ends the escape, so a following hex digit or blank stays itself).
QString cssCharacters(const QString& text, qint8 languageFlag);
QStringList cssCharacters(const QStringList& lines, qint8 languageFlag);

// The bytes of the file the lines make.
QByteArray windows1250Lines(const QStringList& lines);

// Replaces the file at path with the lines; a file that cannot be written raises
// GenerationError naming it, and leaves any earlier file of that name as it was.
void writeTextLines(const QString& path, const QStringList& lines);

// The same for pages of today: UTF-8, a line feed after every line.
void writeUtf8Lines(const QString& path, const QStringList& lines);

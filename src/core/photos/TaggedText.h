#pragma once

#include <QString>

// Every record the program keeps as text (photo entries, thumbnail texts, directory and
// category records) is a flat run of "<t>value</t>" pieces without nesting or escaping.
// This is the one place that reads them; nobody else searches for tags by hand.

// "<w>" gives "</w>", "<dn>" gives "</dn>": a "/" goes in after the first character.
QString closingTag(const QString& openingTag);

// The text between the first occurrence of the opening tag and the first occurrence of its
// closing tag, both searched from the start of the text, case-sensitively. Asking for a tag the
// text does not hold gives an empty string; a missing closing tag lets the value run to the
// end of the text.
QString tagValue(const QString& text, const QString& openingTag);

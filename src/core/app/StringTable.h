#pragma once

#include <QString>

// The interface string table: every numbered text in both languages. A Polish text has an
// id of 101–199 or 300–312; its English partner has the id + 100.
//
// languageFlag: 0 English, 1 Polish (any other nonzero value counts as Polish, as the
// original rule "Polish when the flag is set" says).
QString interfaceText(int polishId, qint8 languageFlag);

// The text stored under one id exactly as the table holds it (Polish or English id);
// an empty text for an id the table does not hold.
QString textOfId(int id);

// True when the table holds the given id (Polish or English).
bool hasTextId(int id);

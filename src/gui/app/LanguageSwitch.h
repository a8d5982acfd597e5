#pragma once

#include <QtGlobal>

class QWidget;

// Shows the controls below root in one language (0 English, 1 Polish; any other flag changes
// nothing): captions, hints and list items from the interface string table by object name,
// the buttons the table has no number for, and the font samples without hints. Lists keep
// their selection. A control the table names but root lacks is passed over, so one tab page
// switches as well as the whole window. Captions are fitted as fitCaption says.
void applyInterfaceLanguage(QWidget* root, qint8 languageFlag);

// Qt's own dialogs (Yes and No, the file, colour and font choosers) in the same language:
// Qt's translations for Polish installed or taken away.
void useQtTranslations(qint8 languageFlag);

// A caption never gets cut: a label or check box whose text needs more room grows (centred
// samples and headings keep the room laid out for them).
void fitCaption(QWidget* widget);

// The control of that name that belongs to root's own window (dialogs are children of the
// window too and reuse some names), or null.
QWidget* windowControl(const QWidget* root, const QString& objectName);

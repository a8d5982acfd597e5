#pragma once

#include "gui/app/Desktop.h"

#include <QString>
#include <QStringList>

class QWidget;

// The program has one open dialog, shared by adding photos, choosing a background file and
// loading a parameter file. Each sets its own filter, but the dialog remembers across all of
// them the filter entry and the file chosen last. The main window owns this memory.
struct OpenDialogMemory {
    int filterIndex = 0; // 0-based; the first entry at program start
    QString fileName;    // full path of the file chosen last, or empty
    QString filter;      // the filter it was opened with last; empty before the first opening
};

// Opens the shared dialog with the given filter and returns the chosen files (none when
// cancelled), keeping what the dialog has to remember. Until a file has been chosen in this
// session, the dialog opens in startFolder (the folder kept from the last session).
QStringList chooseFilesToOpen(Desktop& desktop, QWidget* parent, OpenDialogMemory& memory,
                              const QString& filter, bool multipleFiles,
                              const QString& startFolder = QString());
// Opens it with whatever filter it had last (the photo filter before any opening).
QStringList chooseFileWithLastFilter(Desktop& desktop, QWidget* parent, OpenDialogMemory& memory,
                                     const QString& filterBeforeFirstOpening,
                                     const QString& startFolder = QString());

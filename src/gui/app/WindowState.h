#pragma once

#include <QString>

// The values the main window keeps besides its controls, for its whole life.
struct WindowState {
    qint8 languageFlag = 0;      // 0 English, 1 Polish
    QString programDirectory;    // the executable's directory, with a trailing separator
    QString settingsPath;        // where kadrela.ini is read and written
    QString lastPhotoDirectory;  // the folder last chosen to add photos from, or empty
    qint32 perPageCount = 0;     // photos per thumbnail page in the "fixed count" layout
    bool abortRequested = false; // set by the abort button, polled by a running album build
};

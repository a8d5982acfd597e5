#pragma once

#include "core/params/AlbumParameters.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// Everything the program asks of the desktop: message boxes, questions, the input box, the
// file and folder dialogs and the shell's "open". The window never calls a dialog directly,
// so a test can put in a desktop that answers in advance and records what was asked.
class Desktop {
public:
    enum class Icon { Information, Warning, Error, Question };

    // The shared open dialog remembers its filter entry and file name between openings;
    // the caller keeps that memory in the request and gets it back updated.
    struct OpenFileRequest {
        QString filter;      // "Description|*.a;*.b|Description|*.c" as stored by the program
        int filterIndex = 0; // 0-based entry of the filter shown first
        QString fileName;    // preset file name (may be empty)
        QString directory;   // initial directory (may be empty)
        bool multipleFiles = false;
    };
    struct OpenFileResult {
        QStringList files;   // empty when cancelled
        int filterIndex = 0; // the entry chosen last
    };

    struct DirectoryRequest {
        QString preselected;         // used only when it names an existing directory
        bool allowNewFolder = false; // offers creating a folder and typing a path
    };

    virtual ~Desktop() = default;

    virtual void showMessage(QWidget* parent, const QString& caption, const QString& text,
                             Icon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text,
                          Icon icon) = 0;
    // A question with buttons of its own; the index of the button chosen, -1 when the box is
    // closed without one.
    virtual int askChoice(QWidget* parent, const QString& caption, const QString& text,
                          const QStringList& buttons, Icon icon) = 0;
    // Text input box; cancelling gives the preset text back, as the program's input box does.
    virtual QString inputText(QWidget* parent, const QString& caption, const QString& prompt,
                              const QString& preset) = 0;
    virtual OpenFileResult openFiles(QWidget* parent, const OpenFileRequest& request) = 0;
    // Save dialog with a prompt before overwriting, opened in directory when one is given;
    // nullopt when cancelled.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                            const QString& directory) = 0;
    // Folder browser; nullopt when cancelled.
    virtual std::optional<QString> chooseDirectory(QWidget* parent,
                                                   const DirectoryRequest& request) = 0;
    // Colour chooser preset to the given colour; nullopt when cancelled.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) = 0;
    // Font chooser preset to the given font (face, size, style and colour); nullopt when
    // cancelled.
    virtual std::optional<FontSpec> chooseFont(QWidget* parent, const FontSpec& initial) = 0;
    // The shell's "open" for a file, a web address or a mailto: link.
    virtual void openExternally(const QString& fileOrUrl) = 0;
};

#pragma once

#include "gui/app/Desktop.h"

// The desktop as Qt offers it: message boxes, dialogs and the desktop services.
class QtDesktop final : public Desktop {
public:
    void showMessage(QWidget* parent, const QString& caption, const QString& text,
                     Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    int askChoice(QWidget* parent, const QString& caption, const QString& text,
                  const QStringList& buttons, Icon icon) override;
    QString inputText(QWidget* parent, const QString& caption, const QString& prompt,
                      const QString& preset) override;
    OpenFileResult openFiles(QWidget* parent, const OpenFileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& filter,
                                    const QString& directory) override;
    std::optional<QString> chooseDirectory(QWidget* parent,
                                           const DirectoryRequest& request) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    std::optional<FontSpec> chooseFont(QWidget* parent, const FontSpec& initial) override;
    void openExternally(const QString& fileOrUrl) override;
};

// Turns the program's "Description|*.a;*.b|…" filter into the entries of a Qt file dialog:
// each entry is the description followed by its patterns in parentheses. Patterns match
// letters in either case (*.jpg also shows A.JPG), as people expect of a photo dialog.
QStringList qtNameFilters(const QString& filter);

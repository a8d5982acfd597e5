#pragma once

#include "gui/app/Desktop.h"

#include <QList>
#include <QQueue>

// A desktop that answers from scripts prepared by the test and records every request.
// When a script runs dry the answer is the one of a user who cancels (No, the preset text,
// no file, no folder).
class ScriptedDesktop final : public Desktop {
public:
    struct Request {
        QString kind; // "message", "question", "choice", "input", "open", "save", "directory",
                      // "colour", "font", "shell"
        QString caption;
        QString text;
        Icon icon = Icon::Information;
        QString detail; // preset text, filter, preselected folder, …
    };

    QQueue<bool> yesNoAnswers;
    QQueue<int> choiceAnswers;                   // the button's index, -1 for closing the box
    QQueue<std::optional<QString>> inputAnswers; // nullopt: the user cancels
    QQueue<OpenFileResult> openFileAnswers;
    QQueue<std::optional<QString>> saveFileAnswers;
    QQueue<std::optional<QString>> directoryAnswers;
    QQueue<std::optional<QColor>> colourAnswers;
    QQueue<std::optional<FontSpec>> fontAnswers;

    QList<Request> requests;
    QList<OpenFileRequest> openFileRequests;
    QList<DirectoryRequest> directoryRequests;
    QList<QColor> colourPresets;
    QList<FontSpec> fontPresets;

    QList<Request> requestsOf(const QString& kind) const;

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

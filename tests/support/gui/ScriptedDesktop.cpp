#include "ScriptedDesktop.h"

QList<ScriptedDesktop::Request> ScriptedDesktop::requestsOf(const QString& kind) const {
    QList<Request> result;
    for (const Request& request : requests)
        if (request.kind == kind)
            result << request;
    return result;
}

void ScriptedDesktop::showMessage(QWidget*, const QString& caption, const QString& text,
                                  Icon icon) {
    requests << Request{QStringLiteral("message"), caption, text, icon, {}};
}

bool ScriptedDesktop::askYesNo(QWidget*, const QString& caption, const QString& text, Icon icon) {
    requests << Request{QStringLiteral("question"), caption, text, icon, {}};
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.dequeue();
}

int ScriptedDesktop::askChoice(QWidget*, const QString& caption, const QString& text,
                               const QStringList& buttons, Icon icon) {
    requests << Request{QStringLiteral("choice"), caption, text, icon, buttons.join(u'|')};
    return choiceAnswers.isEmpty() ? -1 : choiceAnswers.dequeue();
}

QString ScriptedDesktop::inputText(QWidget*, const QString& caption, const QString& prompt,
                                   const QString& preset) {
    requests << Request{QStringLiteral("input"), caption, prompt, Icon::Question, preset};
    if (inputAnswers.isEmpty())
        return preset;
    return inputAnswers.dequeue().value_or(preset);
}

Desktop::OpenFileResult ScriptedDesktop::openFiles(QWidget*, const OpenFileRequest& request) {
    requests << Request{
        QStringLiteral("open"), {}, request.fileName, Icon::Information, request.filter};
    openFileRequests << request;
    if (openFileAnswers.isEmpty())
        return OpenFileResult{{}, request.filterIndex};
    return openFileAnswers.dequeue();
}

std::optional<QString> ScriptedDesktop::saveFile(QWidget*, const QString& filter,
                                                 const QString& directory) {
    requests << Request{QStringLiteral("save"), {}, directory, Icon::Information, filter};
    return saveFileAnswers.isEmpty() ? std::nullopt : saveFileAnswers.dequeue();
}

std::optional<QString> ScriptedDesktop::chooseDirectory(QWidget*, const DirectoryRequest& request) {
    requests << Request{
        QStringLiteral("directory"), {}, {}, Icon::Information, request.preselected};
    directoryRequests << request;
    return directoryAnswers.isEmpty() ? std::nullopt : directoryAnswers.dequeue();
}

std::optional<QColor> ScriptedDesktop::chooseColour(QWidget*, const QColor& initial) {
    requests << Request{QStringLiteral("colour"), {}, initial.name(), Icon::Information, {}};
    colourPresets << initial;
    return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.dequeue();
}

std::optional<FontSpec> ScriptedDesktop::chooseFont(QWidget*, const FontSpec& initial) {
    requests << Request{QStringLiteral("font"), {}, initial.face, Icon::Information, {}};
    fontPresets << initial;
    return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.dequeue();
}

void ScriptedDesktop::openExternally(const QString& fileOrUrl) {
    requests << Request{QStringLiteral("shell"), {}, fileOrUrl, Icon::Information, {}};
}

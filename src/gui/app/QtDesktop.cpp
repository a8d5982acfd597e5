#include "gui/app/QtDesktop.h"

#include "gui/params/FontChooserDialog.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

QMessageBox::Icon messageIcon(Desktop::Icon icon) {
    switch (icon) {
    case Desktop::Icon::Information:
        return QMessageBox::Information;
    case Desktop::Icon::Warning:
        return QMessageBox::Warning;
    case Desktop::Icon::Error:
        return QMessageBox::Critical;
    case Desktop::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString caseInsensitivePattern(const QString& pattern) {
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            result += c;
    }
    return result;
}

} // namespace

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << caseInsensitivePattern(pattern.trimmed());
        // Qt reads the last parenthesised group as the patterns; the dialogs hide that group,
        // so the user sees the description exactly as the program words it.
        result << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                      QLatin1Char(')');
    }
    return result;
}

void QtDesktop::showMessage(QWidget* parent, const QString& caption, const QString& text,
                            Icon icon) {
    QMessageBox box(messageIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDesktop::askYesNo(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(messageIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

int QtDesktop::askChoice(QWidget* parent, const QString& caption, const QString& text,
                         const QStringList& buttons, Icon icon) {
    QMessageBox box(messageIcon(icon), caption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    added.reserve(buttons.size());
    for (qsizetype i = 0; i < buttons.size(); ++i)
        added.append(box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                       : QMessageBox::AcceptRole));
    if (!added.isEmpty())
        box.setEscapeButton(added.back());
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

QString QtDesktop::inputText(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& preset) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? answer : preset;
}

Desktop::OpenFileResult QtDesktop::openFiles(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multipleFiles ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 0 && request.filterIndex < filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex));
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    else if (!request.fileName.isEmpty())
        dialog.setDirectory(QFileInfo(request.fileName).absolutePath());
    if (!request.fileName.isEmpty())
        dialog.selectFile(QFileInfo(request.fileName).fileName());

    OpenFileResult result;
    result.filterIndex = request.filterIndex;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    result.files = dialog.selectedFiles();
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0)
        result.filterIndex = int(chosen);
    return result;
}

std::optional<QString> QtDesktop::saveFile(QWidget* parent, const QString& filter,
                                           const QString& directory) {
    QFileDialog dialog(parent);
    if (!directory.isEmpty())
        dialog.setDirectory(directory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(qtNameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDesktop::chooseDirectory(QWidget* parent,
                                                  const DirectoryRequest& request) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!request.allowNewFolder)
        dialog.setOption(QFileDialog::ReadOnly, true);
    if (!request.preselected.isEmpty() && QFileInfo(request.preselected).isDir())
        dialog.setDirectory(request.preselected);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QColor> QtDesktop::chooseColour(QWidget* parent, const QColor& initial) {
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<FontSpec> QtDesktop::chooseFont(QWidget* parent, const FontSpec& initial) {
    FontChooserDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenFont();
}

void QtDesktop::openExternally(const QString& fileOrUrl) {
    const QUrl url =
        fileOrUrl.contains(QLatin1String("://")) || fileOrUrl.startsWith(QLatin1String("mailto:"))
            ? QUrl(fileOrUrl)
            : QUrl::fromLocalFile(fileOrUrl);
    QDesktopServices::openUrl(url);
}

#include "gui/app/LanguageSwitch.h"

#include "core/app/InterfaceTexts.h"
#include "core/app/StringTable.h"
#include "gui/app/PageControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The four buttons that have no number in the string table.
struct ButtonCaption {
    const char* objectName;
    const char16_t* polish;
    const char16_t* english;
};
constexpr ButtonCaption buttonCaptions[] = {
    {"BitBtn2", u"Przerwij", u"Abort"},
    {"BitBtn3", u"Zapisz parametry albumu", u"Save album parameters"},
    {"BitBtn4", u"Wczytaj parametry albumu", u"Load album parameters"},
    {"BitBtn5", u"Resetuj parametry albumu", u"Reset album parameters"},
    {"BitBtn11", u"Zapisz projekt albumu", u"Save album project"},
    {"BitBtn12", u"Otwórz projekt albumu", u"Open album project"},
    {"CheckBoxUpdateInPlace", u"Aktualizuj na miejscu", u"Update in place"},
};

// A button's text would take its keys away (a new text sets its mnemonic as the shortcut).
void setButtonText(QAbstractButton* button, const QString& text) {
    const QKeySequence keys = button->shortcut();
    button->setText(text);
    button->setShortcut(keys);
}

// A tab page takes its caption on the tab, not on itself.
bool setTabCaption(const QWidget* root, QWidget* page, const QString& caption) {
    for (PageControl* pages : root->findChildren<PageControl*>()) {
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->page(i) == page) {
                pages->setTabText(i, caption);
                return true;
            }
        }
    }
    return false;
}

void setCaption(const QWidget* root, QWidget* widget, const QString& caption) {
    if (setTabCaption(root, widget, caption))
        return;
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        setButtonText(button, caption);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(caption);
    fitCaption(widget);
}

} // namespace

// The list's pop-up menu, which has no numbers in the string table either.
constexpr ButtonCaption menuCaptions[] = {
    {"Zaznaczwszystko1", u"Zaznacz wszystko", u"Select all"},
    {"ylkonazwapliku1", u"Tylko nazwa pliku", u"File name only"},
    {"ciekanazwapliku1", u"Ścieżka + nazwa pliku", u"Path + file name"},
    {"Sortujwedlugdaty1", u"Sortuj według daty wykonania", u"Sort by date taken"},
};

void fitCaption(QWidget* widget) {
    if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QCheckBox*>(widget))
        return;
    if (const auto* label = qobject_cast<QLabel*>(widget);
        label && ((label->alignment() & Qt::AlignHCenter) || label->wordWrap()))
        return; // centred samples, headings and wrapped texts keep the room laid out for them
    const int needed = widget->sizeHint().width();
    if (widget->width() < needed)
        widget->resize(needed, widget->height());
}

void useQtTranslations(qint8 languageFlag) {
    static QTranslator* polish = nullptr;
    if (languageFlag != 0) {
        if (polish)
            return;
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"),
                             QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
            QCoreApplication::installTranslator(translator)) {
            polish = translator;
        } else {
            delete translator;
        }
    } else if (polish) {
        QCoreApplication::removeTranslator(polish);
        delete polish;
        polish = nullptr;
    }
}

QWidget* windowControl(const QWidget* root, const QString& objectName) {
    for (QWidget* candidate : root->findChildren<QWidget*>(objectName))
        if (candidate->window() == root->window())
            return candidate;
    return nullptr;
}

void applyInterfaceLanguage(QWidget* root, qint8 languageFlag) {
    if (languageFlag != 0 && languageFlag != 1)
        return;
    for (const TextBinding& binding : interfaceTextBindings()) {
        QWidget* widget = windowControl(root, QLatin1String(binding.objectName));
        if (!widget)
            continue;
        const QString text = interfaceText(binding.polishId, languageFlag);
        switch (binding.role) {
        case TextRole::ToolTip:
            widget->setToolTip(text);
            break;
        case TextRole::Item:
            if (auto* list = qobject_cast<QComboBox*>(widget);
                list && binding.itemIndex < list->count()) {
                // Replacing an item's text in place keeps the selection, none included.
                list->setItemText(binding.itemIndex, text);
            }
            break;
        case TextRole::Text:
            setCaption(root, widget, text);
            break;
        }
    }
    for (const char* sample : {"Label10", "Label40", "Label39"})
        if (QWidget* widget = windowControl(root, QLatin1String(sample)))
            widget->setToolTip(QString());
    for (const ButtonCaption& caption : buttonCaptions)
        if (auto* button = qobject_cast<QAbstractButton*>(
                windowControl(root, QLatin1String(caption.objectName))))
            setButtonText(button,
                          QString::fromUtf16(languageFlag ? caption.polish : caption.english));
    for (const ButtonCaption& caption : menuCaptions)
        for (QAction* action : root->findChildren<QAction*>(QLatin1String(caption.objectName)))
            action->setText(QString::fromUtf16(languageFlag ? caption.polish : caption.english));
    useQtTranslations(languageFlag);
    // Hints name the keys that do the same.
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->shortcut().isEmpty() || button->window() != root->window())
            continue;
        const QString keys = button->shortcut().toString(QKeySequence::NativeText);
        const QString hint = button->toolTip();
        if (!hint.endsWith(QLatin1Char('(') + keys + QLatin1Char(')')) && hint != keys)
            button->setToolTip(
                hint.isEmpty() ? keys : hint + QLatin1String(" (") + keys + QLatin1Char(')'));
    }
}

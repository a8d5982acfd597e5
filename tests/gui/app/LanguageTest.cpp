#include "gui/app/MainWindow.h"
#include "gui/app/PageControl.h"

#include "ScriptedDesktop.h"
#include "TestFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The window's texts in both languages, as start-up and the settings dialog set them.
class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void everyTextIsEnglishWithoutSettingsFile();
    void formTextsOutsideTheTableStayPolish();
    void countFormOfLayoutItemFollowsTheLanguage_data();
    void countFormOfLayoutItemFollowsTheLanguage();
    void switchingKeepsEverySelection();
    void borderTypeNamesInEnglish();
    void countLabelAndSampleHints();
    void enabledStatesAtStartAndAfterAChange();
    void menuFilterAndQtsOwnDialogsFollowTheLanguage();

private:
    std::unique_ptr<MainWindow> startWindow(const char* language);
    template <typename T> T* find(const char* name) const {
        for (T* candidate : m_window->findChildren<T*>(QLatin1String(name)))
            if (candidate->window() == m_window.get())
                return candidate;
        return nullptr;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ScriptedDesktop m_desktop;
};

void LanguageTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_window.reset();
}

std::unique_ptr<MainWindow> LanguageTest::startWindow(const char* language) {
    const QString settings = m_dir->filePath(QStringLiteral("kadrela.ini"));
    if (language)
        testfiles::writeBytes(settings,
                              QByteArray("[Ustawienia]\r\nWersja=0\r\nJezyk=") + language);
    return std::make_unique<MainWindow>(m_desktop, m_dir->path(), settings);
}

void LanguageTest::everyTextIsEnglishWithoutSettingsFile() {
    m_window = startWindow(nullptr);
    auto* pages = find<PageControl>("PageControl1");
    QCOMPARE(pages->tabText(1), QStringLiteral("Main page, picture arrangement"));
    QCOMPARE(find<QGroupBox>("GroupBox5")->title(), QStringLiteral("Pictures in album layout : "));
    QCOMPARE(find<QComboBox>("ComboBox2")->itemText(0), QStringLiteral("All pictures on one page"));
    QCOMPARE(find<QComboBox>("ComboBox2")->itemText(1), QStringLiteral("Specific picture count"));
    QCOMPARE(find<QComboBox>("ComboBox2")->itemText(2), QStringLiteral("Based on directories"));
    QCOMPARE(find<QComboBox>("ComboBox10")->itemText(2), QStringLiteral("Category icon"));
    QCOMPARE(find<QComboBox>("ComboBox1")->itemText(1), QStringLiteral("Resize original pictures"));
    QCOMPARE(find<QComboBox>("ComboBox3")->itemText(1),
             QStringLiteral("Links to pics instead of pic. pages"));
    QCOMPARE(find<QComboBox>("ComboBox5")->itemText(1), QStringLiteral("Centered"));
    QCOMPARE(find<QComboBox>("ComboBox13")->toolTip(),
             QStringLiteral("Interactive descriptions option doesn't work in Internet Explorer"));
    QCOMPARE(find<QCheckBox>("CheckBox20")->text(), QStringLiteral("Brightening"));
    QCOMPARE(find<QCheckBox>("CheckBox6")->text(), QStringLiteral("from file"));
    QCOMPARE(find<QLabel>("Label4")->text(), QStringLiteral("Album title"));
    QCOMPARE(find<QLabel>("Label39")->text(), QStringLiteral("Sample text"));
    QCOMPARE(find<QLabel>("Label8")->text(), QStringLiteral("Max width:"));
    QCOMPARE(find<QLabel>("Label31")->text(), QStringLiteral("Max width:"));
    QCOMPARE(find<QLabel>("Label11")->text(), QStringLiteral("Album title"));
    QCOMPARE(find<QWidget>("BitBtn1")->toolTip(), QStringLiteral("Select directory"));
    QCOMPARE(find<QWidget>("ToolButton6")->toolTip(), QStringLiteral("Sort pictures on list"));
}

void LanguageTest::formTextsOutsideTheTableStayPolish() {
    for (const char* language : {"0", "1"}) {
        m_window = startWindow(language);
        for (const char* panel : {"Panel1", "Panel2", "Panel3"})
            QCOMPARE(find<QWidget>(panel)->toolTip(), QStringLiteral("Wybierz kolor tła"));
        for (const char* button : {"BitBtn7", "BitBtn8", "BitBtn9"})
            QCOMPARE(find<QWidget>(button)->toolTip(), QStringLiteral("Wybierz plik tła"));
        QCOMPARE(find<QWidget>("Label4")->toolTip(), QStringLiteral("Zmień czcionkę"));
        QCOMPARE(find<QLabel>("Label42")->text(), QStringLiteral("Generowanie albumu :"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Kadrela v1.1.6"));
    }
}

void LanguageTest::countFormOfLayoutItemFollowsTheLanguage_data() {
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("polish");
    QTest::newRow("item 1 selected") << 1 << "12 pictures on page"
                                     << "12 zdjęć na stronie";
    QTest::newRow("another item") << 2 << "Specific picture count"
                                  << "Podana ilość zdjęć na stronie";
    QTest::newRow("no item") << -1 << "Specific picture count"
                             << "Podana ilość zdjęć na stronie";
}

void LanguageTest::countFormOfLayoutItemFollowsTheLanguage() {
    QFETCH(int, layoutMode);
    QFETCH(QString, english);
    QFETCH(QString, polish);
    m_window = startWindow("1");
    AlbumParameters parameters;
    parameters.layoutMode = layoutMode;
    parameters.perPageCount = 12;
    m_window->setParameters(parameters);
    auto* list = find<QComboBox>("ComboBox2");
    m_window->applyLanguage(0);
    QCOMPARE(list->itemText(1), english);
    QCOMPARE(list->currentIndex(), layoutMode);
    m_window->applyLanguage(1);
    QCOMPARE(list->itemText(1), polish);
    QCOMPARE(list->currentIndex(), layoutMode);
}

void LanguageTest::switchingKeepsEverySelection() {
    m_window = startWindow("1");
    AlbumParameters parameters;
    parameters.categorySign = -1;
    parameters.mainTableFrame.type = 5;
    parameters.photoPages = 1;
    parameters.cellBackground.placement = 1;
    parameters.photoInformationType = -1;
    m_window->setParameters(parameters);
    m_window->applyLanguage(0);
    m_window->applyLanguage(7); // not a language: nothing changes
    QCOMPARE(find<QComboBox>("ComboBox10")->currentIndex(), -1);
    QCOMPARE(find<QComboBox>("ComboBox11")->currentIndex(), 5);
    QCOMPARE(find<QComboBox>("ComboBox11")->currentText(), QStringLiteral("Table 2"));
    QCOMPARE(find<QComboBox>("ComboBox3")->currentIndex(), 1);
    QCOMPARE(find<QComboBox>("ComboBox7")->currentIndex(), 1);
    QCOMPARE(find<QComboBox>("ComboBox13")->currentIndex(), -1);
    QCOMPARE(m_window->parameters(), parameters);
}

void LanguageTest::borderTypeNamesInEnglish() {
    m_window = startWindow("0");
    const QStringList english{"Straight line", "Double line", "Dots",    "Dashes",
                              "Table 1",       "Table 2",     "Table 3", "Table 4"};
    for (const char* name : {"ComboBox11", "ComboBox12", "ComboBox8", "ComboBox9", "ComboBox4"}) {
        auto* list = find<QComboBox>(name);
        QCOMPARE(list->count(), 8);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(list->itemText(i), english[i]);
    }
    m_window->applyLanguage(1);
    QCOMPARE(find<QComboBox>("ComboBox4")->itemText(4), QStringLiteral("Ramka wklęsła"));
}

void LanguageTest::countLabelAndSampleHints() {
    m_window = startWindow("1");
    QCOMPARE(find<QLabel>("Label14")->text(), QStringLiteral("Ilość zdjęć : 0"));
    m_window->applyLanguage(0);
    QCOMPARE(find<QLabel>("Label14")->text(), QStringLiteral("Picture count : 0"));
    for (const char* sample : {"Label10", "Label40", "Label39"})
        QVERIFY(find<QWidget>(sample)->toolTip().isEmpty());
}

void LanguageTest::enabledStatesAtStartAndAfterAChange() {
    m_window = startWindow("1");
    for (const char* name :
         {"Panel7", "Edit15", "UpDown10", "ComboBox11", "Edit4", "CheckBox6", "Label28",
          "CheckBox10", "ComboBox13", "Label41", "CheckBox2", "Panel4"})
        QVERIFY2(!find<QWidget>(name)->isEnabled(), name);
    for (const char* name : {"Label5", "Edit13", "UpDown8", "CheckBox13", "CheckBox14", "Label39",
                             "GroupBox11", "CheckBox15", "CheckBox18"})
        QVERIFY2(find<QWidget>(name)->isEnabled(), name);

    // A click on a switch applies its rule at once; the dependent value is kept.
    find<QCheckBox>("CheckBox15")->click();
    QVERIFY(find<QWidget>("Panel1")->isEnabled());
    QVERIFY(find<QWidget>("CheckBox6")->isEnabled());
    QVERIFY(!find<QWidget>("Edit4")->isEnabled());
    find<QCheckBox>("CheckBox6")->click();
    QVERIFY(find<QWidget>("Edit4")->isEnabled());
    find<QCheckBox>("CheckBox15")->click();
    QVERIFY(!find<QWidget>("CheckBox6")->isEnabled());
    QVERIFY(!find<QWidget>("Edit4")->isEnabled());
    QVERIFY(find<QCheckBox>("CheckBox6")->isChecked());

    find<QComboBox>("ComboBox10")->setCurrentIndex(2);
    QVERIFY(!find<QWidget>("UpDown8")->isEnabled());
    QVERIFY(!find<QWidget>("Edit14")->isEnabled());
    find<QComboBox>("ComboBox3")->setCurrentIndex(1);
    QVERIFY(!find<QWidget>("GroupBox11")->isEnabled());
    QVERIFY(!find<QWidget>("CheckBox13")->isEnabled());
}

void LanguageTest::menuFilterAndQtsOwnDialogsFollowTheLanguage() {
    m_window = startWindow("0");
    QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("Zaznaczwszystko1"))->text(),
             QStringLiteral("Select all"));
    QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("ciekanazwapliku1"))->text(),
             QStringLiteral("Path + file name"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    find<QPushButton>("BitBtn4")->click();
    QCOMPARE(m_desktop.openFileRequests.constLast().filter, QStringLiteral("All files (*.*)|*.*"));

    m_window = startWindow("1");
    QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("Zaznaczwszystko1"))->text(),
             QStringLiteral("Zaznacz wszystko"));
    QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("ylkonazwapliku1"))->text(),
             QStringLiteral("Tylko nazwa pliku"));
    // Qt's own texts (message box buttons, file and colour dialogs) come from its Polish
    // translations.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Tak"));
    find<QPushButton>("BitBtn4")->click();
    QCOMPARE(m_desktop.openFileRequests.constLast().filter,
             QStringLiteral("Wszystkie pliki (*.*)|*.*"));

    m_window->applyLanguage(0);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
}

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"

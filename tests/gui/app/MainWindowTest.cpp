#include "gui/app/MainWindow.h"
#include "gui/app/PageControl.h"
#include "gui/app/SettingsDialog.h"
#include "gui/photos/PhotoListTab.h"

#include "JpegFixtures.h"
#include "ScriptedDesktop.h"
#include "TestFiles.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray settingsFile(const char* language, const char* versionCheck) {
    QByteArray content("[Ustawienia]\r\n");
    if (language)
        content += QByteArray("Jezyk=") + language + "\r\n";
    if (versionCheck)
        content += QByteArray("Wersja=") + versionCheck + "\r\n";
    return content;
}

// Runs `interact` on the modal dialog as soon as it is shown, then closes it.
void whenDialogOpens(const std::function<void(QDialog*)>& interact) {
    QTimer::singleShot(0, [interact] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        interact(dialog);
        dialog->close();
    });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void startupOutcomes_data();
    void startupOutcomes();
    void startsInEnglishWithoutSettingsFile();
    void startsInPolishFromSettingsFile();
    void frameHasItsControlsInPlace();
    void everyTabCaptionFitsItsTab();
    void progressPanelGrowsAndShrinksTheWindow();
    void closingSettingsDialogAtOnceWritesBothKeys();
    void choosingALanguageRelabelsEverythingAtOnce();
    void versionCheckSwitchIsSaved();
    void tabsStayWhereTheyAre();
    void settingsDialogFitsItsTexts();
    void keysDoWhatTheirButtonsDo_data();
    void keysDoWhatTheirButtonsDo();
    void selectAllKeySelectsEveryPhoto();

private:
    QString programDirectory(const QString& which) const;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_settingsPath;
};

void MainWindowTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_settingsPath = m_dir->filePath(QStringLiteral("kadrela.ini"));
    qputenv("KADRELA_TEST_SPRVER_RESULT", "0");
}

QString MainWindowTest::programDirectory(const QString& which) const {
    if (which == QLatin1String("recording"))
        return QStringLiteral(TEST_UPDATE_RECORDING_DIR);
    if (which == QLatin1String("without function"))
        return QStringLiteral(TEST_UPDATE_WITHOUT_FUNCTION_DIR);
    return m_dir->path() + QLatin1Char('/'); // holds no update library
}

void MainWindowTest::startupOutcomes_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("library");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<bool>("quits");
    QTest::addColumn<bool>("warns");

    QTest::newRow("library missing warns, then starts")
        << settingsFile("0", "1") << "none" << QByteArray("0") << false << true;
    QTest::newRow("no settings file runs the check")
        << QByteArray() << "none" << QByteArray("0") << false << true;
    QTest::newRow("check switched off never looks for the library")
        << settingsFile("0", "0") << "none" << QByteArray("0") << false << false;
    QTest::newRow("function missing starts quietly")
        << settingsFile("0", "1") << "without function" << QByteArray("0") << false << false;
    QTest::newRow("nonzero low byte quits")
        << settingsFile("1", "1") << "recording" << QByteArray("1") << true << false;
    QTest::newRow("256 starts") << settingsFile("1", "abc") << "recording" << QByteArray("256")
                                << false << false;
}

void MainWindowTest::startupOutcomes() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, library);
    QFETCH(QByteArray, result);
    QFETCH(bool, quits);
    QFETCH(bool, warns);
    if (!settings.isEmpty())
        testfiles::writeBytes(m_settingsPath, settings);
    qputenv("KADRELA_TEST_SPRVER_RESULT", result);

    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(library), m_settingsPath);
    QCOMPARE(window.quitRequested(), quits);
    const auto messages = desktop.requestsOf(QStringLiteral("message"));
    QCOMPARE(messages.size(), warns ? 1 : 0);
    if (warns) {
        QCOMPARE(messages[0].text,
                 QStringLiteral("Nie znaleziono wymaganej biblioteki 'update.dll'"));
        QCOMPARE(messages[0].caption, QStringLiteral("Ostrzeżenie"));
        QCOMPARE(messages[0].icon, Desktop::Icon::Warning);
    }
    // A window that starts is finished: the hidden progress panel takes no room. One that
    // quits skipped the remaining creation steps.
    const int buttonsEnd =
        window.findChild<QWidget*>(QStringLiteral("BitBtn10"))->geometry().bottom() + 1;
    QCOMPARE(window.height(), quits ? buttonsEnd + MainWindow::progressPanelHeight : buttonsEnd);
    QCOMPARE(window.acceptDrops(), !quits);
}

void MainWindowTest::startsInEnglishWithoutSettingsFile() {
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(QStringLiteral("recording")), m_settingsPath);
    QCOMPARE(window.state().languageFlag, qint8(0));
    auto* pages = window.findChild<PageControl*>(QStringLiteral("PageControl1"));
    QVERIFY(pages);
    QCOMPARE(pages->tabText(0), QStringLiteral("Adding pictures to album, title"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Main page, picture arrangement"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Album pages (tables. thumbnails)"));
    QCOMPARE(pages->tabText(3), QStringLiteral("Backgrounds, picture pages"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn10"))->text(),
             QStringLiteral("Create album"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->text(),
             QStringLiteral("Abort"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn3"))->text(),
             QStringLiteral("Save album parameters"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn4"))->text(),
             QStringLiteral("Load album parameters"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn5"))->text(),
             QStringLiteral("Reset album parameters"));
    QCOMPARE(window.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->toolTip(),
             QStringLiteral("Program settings"));
    // Texts outside the string table keep their wording in both languages.
    QCOMPARE(window.windowTitle(), QStringLiteral("Kadrela v1.1.6"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label42"))->text(),
             QStringLiteral("Generowanie albumu :"));
}

void MainWindowTest::startsInPolishFromSettingsFile() {
    testfiles::writeBytes(m_settingsPath, settingsFile("1", "0"));
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(QStringLiteral("none")), m_settingsPath);
    QCOMPARE(window.state().languageFlag, qint8(1));
    auto* pages = window.findChild<PageControl*>(QStringLiteral("PageControl1"));
    QCOMPARE(pages->tabText(0), QStringLiteral("Dodawanie zdjęć do albumu, tytuł"));
    QCOMPARE(pages->tabText(3), QStringLiteral("Tła albumu, strony zdjęć"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn10"))->text(),
             QStringLiteral("Utwórz album"));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn5"))->text(),
             QStringLiteral("Resetuj parametry albumu"));
}

void MainWindowTest::frameHasItsControlsInPlace() {
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(QStringLiteral("recording")), m_settingsPath);
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.width(), 515);
    QCOMPARE(window.minimumSize(), window.maximumSize());

    // However many rows the tabs take, every page keeps the 507 × 350 pixels it is laid
    // out for, and the buttons follow under the pages.
    auto* pages = window.findChild<PageControl*>(QStringLiteral("PageControl1"));
    const int pagesEnd = pages->geometry().bottom() + 1;
    QCOMPARE(pages->geometry(), QRect(0, 0, 515, pagesEnd));
    QCOMPARE(pages->count(), 5);
    const QStringList sheetNames{QStringLiteral("TabSheet1"), QStringLiteral("TabSheet4"),
                                 QStringLiteral("TabSheet3"), QStringLiteral("TabSheet2"),
                                 QStringLiteral("TabSheet5")};
    for (int i = 0; i < pages->count(); ++i) {
        QCOMPARE(pages->page(i)->objectName(), sheetNames[i]);
        const QWidget* area = pages->page(i)->parentWidget();
        QCOMPARE(area->size(), QSize(507, 350));
        QVERIFY(area->y() > pages->tabRect(i).bottom());
    }
    QCOMPARE(pages->currentIndex(), 0);

    auto* grid = window.findChild<QWidget*>(QStringLiteral("GridPanel1"));
    QCOMPARE(grid->geometry(), QRect(0, pagesEnd, 515, 30));
    int right = 0;
    for (const char* name : {"BitBtn3", "BitBtn4", "BitBtn5"}) {
        auto* button = grid->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY(button);
        QCOMPARE(button->x(), right); // side by side, in this order, filling the row
        right = button->geometry().right() + 1;
    }
    QCOMPARE(right, 515);
    // Album projects and the update check box, in a row of their own below.
    auto* projects = window.findChild<QWidget*>(QStringLiteral("GridPanel2"));
    QCOMPARE(projects->geometry(), QRect(0, pagesEnd + 30, 515, 30));
    QCOMPARE(projects->findChild<QPushButton*>(QStringLiteral("BitBtn11"))->x(), 0);
    QCOMPARE(projects->findChild<QToolButton*>(QStringLiteral("BitBtn12"))->x(),
             grid->findChild<QPushButton*>(QStringLiteral("BitBtn4"))->x());
    QVERIFY(projects->findChild<QCheckBox*>(QStringLiteral("CheckBoxUpdateInPlace")));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("BitBtn10"))->geometry(),
             QRect(0, pagesEnd + 60, 515, 30));
    QCOMPARE(window.height(), pagesEnd + 90);

    auto* panel = window.findChild<QWidget*>(QStringLiteral("Panel10"));
    QVERIFY(panel->isHidden());
    QCOMPARE(panel->height(), 49);
    QVERIFY(panel->findChild<QLabel*>(QStringLiteral("Label42")));
    QVERIFY(panel->findChild<QWidget*>(QStringLiteral("ProgressBar1")));
    QVERIFY(panel->findChild<QPushButton*>(QStringLiteral("BitBtn2")));
    QCOMPARE(window.state().perPageCount, 0);
    QVERIFY(window.state().lastPhotoDirectory.isEmpty());
    QVERIFY(!window.state().abortRequested);
}

void MainWindowTest::everyTabCaptionFitsItsTab() {
    for (const char* language : {"0", "1"}) {
        testfiles::writeBytes(m_settingsPath, settingsFile(language, "0"));
        ScriptedDesktop desktop;
        MainWindow window(desktop, programDirectory(QStringLiteral("none")), m_settingsPath);
        auto* pages = window.findChild<PageControl*>(QStringLiteral("PageControl1"));
        for (int i = 0; i < pages->count(); ++i) {
            const QRect tab = pages->tabRect(i);
            QVERIFY(pages->rect().contains(tab));
            QVERIFY2(pages->fontMetrics().horizontalAdvance(pages->tabText(i)) + 16 < tab.width(),
                     qPrintable(pages->tabText(i)));
        }
    }
}

void MainWindowTest::progressPanelGrowsAndShrinksTheWindow() {
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(QStringLiteral("recording")), m_settingsPath);
    auto* panel = window.findChild<QWidget*>(QStringLiteral("Panel10"));
    const int height = window.height();
    const int pagesHeight = window.findChild<QWidget*>(QStringLiteral("PageControl1"))->height();
    window.showProgressPanel();
    QCOMPARE(window.height(), height + 49);
    QVERIFY(!panel->isHidden());
    QCOMPARE(panel->geometry(), QRect(0, height, 515, 49));
    window.hideProgressPanel();
    QCOMPARE(window.height(), height);
    QVERIFY(panel->isHidden());
    QCOMPARE(window.findChild<QWidget*>(QStringLiteral("PageControl1"))->height(), pagesHeight);
}

void MainWindowTest::closingSettingsDialogAtOnceWritesBothKeys() {
    testfiles::writeBytes(m_settingsPath, settingsFile("1", "1"));
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(QStringLiteral("recording")), m_settingsPath);
    QFile::remove(m_settingsPath);

    QString caption;
    bool checked = false;
    whenDialogOpens([&](QDialog* dialog) {
        caption = dialog->windowTitle();
        checked = dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->isChecked();
        QCOMPARE(dialog->objectName(), QStringLiteral("Form4"));
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->currentIndex(), 1);
    });
    window.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->click();

    QCOMPARE(caption, QStringLiteral("Ustawienia Programu"));
    QVERIFY(checked); // a missing file means the check is on
    QCOMPARE(testfiles::readBytes(m_settingsPath),
             QByteArray("[Ustawienia]\r\nJezyk=1\r\nWersja=1\r\n"));
}

void MainWindowTest::choosingALanguageRelabelsEverythingAtOnce() {
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(QStringLiteral("recording")), m_settingsPath);
    auto* pages = window.findChild<PageControl*>(QStringLiteral("PageControl1"));
    QString tabWhileOpen, captionWhileOpen, checkTextWhileOpen;
    whenDialogOpens([&](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Program Settings"));
        dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(1);
        tabWhileOpen = pages->tabText(0);
        captionWhileOpen = dialog->windowTitle();
        checkTextWhileOpen = dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->text();
    });
    window.openProgramSettings();

    QCOMPARE(tabWhileOpen, QStringLiteral("Dodawanie zdjęć do albumu, tytuł"));
    QCOMPARE(captionWhileOpen, QStringLiteral("Ustawienia Programu"));
    QCOMPARE(checkTextWhileOpen, QStringLiteral("Sprawdzaj wersję programu przy starcie"));
    QCOMPARE(window.state().languageFlag, qint8(1));
    QCOMPARE(testfiles::readBytes(m_settingsPath),
             QByteArray("[Ustawienia]\r\nJezyk=1\r\nWersja=1\r\n"));

    // And back to English.
    whenDialogOpens([&](QDialog* dialog) {
        dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
    });
    window.openProgramSettings();
    QCOMPARE(pages->tabText(0), QStringLiteral("Adding pictures to album, title"));
    QCOMPARE(window.state().languageFlag, qint8(0));
}

void MainWindowTest::versionCheckSwitchIsSaved() {
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory(QStringLiteral("recording")), m_settingsPath);
    whenDialogOpens([](QDialog* dialog) {
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(false);
    });
    window.openProgramSettings();
    QCOMPARE(testfiles::readBytes(m_settingsPath),
             QByteArray("[Ustawienia]\r\nJezyk=0\r\nWersja=0\r\n"));

    whenDialogOpens([](QDialog* dialog) {
        QVERIFY(!dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->isChecked());
    });
    window.openProgramSettings();
}

void MainWindowTest::tabsStayWhereTheyAre() {
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory({}), m_settingsPath);
    auto* pages = window.findChild<PageControl*>(QStringLiteral("PageControl1"));
    QVERIFY(pages->tabRowCount() > 1); // the upper row is the one that used to jump
    QList<QRect> places;
    for (int i = 0; i < pages->count(); ++i)
        places << pages->tabRect(i);
    for (int i = pages->count() - 1; i >= 0; --i) {
        QTest::mouseClick(pages, Qt::LeftButton, {}, places[i].center());
        QCOMPARE(pages->currentIndex(), i);
        for (int k = 0; k < pages->count(); ++k)
            QCOMPARE(pages->tabRect(k), places[k]);
    }
}

void MainWindowTest::settingsDialogFitsItsTexts() {
    ScriptedDesktop desktop;
    for (const qint8 language : {qint8(0), qint8(1)}) {
        SettingsDialog dialog(desktop, m_settingsPath, language);
        for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QSize needed =
                qobject_cast<QGroupBox*>(child) ? child->minimumSizeHint() : child->sizeHint();
            QVERIFY2(needed.width() <= child->width(), qPrintable(child->objectName()));
            QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName()));
        }
    }
}

void MainWindowTest::keysDoWhatTheirButtonsDo_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Delete removes the selected photos") << "ToolButton3" << QKeySequence("Del");
    QTest::newRow("Alt+Up moves them up") << "ToolButton4" << QKeySequence("Alt+Up");
    QTest::newRow("Alt+Down moves them down") << "ToolButton5" << QKeySequence("Alt+Down");
    QTest::newRow("F1 shows the About window") << "ToolButton7" << QKeySequence("F1");
    QTest::newRow("Ctrl+S saves the parameters") << "BitBtn3" << QKeySequence("Ctrl+S");
    QTest::newRow("Ctrl+O loads parameters") << "BitBtn4" << QKeySequence("Ctrl+O");
}

void MainWindowTest::keysDoWhatTheirButtonsDo() {
    QFETCH(QString, button);
    QFETCH(QKeySequence, keys);
    for (const char* language : {"0", "1"}) {
        testfiles::writeBytes(m_settingsPath,
                              QByteArray("[Ustawienia]\r\nWersja=0\r\nJezyk=") + language);
        ScriptedDesktop desktop;
        MainWindow window(desktop, programDirectory({}), m_settingsPath);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QAbstractButton* target = nullptr;
        for (QAbstractButton* candidate : window.findChildren<QAbstractButton*>(button))
            if (candidate->window() == &window)
                target = candidate;
        QVERIFY(target);
        // The hint tells the keys, in both languages.
        QVERIFY2(target->toolTip().contains(keys.toString(QKeySequence::NativeText)),
                 qPrintable(target->toolTip()));
        // Nothing but the keys is needed: the button acts as when clicked (no dialog opens
        // in the About window's place, as the scripted desktop answers at once).
        if (button == "ToolButton7")
            continue;
        QSignalSpy clicked(target, &QAbstractButton::clicked);
        QTest::keySequence(&window, keys);
        QTRY_COMPARE(clicked.count(), 1);
    }
}

void MainWindowTest::selectAllKeySelectsEveryPhoto() {
    ScriptedDesktop desktop;
    MainWindow window(desktop, programDirectory({}), m_settingsPath);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (int i = 0; i < 3; ++i) {
        const QString photo = m_dir->filePath(QStringLiteral("p%1.jpg").arg(i));
        testfiles::writeBytes(photo, fixtures::jpegBytes(QSize(8, 8)));
        QVERIFY(window.photoTab()->addPhoto(photo));
    }
    QTest::keySequence(&window, QKeySequence::SelectAll);
    auto* list = window.findChild<QAbstractItemView*>(QStringLiteral("ListBox1"));
    QVERIFY(list);
    QTRY_COMPARE(list->selectionModel()->selectedRows().size(), 3);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

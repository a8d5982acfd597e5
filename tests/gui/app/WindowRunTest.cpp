#include "core/app/ProgramSettings.h"
#include "gui/app/MainWindow.h"
#include "gui/app/PageControl.h"
#include "gui/photos/PhotoListTab.h"

#include "JpegFixtures.h"
#include "ScriptedDesktop.h"
#include "TestFiles.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

// "Utwórz album" in the window: checks, locking, the progress panel and the questions at the
// end, answered through the scripted desktop.
class WindowRunTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void refusalsComeInOrderAndLeadToTheField();
    void finishedAlbumOffersTheBrowser_data();
    void finishedAlbumOffersTheBrowser();
    void abortDuringTheBuild_data();
    void abortDuringTheBuild();
    void failedBuildNamesTheFileAndUnlocks_data();
    void failedBuildNamesTheFileAndUnlocks();
    void albumThereAlreadyAsksHowToMakeIt_data();
    void albumThereAlreadyAsksHowToMakeIt();
    void projectTakesTheWholeAlbumAlong();

private:
    void addPhotos(int count);
    void setTitleAndLocation(const QString& title, const QString& location);
    template <typename T> T* find(const char* name) const {
        for (T* candidate : m_window->findChildren<T*>(QLatin1String(name)))
            if (candidate->window() == m_window.get())
                return candidate;
        return nullptr;
    }
    bool locked() const {
        return !find<QWidget>("PageControl1")->isEnabled() &&
               !find<QWidget>("BitBtn10")->isEnabled() && !find<QWidget>("BitBtn3")->isEnabled() &&
               !find<QWidget>("BitBtn4")->isEnabled() && !find<QWidget>("BitBtn5")->isEnabled();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<MainWindow> m_window;
};

void WindowRunTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    const QString settings = m_dir->filePath(QStringLiteral("kadrela.ini"));
    testfiles::writeBytes(settings, "[Ustawienia]\r\nJezyk=0\r\nWersja=0\r\n");
    m_window = std::make_unique<MainWindow>(*m_desktop, m_dir->path(), settings);
    QDir(m_dir->path()).mkpath(QStringLiteral("out"));
}

void WindowRunTest::addPhotos(int count) {
    for (int i = 0; i < count; ++i) {
        const QString photo = m_dir->filePath(QStringLiteral("photos/p%1.jpg").arg(i));
        testfiles::writeBytes(photo, fixtures::jpegBytes(QSize(64, 48)));
        QVERIFY(m_window->photoTab()->addPhoto(photo));
    }
}

void WindowRunTest::setTitleAndLocation(const QString& title, const QString& location) {
    m_window->photoTab()->albumTitleEdit()->setText(title);
    m_window->photoTab()->albumLocationEdit()->setText(location);
}

void WindowRunTest::refusalsComeInOrderAndLeadToTheField() {
    auto* pages = find<PageControl>("PageControl1");
    auto* create = find<QPushButton>("BitBtn10");
    const auto lastMessage = [this] {
        return m_desktop->requestsOf(QStringLiteral("message")).constLast();
    };

    AlbumParameters noLayout;
    noLayout.layoutMode = -1;
    m_window->setParameters(noLayout);
    create->click();
    QCOMPARE(lastMessage().text, QStringLiteral("No layout of the photos in the album is chosen"));
    QCOMPARE(lastMessage().caption, QStringLiteral("Information"));

    m_window->setParameters(AlbumParameters{});
    create->click();
    QCOMPARE(lastMessage().text, QStringLiteral("No photos on the list"));

    addPhotos(1);
    pages->setCurrentIndex(2);
    create->click();
    QCOMPARE(lastMessage().text, QStringLiteral("No album title is given"));
    QCOMPARE(pages->currentIndex(), 0);

    setTitleAndLocation(QStringLiteral("   "), QString()); // blanks are a title
    pages->setCurrentIndex(3);
    create->click();
    QCOMPARE(lastMessage().text, QStringLiteral("No folder for the album is chosen"));
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(m_desktop->requestsOf(QStringLiteral("message")).size(), 4);
    QVERIFY(!locked());
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("out/album-___"))));
}

void WindowRunTest::finishedAlbumOffersTheBrowser_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("modern");
    QTest::newRow("yes opens the main page") << true << false;
    QTest::newRow("no leaves it") << false << false;
    QTest::newRow("modern pages from their tab") << true << true;
}

void WindowRunTest::finishedAlbumOffersTheBrowser() {
    QFETCH(bool, open);
    QFETCH(bool, modern);
    addPhotos(3);
    if (modern)
        find<QCheckBox>("CheckBoxModernPages")->click();
    setTitleAndLocation(QStringLiteral("Wakacje"), m_dir->filePath(QStringLiteral("out/")));

    bool lockedDuringBuild = false;
    const int heightBefore = m_window->height();
    int heightDuringBuild = 0;
    QTimer::singleShot(0, [&] {
        lockedDuringBuild = locked() && find<QWidget>("BitBtn2")->isEnabled();
        heightDuringBuild = m_window->height();
    });
    m_desktop->yesNoAnswers.enqueue(open);
    find<QPushButton>("BitBtn10")->click();

    QVERIFY(lockedDuringBuild);
    QCOMPARE(heightDuringBuild, heightBefore + MainWindow::progressPanelHeight);
    QCOMPARE(m_window->height(), heightBefore);
    QVERIFY(find<QWidget>("Panel10")->isHidden());
    QVERIFY(!locked());
    const auto questions = m_desktop->requestsOf(QStringLiteral("question"));
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions[0].caption, QStringLiteral("Information"));
    QCOMPARE(questions[0].text,
             QStringLiteral("Album has been created\nDo You want to open it in default browser ?"));
    const QString mainPage = m_dir->filePath(QStringLiteral("out/album-Wakacje.html"));
    QVERIFY(QFileInfo::exists(mainPage));
    const auto opened = m_desktop->requestsOf(QStringLiteral("shell"));
    QCOMPARE(opened.size(), open ? 1 : 0);
    if (open)
        QCOMPARE(opened[0].text, mainPage);
    QCOMPARE(QFileInfo::exists(m_dir->filePath(QStringLiteral("out/album-Wakacje/index.html"))),
             modern);
    QVERIFY(!m_window->state().abortRequested);
}

void WindowRunTest::abortDuringTheBuild_data() {
    QTest::addColumn<bool>("erase");
    QTest::newRow("yes erases") << true;
    QTest::newRow("no keeps") << false;
}

void WindowRunTest::abortDuringTheBuild() {
    QFETCH(bool, erase);
    addPhotos(5);
    setTitleAndLocation(QStringLiteral("Zima"), m_dir->filePath(QStringLiteral("out/")));
    bool abortButtonDisabled = false;
    QTimer::singleShot(0, [&] {
        find<QPushButton>("BitBtn2")->click();
        abortButtonDisabled = !find<QWidget>("BitBtn2")->isEnabled();
    });
    m_desktop->yesNoAnswers.enqueue(erase);
    find<QPushButton>("BitBtn10")->click();

    QVERIFY(abortButtonDisabled);
    const auto questions = m_desktop->requestsOf(QStringLiteral("question"));
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions[0].text,
             QStringLiteral("Album creating stopped\nDo you want to erase unfinished album data?"));
    const QString albumDirectory = m_dir->filePath(QStringLiteral("out/album-Zima"));
    QCOMPARE(QFileInfo::exists(albumDirectory), !erase);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("out/album-Zima.html"))));
    QVERIFY(m_desktop->requestsOf(QStringLiteral("shell")).isEmpty());
    QVERIFY(!locked());
    QVERIFY(!m_window->state().abortRequested);
}

void WindowRunTest::failedBuildNamesTheFileAndUnlocks_data() {
    QTest::addColumn<bool>("madeSomething"); // the photo vanishes after the folder was made
    QTest::addColumn<bool>("erase");         // the answer to the clean-up question
    QTest::newRow("nothing made: no question") << false << false;
    QTest::newRow("half made, erased") << true << true;
    QTest::newRow("half made, kept") << true << false;
}

void WindowRunTest::failedBuildNamesTheFileAndUnlocks() {
    QFETCH(bool, madeSomething);
    QFETCH(bool, erase);
    addPhotos(1);
    const QString location = madeSomething ? m_dir->path() + QStringLiteral("/")
                                           : m_dir->filePath(QStringLiteral("no-such-folder/"));
    setTitleAndLocation(QStringLiteral("Lato"), location);
    if (madeSomething)
        QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("photos/p0.jpg"))));
    m_desktop->yesNoAnswers.enqueue(erase);
    const int heightBefore = m_window->height();
    find<QPushButton>("BitBtn10")->click();
    const auto messages = m_desktop->requestsOf(QStringLiteral("message"));
    QCOMPARE(messages.size(), 1);
    const QString named =
        madeSomething ? QStringLiteral("photos/p0.jpg") : QStringLiteral("album-Lato");
    QVERIFY2(messages[0].text.contains(named), qPrintable(messages[0].text));
    QCOMPARE(messages[0].icon, Desktop::Icon::Error);
    const auto questions = m_desktop->requestsOf(QStringLiteral("question"));
    QCOMPARE(questions.size(), madeSomething ? 1 : 0);
    if (madeSomething)
        QVERIFY(questions[0].text.startsWith(QStringLiteral("Album creating stopped")) ||
                questions[0].text.startsWith(QStringLiteral("Przerwano tworzenie albumu")));
    QCOMPARE(QFileInfo::exists(m_dir->filePath(QStringLiteral("album-Lato"))),
             madeSomething && !erase);
    QVERIFY(!locked());
    QCOMPARE(m_window->height(), heightBefore);
}

void WindowRunTest::albumThereAlreadyAsksHowToMakeIt_data() {
    QTest::addColumn<bool>("checkBox"); // "Update in place" ticked: no question
    QTest::addColumn<int>("answer");    // update, make anyway, cancel (closing the box)
    QTest::addColumn<QString>("made");  // "update", "classic" or "nothing"
    QTest::newRow("update in place") << false << 0 << "update";
    QTest::newRow("make it anyway") << false << 1 << "classic";
    QTest::newRow("cancel") << false << -1 << "nothing";
    QTest::newRow("the check box answers") << true << -1 << "update";
}

void WindowRunTest::albumThereAlreadyAsksHowToMakeIt() {
    QFETCH(bool, checkBox);
    QFETCH(int, answer);
    QFETCH(QString, made);
    addPhotos(2);
    setTitleAndLocation(QStringLiteral("Wakacje"), m_dir->filePath(QStringLiteral("out/")));
    find<QPushButton>("BitBtn10")->click(); // the first album: nothing to ask
    QVERIFY(m_desktop->requestsOf(QStringLiteral("choice")).isEmpty());
    const QString album = m_dir->filePath(QStringLiteral("out/album-Wakacje/"));
    const QString mainPage = m_dir->filePath(QStringLiteral("out/album-Wakacje.html"));
    QFile::remove(mainPage); // the folder alone is an album there too

    find<QCheckBox>("CheckBoxUpdateInPlace")->setChecked(checkBox);
    m_desktop->choiceAnswers.enqueue(answer);
    find<QPushButton>("BitBtn10")->click();
    const auto choices = m_desktop->requestsOf(QStringLiteral("choice"));
    QCOMPARE(choices.size(), checkBox ? 0 : 1);
    if (!checkBox) {
        QVERIFY(choices[0].text.contains(QStringLiteral("album-Wakacje")));
        QCOMPARE(choices[0].detail, QStringLiteral("Update in place|Make it anyway|Cancel"));
    }
    QCOMPARE(QFileInfo::exists(mainPage), made != "nothing");
    QCOMPARE(QFileInfo::exists(album + ".kadrela-album"), made == "update");
    QCOMPARE(QFileInfo::exists(album + "p0_.jpg"), made == "classic"); // names pile up
    QVERIFY(!locked());
}

// Saved with the photos, title, folder and parameters, and opened again in a window that has
// other ones; a photo gone in between is named and left out.
void WindowRunTest::projectTakesTheWholeAlbumAlong() {
    addPhotos(3);
    setTitleAndLocation(QStringLiteral("Wakacje nad morzem"),
                        m_dir->filePath(QStringLiteral("out/")));
    AlbumParameters parameters = m_window->parameters();
    parameters.thumbnailColumns = 6;
    parameters.modern.enabled = true;
    m_window->setParameters(parameters);
    const QStringList entries = m_window->photoEntries();
    const QString project = m_dir->filePath(QStringLiteral("Wakacje"));
    m_desktop->saveFileAnswers.enqueue(project);
    find<QPushButton>("BitBtn11")->click();
    QVERIFY(QFileInfo::exists(project + ".kadrela"));

    m_window->photoTab()->replacePhotos({});
    setTitleAndLocation(QStringLiteral("Inny"), QString());
    m_window->setParameters(AlbumParameters{});
    QFile::remove(m_dir->filePath(QStringLiteral("photos/p1.jpg")));
    m_desktop->openFileAnswers.enqueue({{project + ".kadrela"}, 0});
    find<QToolButton>("BitBtn12")->click();

    QCOMPARE(m_window->photoEntries(), QStringList({entries[0], entries[2]}));
    QCOMPARE(m_window->photoTab()->albumTitleEdit()->text(), QStringLiteral("Wakacje nad morzem"));
    QCOMPARE(m_window->photoTab()->albumLocationEdit()->text(),
             m_dir->filePath(QStringLiteral("out/")));
    QCOMPARE(m_window->parameters().thumbnailColumns, 6);
    QVERIFY(m_window->parameters().modern.enabled);
    const auto messages = m_desktop->requestsOf(QStringLiteral("message"));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].text.contains(QStringLiteral("p1.jpg")));
    QCOMPARE(recentProjects(m_dir->filePath(QStringLiteral("kadrela.ini"))),
             QStringList{project + ".kadrela"});
}

QTEST_MAIN(WindowRunTest)
#include "WindowRunTest.moc"

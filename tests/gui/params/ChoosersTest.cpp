#include "gui/app/MainWindow.h"
#include "gui/params/ParameterControls.h"

#include "gui/photos/PhotoListTab.h"

#include "JpegFixtures.h"
#include "ScriptedDesktop.h"
#include "TestFiles.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The choosers behind the parameter controls and the three parameter-file buttons, answered
// through the scripted desktop.
class ChoosersTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void colourChooserStartsFromThePanelAndCancelChangesNothing();
    void fontChooserCopiesEverythingItOffers();
    void backgroundChooserTakesPathAndName();
    void saveAndLoadThroughTheDialogs();
    void loadSaysWhyOtherFilesAreNotLoadedAndNamesBadColours();
    void resetRestoresStartValues();
    void aNewSessionOpensTheChoosersWhereTheLastLeftOff();
    void openingTheLayoutListShowsThePlainCaption();
    void layoutListWithoutPhotosAsksNothing();
    void perPageAnswers_data();
    void perPageAnswers();
    void otherLayoutChoicesWithPhotos();

private:
    template <typename T> T* find(const char* name) const {
        for (T* candidate : m_window->findChildren<T*>(QLatin1String(name)))
            if (candidate->window() == m_window.get())
                return candidate;
        return nullptr;
    }
    void click(const char* name) { QTest::mouseClick(find<QWidget>(name), Qt::LeftButton); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDesktop> m_desktop;
    std::unique_ptr<MainWindow> m_window;
};

void ChoosersTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_desktop = std::make_unique<ScriptedDesktop>();
    const QString settings = m_dir->filePath(QStringLiteral("kadrela.ini"));
    testfiles::writeBytes(settings, "[Ustawienia]\r\nJezyk=1\r\nWersja=0\r\n");
    m_window = std::make_unique<MainWindow>(*m_desktop, m_dir->path(), settings);
}

void ChoosersTest::colourChooserStartsFromThePanelAndCancelChangesNothing() {
    AlbumParameters parameters;
    parameters.mainTableFrame.enabled = true;
    parameters.mainTableFrame.colour = 0x00336699; // red 99, green 66, blue 33
    m_window->setParameters(parameters);

    click("Panel7"); // cancelled
    QCOMPARE(m_desktop->colourPresets.size(), 1);
    QCOMPARE(m_desktop->colourPresets[0], QColor(0x99, 0x66, 0x33));
    QCOMPARE(m_window->parameters().mainTableFrame.colour, ColourValue(0x00336699));

    m_desktop->colourAnswers.enqueue(QColor(0xD7, 0xEA, 0xFF));
    click("Panel7");
    QCOMPARE(m_window->parameters().mainTableFrame.colour, ColourValue(0x00FFEAD7));
    QCOMPARE(find<ColourPanel>("Panel7")->colour(), ColourValue(0x00FFEAD7));

    // A disabled panel offers no chooser.
    m_window->setParameters(AlbumParameters{});
    click("Panel7");
    QCOMPARE(m_desktop->colourPresets.size(), 2);
}

void ChoosersTest::fontChooserCopiesEverythingItOffers() {
    click("Label4"); // cancelled
    QCOMPARE(m_desktop->fontPresets.size(), 1);
    QCOMPARE(m_desktop->fontPresets[0], AlbumParameters{}.albumTitleFont);
    QCOMPARE(m_window->parameters().albumTitleFont, AlbumParameters{}.albumTitleFont);

    const FontSpec chosen{QStringLiteral("Georgia"), 26, 0x000000FF, false, true, true, true, 238};
    m_desktop->fontAnswers.enqueue(chosen);
    click("Label4");
    QCOMPARE(m_window->parameters().albumTitleFont, chosen);
    QCOMPARE(find<FontSampleLabel>("Label4")->font().family(),
             QFont(QStringLiteral("Georgia")).family());
}

void ChoosersTest::backgroundChooserTakesPathAndName() {
    AlbumParameters parameters;
    parameters.pageBackground.enabled = true;
    parameters.pageBackground.fromFile = true;
    m_window->setParameters(parameters);

    const QString path = m_dir->filePath(QStringLiteral("foto/tlo.jpg"));
    m_desktop->openFileAnswers.enqueue({{path}, 0});
    click("BitBtn7");
    QCOMPARE(m_window->parameters().pageBackground.fileName, QStringLiteral("tlo.jpg"));
    QCOMPARE(m_window->parameters().pageBackground.filePath, path);
    QCOMPARE(find<QWidget>("Edit4")->toolTip(), path);
    const Desktop::OpenFileRequest first = m_desktop->openFileRequests.constLast();
    QVERIFY(first.filter.startsWith(QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.png;*.gif)|")));
    QVERIFY(!first.multipleFiles);

    // Cancelled by a double click on the field: nothing changes, the tooltip included.
    QTest::mouseDClick(find<QWidget>("Edit4"), Qt::LeftButton);
    QCOMPARE(m_desktop->openFileRequests.size(), 2);
    QVERIFY(m_desktop->openFileRequests.constLast().fileName.isEmpty()); // cleared first
    QCOMPARE(m_window->parameters().pageBackground.filePath, path);
}

void ChoosersTest::saveAndLoadThroughTheDialogs() {
    AlbumParameters parameters;
    parameters.thumbnailColumns = 9;
    parameters.photoFrame = {true, 3, 0x000000FF, 2};
    parameters.albumTitleFont.underline = true;
    m_window->setParameters(parameters);
    const QString path = m_dir->filePath(QStringLiteral("my.ini"));
    m_desktop->saveFileAnswers.enqueue(path);
    click("BitBtn3");
    QCOMPARE(m_desktop->requestsOf(QStringLiteral("save")).size(), 1);
    QCOMPARE(m_desktop->requestsOf(QStringLiteral("save")).constLast().detail,
             QStringLiteral("Wszystkie pliki (*.*)|*.*"));
    QVERIFY(testfiles::readBytes(path).contains("[PhotoP]"));

    m_window->setParameters(AlbumParameters{});
    m_desktop->openFileAnswers.enqueue({{path}, 0});
    click("BitBtn4");
    QCOMPARE(m_desktop->openFileRequests.constLast().filter,
             QStringLiteral("Wszystkie pliki (*.*)|*.*"));
    QCOMPARE(m_desktop->requestsOf(QStringLiteral("message")).constLast().text,
             QStringLiteral("OK"));
    AlbumParameters expected = parameters;
    expected.albumTitleFont.underline = false; // not kept in files
    expected.perPageCount = 0;
    QCOMPARE(m_window->parameters(), expected);
    QVERIFY(find<QWidget>("Panel4")->isEnabled()); // the enabled states follow the load

    // The background chooser now offers what the dialog last had: all files.
    m_window->setParameters(AlbumParameters{});
    click("CheckBox16");
    click("CheckBox7");
    click("BitBtn8");
    QCOMPARE(m_desktop->openFileRequests.constLast().filter,
             QStringLiteral("Wszystkie pliki (*.*)|*.*"));

    // Opening the photo dialog (even cancelled) brings the image filter back.
    click("ToolButton1");
    click("BitBtn8");
    QVERIFY(m_desktop->openFileRequests.constLast().filter.startsWith(QStringLiteral("All (")));
}

void ChoosersTest::loadSaysWhyOtherFilesAreNotLoadedAndNamesBadColours() {
    const QString other = m_dir->filePath(QStringLiteral("other.ini"));
    testfiles::writeBytes(other, "[Info]\r\nInfo=KADRELA SETTINGS\r\n[AlbumP]\r\nColC=9\r\n");
    m_desktop->openFileAnswers.enqueue({{other}, 0});
    click("BitBtn4");
    // Nothing is loaded, and the window says why.
    QCOMPARE(m_desktop->requestsOf(QStringLiteral("message")).size(), 1);
    QVERIFY(m_desktop->requestsOf(QStringLiteral("message"))[0].text.contains(
        QStringLiteral("other.ini is not an album parameter file")));
    QCOMPARE(m_window->parameters(), AlbumParameters{});

    const QString bad = m_dir->filePath(QStringLiteral("bad.ini"));
    testfiles::writeBytes(bad, "[Info]\r\nInfo=Kadrela Settings\r\n[MainP]\r\nColC=4\r\n"
                               "TableCol=purple\r\n");
    m_desktop->openFileAnswers.enqueue({{bad}, 0});
    click("BitBtn4");
    const auto messages = m_desktop->requestsOf(QStringLiteral("message"));
    QCOMPARE(messages.size(), 3);
    QCOMPARE(messages[1].text, QStringLiteral("OK"));
    QCOMPARE(messages[2].text, QStringLiteral("'purple' is not a valid integer value (TableCol)"));
    QCOMPARE(m_window->parameters().categoryColumns, 4);
}

void ChoosersTest::aNewSessionOpensTheChoosersWhereTheLastLeftOff() {
    const QString parameters = m_dir->filePath(QStringLiteral("looks/summer.ini"));
    const QString background = m_dir->filePath(QStringLiteral("pictures/sky.jpg"));
    const QString photo = m_dir->filePath(QStringLiteral("photos/a.jpg"));
    testfiles::writeBytes(background, fixtures::jpegBytes(QSize(8, 8)));
    testfiles::writeBytes(photo, fixtures::jpegBytes(QSize(8, 8)));
    QVERIFY(QDir().mkpath(QFileInfo(parameters).absolutePath()));
    m_desktop->saveFileAnswers.enqueue(parameters);
    click("BitBtn3");
    m_desktop->openFileAnswers.enqueue({{background}, 0});
    click("CheckBox15");
    click("CheckBox6");
    click("BitBtn7");
    m_desktop->openFileAnswers.enqueue({{photo}, 0});
    click("ToolButton1");

    // A new session: each chooser starts in the folder it was last used in.
    m_window = std::make_unique<MainWindow>(*m_desktop, m_dir->path(),
                                            m_dir->filePath(QStringLiteral("kadrela.ini")));
    m_desktop->requests.clear();
    m_desktop->openFileRequests.clear();
    click("BitBtn3");
    QCOMPARE(m_desktop->requestsOf(QStringLiteral("save")).constLast().text,
             QFileInfo(parameters).absolutePath());
    click("BitBtn4");
    QCOMPARE(m_desktop->openFileRequests.constLast().directory,
             QFileInfo(parameters).absolutePath());
    m_window = std::make_unique<MainWindow>(*m_desktop, m_dir->path(),
                                            m_dir->filePath(QStringLiteral("kadrela.ini")));
    click("ToolButton1");
    QCOMPARE(m_desktop->openFileRequests.constLast().directory, QFileInfo(photo).absolutePath());
    m_window = std::make_unique<MainWindow>(*m_desktop, m_dir->path(),
                                            m_dir->filePath(QStringLiteral("kadrela.ini")));
    click("CheckBox15");
    click("CheckBox6");
    click("BitBtn7");
    QCOMPARE(m_desktop->openFileRequests.constLast().directory,
             QFileInfo(background).absolutePath());
}

void ChoosersTest::resetRestoresStartValues() {
    AlbumParameters parameters;
    parameters.layoutMode = layoutOnePage;
    parameters.brightenThumbnails = false;
    parameters.pageBackground = {
        true, 0x123456, true, QStringLiteral("a.jpg"), QStringLiteral("/x/a.jpg"), 1};
    m_window->setParameters(parameters);
    click("BitBtn5");
    QCOMPARE(m_window->parameters(), AlbumParameters{});
    QVERIFY(!find<QWidget>("Edit4")->isEnabled());
}

void ChoosersTest::openingTheLayoutListShowsThePlainCaption() {
    AlbumParameters parameters;
    parameters.layoutMode = layoutFixedCount;
    parameters.perPageCount = 12;
    m_window->setParameters(parameters);
    m_window->applyLanguage(1);
    auto* list = find<QComboBox>("ComboBox2");
    QCOMPARE(list->itemText(1), QStringLiteral("12 zdjęć na stronie"));
    m_window->show();
    list->showPopup();
    QCOMPARE(list->itemText(1), QStringLiteral("Podana ilość zdjęć na stronie"));
    list->hidePopup();
    QCOMPARE(list->itemText(1), QStringLiteral("Podana ilość zdjęć na stronie"));
    QCOMPARE(m_window->parameters().perPageCount, 12);
}

void ChoosersTest::layoutListWithoutPhotosAsksNothing() {
    auto* list = find<QComboBox>("ComboBox2");
    list->setCurrentIndex(1);
    emit list->activated(1);
    QVERIFY(m_desktop->requestsOf(QStringLiteral("input")).isEmpty());
    QCOMPARE(m_window->parameters().perPageCount, 0);
}

void ChoosersTest::perPageAnswers_data() {
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<int>("count");
    QTest::newRow("4") << std::optional<QString>("4") << 4;
    QTest::newRow("all ten") << std::optional<QString>("10") << 10;
    QTest::newRow("one") << std::optional<QString>(" 1 ") << 1;
    QTest::newRow("0") << std::optional<QString>("0") << 10;
    QTest::newRow("-3") << std::optional<QString>("-3") << 10;
    QTest::newRow("a word") << std::optional<QString>("dużo") << 10;
    QTest::newRow("a fraction") << std::optional<QString>("2,5") << 10;
    QTest::newRow("a point fraction") << std::optional<QString>("2.5") << 10;
    QTest::newRow("empty") << std::optional<QString>("") << 10;
    QTest::newRow("too many") << std::optional<QString>("11") << 10;
    QTest::newRow("huge") << std::optional<QString>("99999999999999") << 10;
    QTest::newRow("cancelled") << std::optional<QString>() << 10;
}

void ChoosersTest::perPageAnswers() {
    QFETCH(std::optional<QString>, answer);
    QFETCH(int, count);
    const QString photo = m_dir->filePath(QStringLiteral("a.jpg"));
    testfiles::writeBytes(photo, fixtures::jpegBytes(QSize(8, 6)));
    for (int i = 0; i < 10; ++i)
        QVERIFY(m_window->photoTab()->addPhoto(photo));

    m_desktop->inputAnswers.enqueue(answer);
    auto* list = find<QComboBox>("ComboBox2");
    list->setCurrentIndex(1);
    emit list->activated(1);
    const auto inputs = m_desktop->requestsOf(QStringLiteral("input"));
    QCOMPARE(inputs.size(), 1);
    QCOMPARE(inputs[0].caption, QStringLiteral("Pytanie"));
    QCOMPARE(inputs[0].text, QStringLiteral("Ilość zdjęć na 1 stronie : "));
    QCOMPARE(inputs[0].detail, QStringLiteral("10")); // the photo count is offered
    QCOMPARE(m_window->parameters().perPageCount, count);
    QCOMPARE(list->itemText(1), QStringLiteral("%1 zdjęć na stronie").arg(count));
    QCOMPARE(list->currentIndex(), 1);
}

void ChoosersTest::otherLayoutChoicesWithPhotos() {
    const QString photo = m_dir->filePath(QStringLiteral("b.jpg"));
    testfiles::writeBytes(photo, fixtures::jpegBytes(QSize(8, 6)));
    m_window->photoTab()->addPhoto(photo);
    AlbumParameters parameters;
    parameters.perPageCount = 7;
    m_window->setParameters(parameters);
    auto* list = find<QComboBox>("ComboBox2");
    list->setCurrentIndex(2);
    emit list->activated(2); // by directories: the count stays
    QCOMPARE(m_window->parameters().perPageCount, 7);
    list->setCurrentIndex(0);
    emit list->activated(0); // all on one page: the count goes back to 0
    QCOMPARE(m_window->parameters().perPageCount, 0);
    QVERIFY(m_desktop->requestsOf(QStringLiteral("input")).isEmpty());
}

QTEST_MAIN(ChoosersTest)
#include "ChoosersTest.moc"

#include "gui/photos/PhotoListTab.h"
#include "core/photos/PhotoEntry.h"
#include "core/photos/TaggedText.h"
#include "gui/app/WindowState.h"
#include "gui/photos/OpenDialogMemory.h"
#include "gui/photos/PhotoListBox.h"

#include "AlbumFixtures.h"
#include "JpegFixtures.h"
#include "MetadataFixtures.h"
#include "ScriptedDesktop.h"
#include "TestFiles.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using albumfixtures::pathsOf;

class PhotoListTabTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<QWidget> page_;
    ScriptedDesktop desktop_;
    WindowState state_;
    OpenDialogMemory memory_;
    PhotoListTab* tab_ = nullptr;

    QString root() const { return dir_.path() + '/'; }

    QString jpeg(const QString& relative, QSize size = QSize(64, 48)) {
        testfiles::writeBytes(root() + relative, fixtures::jpegBytes(size));
        return root() + relative;
    }
    QString dated(const QString& relative, const QString& date, const QString& caption = {}) {
        fixtures::PhotoTags tags;
        tags.exif = {{"Exif.Photo.DateTimeOriginal", date}};
        if (!caption.isEmpty())
            tags.xmp = {{"Xmp.dc.description", caption}};
        testfiles::writeBytes(root() + relative,
                              fixtures::withTags(fixtures::jpegBytes(QSize(64, 48)), tags));
        return root() + relative;
    }
    QString other(const QString& relative, const QByteArray& content = "GIF89a...") {
        testfiles::writeBytes(root() + relative, content);
        return root() + relative;
    }

    PhotoListBox* list() const { return tab_->listBox(); }
    QStringList paths() const { return pathsOf(tab_->photoEntries()); }
    QModelIndex rowIndex(int row) const { return list()->model()->index(row, 0); }
    QAction* menuItem(const char* name) const {
        return tab_->popupMenu()->findChild<QAction*>(name);
    }
    void select(const QList<int>& rows) {
        QList<bool> flags(tab_->photoCount(), false);
        for (const int row : rows)
            flags[row] = true;
        list()->setSelectionFlags(flags);
    }
    QList<int> selectedRows() const {
        QList<int> rows;
        const QList<bool> flags = list()->selectionFlags();
        for (int row = 0; row < flags.size(); ++row)
            if (flags[row])
                rows << row;
        return rows;
    }
    void clickRow(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(rowIndex(row)).center());
    }
    void addFiles(const QStringList& files) {
        desktop_.openFileAnswers.enqueue({files, 0});
        tab_->toolButton(1)->click();
    }
    qint64 previewKey() const { return tab_->preview()->pixmap().cacheKey(); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void init();
    void cleanup() { page_.reset(); }

    void controlsAsLaidOut();
    // Every chosen file goes through the same gate in the dialog's order; the filter only
    // narrows what the dialog shows. The dialog keeps its filter entry and file name.
    void fileDialogAddsAndRemembers();
    // The memory is the window's, so another chooser's choice shows in the next opening here.
    void dialogMemoryIsShared();
    void countLabel_data();
    void countLabel();
    void countLabelFollowsEveryFile();
    void removeSelectedRows_data();
    void removeSelectedRows();
    // The buttons move the photos with their selection; the caret stays on its photo.
    void moveButtons_data();
    void moveButtons();
    void sortButton();
    void selectAllFromTheMenu();
    // Two photos of the same name look alike by file name; full paths tell them apart and
    // widen the sideways scrolling to exactly the widest text.
    void displayModesAndExtent();
    void rowsAreDrawnInTheListColours();
    // Directories dropped are scanned where they stand among the files, in the drop's order.
    void droppedMixture();
    void dropKeepsOnlyLocalItems();
    // The drop returns at once; the photos come in afterwards.
    void dropIsTakenLater();
    void sameFolderTwice();
    void folderBrowserCancelledOrStale();
    // Photo.JPEG comes in with its size, x.Gif without, notes.txt and a damaged JPEG not at all.
    void whatAScanTakes();
    // A name holding "<" or ">" would break the entry's tags; such a file is passed over and
    // every row still reads back as the file it names.
    void angleBracketsInANameAreSkipped();
    void previewFollowsTheCaret();
    // A photo gone since it was added: an error message, the list and the preview as they were.
    void vanishedPhotoPreview();
    void removingThePreviewedPhotoKeepsThePreview();
    void albumLocation_data();
    void albumLocation();
};

void PhotoListTabTest::init() {
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.path());
    desktop_ = ScriptedDesktop();
    state_ = WindowState();
    memory_ = OpenDialogMemory();
    page_ = std::make_unique<QWidget>();
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    page_->setFont(font);
    page_->resize(500, 345);
    tab_ = new PhotoListTab(page_.get(), desktop_, state_, memory_);
}

void PhotoListTabTest::controlsAsLaidOut() {
    QCOMPARE(list()->objectName(), "ListBox1");
    QCOMPARE(list()->parentWidget(), tab_->listPanel());
    QCOMPARE(list()->geometry(), QRect(0, 0, 212, 219));
    QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(tab_->preview()->size(), QSize(237, 213));
    const QList<QAction*> items = tab_->popupMenu()->actions();
    QCOMPARE(items.size(), 6);
    QCOMPARE(items[0]->objectName(), "Zaznaczwszystko1");
    QCOMPARE(items[0]->text(), "Zaznacz wszystko");
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2]->objectName(), "ylkonazwapliku1");
    QCOMPARE(items[2]->text(), "Tylko nazwa pliku");
    QVERIFY(items[2]->isChecked());
    QCOMPARE(items[3]->objectName(), "ciekanazwapliku1");
    QCOMPARE(items[3]->text(), "Ścieżka + nazwa pliku");
    QVERIFY(!items[3]->isChecked());
    QCOMPARE(items[5]->objectName(), "Sortujwedlugdaty1");
    QCOMPARE(items[5]->text(), "Sortuj według daty wykonania");
    QCOMPARE(tab_->displayMode(), DisplayMode::FileName);
}

void PhotoListTabTest::fileDialogAddsAndRemembers() {
    const QString b = jpeg("b.jpg");
    const QString a = jpeg("A.JPG");
    const QString notes = other("notes.txt", "hello");
    const QString gif = other("c.Gif");
    desktop_.openFileAnswers.enqueue({{b, notes, a, gif}, 3});
    tab_->toolButton(1)->click();
    QCOMPARE(paths(), QStringList({b, a, gif}));
    QCOMPARE(desktop_.openFileRequests.size(), 1);
    const Desktop::OpenFileRequest first = desktop_.openFileRequests[0];
    QCOMPARE(first.filter,
             "All (*.jpg;*.jpeg;*.bmp;*.png;*.gif)|*.jpg;*.jpeg;*.bmp;*.png;*.gif|"
             "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
             "Bitmaps (*.bmp)|*.bmp|PNG Image File (*.png)|*.png|GIF Image File (*.gif)|*.gif");
    QVERIFY(first.multipleFiles);
    QCOMPARE(first.filterIndex, 0);
    QCOMPARE(first.fileName, QString());

    // Cancelling adds nothing and keeps the file name.
    tab_->toolButton(1)->click();
    QCOMPARE(desktop_.openFileRequests[1].filterIndex, 3);
    QCOMPARE(desktop_.openFileRequests[1].fileName, b);
    QCOMPARE(tab_->photoCount(), 3);
    QCOMPARE(memory_.filterIndex, 3);
    QCOMPARE(memory_.fileName, b);
}

void PhotoListTabTest::dialogMemoryIsShared() {
    Desktop::OpenFileResult parameterFile{{root() + "album.kpa"}, 1};
    desktop_.openFileAnswers.enqueue(parameterFile);
    chooseFilesToOpen(desktop_, page_.get(), memory_, "Album (*.kpa)|*.kpa|All|*.*", false);
    tab_->toolButton(1)->click();
    QCOMPARE(desktop_.openFileRequests[1].filterIndex, 1);
    QCOMPARE(desktop_.openFileRequests[1].fileName, root() + "album.kpa");
    QCOMPARE(desktop_.openFileRequests[1].filter, PhotoListTab::photoFileFilter());
}

void PhotoListTabTest::countLabel_data() {
    QTest::addColumn<int>("languageFlag");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Polish") << 1 << "Ilość zdjęć : ";
    QTest::newRow("English") << 0 << "Picture count : ";
}

void PhotoListTabTest::countLabel() {
    QFETCH(int, languageFlag);
    QFETCH(QString, caption);
    state_.languageFlag = qint8(languageFlag);
    addFiles({jpeg("1.jpg"), jpeg("2.jpg"), other("3.png")});
    QCOMPARE(tab_->countLabel()->text(), caption + "3");
    tab_->selectAllPhotos();
    tab_->toolButton(3)->click();
    QCOMPARE(tab_->photoCount(), 0);
    QCOMPARE(tab_->countLabel()->text(), caption + "0");
}

void PhotoListTabTest::countLabelFollowsEveryFile() {
    state_.languageFlag = 1;
    tab_->updateCountLabel(); // as the window does when it switches the language
    QStringList seen;
    connect(list()->model(), &QAbstractItemModel::rowsInserted, this,
            [&seen, this] { seen << tab_->countLabel()->text(); });
    // The label is set after the row is in, so every insert sees the previous count.
    addFiles({jpeg("1.jpg"), jpeg("2.jpg")});
    QCOMPARE(seen, QStringList({"Ilość zdjęć : 0", "Ilość zdjęć : 1"}));
    QCOMPARE(tab_->countLabel()->text(), "Ilość zdjęć : 2");
}

void PhotoListTabTest::removeSelectedRows_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("two apart") << QList<int>{1, 3} << QStringList{"a", "c", "e"};
    QTest::newRow("a block at the end") << QList<int>{3, 4} << QStringList{"a", "b", "c"};
    QTest::newRow("first") << QList<int>{0} << QStringList{"b", "c", "d", "e"};
    QTest::newRow("nothing") << QList<int>{} << QStringList{"a", "b", "c", "d", "e"};
    QTest::newRow("all") << QList<int>{0, 1, 2, 3, 4} << QStringList{};
}

void PhotoListTabTest::removeSelectedRows() {
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, left);
    state_.languageFlag = 1;
    QStringList files;
    for (const char* name : {"a", "b", "c", "d", "e"})
        files << jpeg(QString(name) + ".jpg");
    addFiles(files);
    select(selected);
    tab_->toolButton(3)->click();
    QStringList expected;
    for (const QString& name : left)
        expected << root() + name + ".jpg";
    QCOMPARE(paths(), expected);
    QCOMPARE(tab_->countLabel()->text(), "Ilość zdjęć : " + QString::number(left.size()));
    QVERIFY(list()->selectionFlags().count(true) == 0);
}

void PhotoListTabTest::moveButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<int>>("selectedAfter");
    QTest::newRow("up, B and C") << 4 << QList<int>{1, 2} << QStringList{"b", "c", "a", "d"}
                                 << QList<int>{0, 1};
    QTest::newRow("down, B and C")
        << 5 << QList<int>{1, 2} << QStringList{"a", "d", "b", "c"} << QList<int>{2, 3};
    QTest::newRow("up, A and C") << 4 << QList<int>{0, 2} << QStringList{"a", "b", "c", "d"}
                                 << QList<int>{0, 2};
    QTest::newRow("down, D") << 5 << QList<int>{3} << QStringList{"a", "b", "c", "d"}
                             << QList<int>{3};
}

void PhotoListTabTest::moveButtons() {
    QFETCH(int, button);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, order);
    QFETCH(QList<int>, selectedAfter);
    addFiles({jpeg("a.jpg"), jpeg("b.jpg"), jpeg("c.jpg"), jpeg("d.jpg")});
    list()->setCurrentIndex(rowIndex(selected.last()));
    select(selected);
    const QString caretPhoto = paths()[selected.last()];
    tab_->toolButton(button)->click();
    QStringList expected;
    for (const QString& name : order)
        expected << root() + name + ".jpg";
    QCOMPARE(paths(), expected);
    QCOMPARE(selectedRows(), selectedAfter);
    QCOMPARE(paths()[list()->focusedRow()], caretPhoto);
}

void PhotoListTabTest::sortButton() {
    QDir().mkpath(root() + "y");
    addFiles({jpeg("x/b.jpg"), jpeg("y/a.jpg"), jpeg("x/A.jpg")});
    select({0, 2});
    tab_->toolButton(6)->click();
    QCOMPARE(paths(), QStringList({root() + "x/A.jpg", root() + "x/b.jpg", root() + "y/a.jpg"}));
    QCOMPARE(selectedRows(), QList<int>());

    // By date taken, from the menu: undated photos last; the tooltip shows a caption as text.
    const QString undated = paths().first();
    tab_->replacePhotos({});
    addFiles({undated, dated("z.jpg", "2024:05:02 08:00:00"),
              dated("y.jpg", "2024:05:01 12:30:00", "<b>Łąka</b> & rosa")});
    menuItem("Sortujwedlugdaty1")->trigger();
    QCOMPARE(paths(), QStringList({root() + "y.jpg", root() + "z.jpg", undated}));
    QCOMPARE(rowIndex(0).data(Qt::ToolTipRole).toString(),
             "<p>2024-05-01 12:30:00<br>\n&lt;b&gt;Łąka&lt;/b&gt; &amp; rosa</p>");
    QVERIFY(!rowIndex(2).data(Qt::ToolTipRole).isValid());
}

void PhotoListTabTest::selectAllFromTheMenu() {
    addFiles({jpeg("a.jpg"), jpeg("b.jpg"), other("c.gif")});
    menuItem("Zaznaczwszystko1")->trigger();
    QCOMPARE(selectedRows(), QList<int>({0, 1, 2}));
}

void PhotoListTabTest::displayModesAndExtent() {
    page_->show();
    QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
    const QString first = jpeg("short/IMG_0001.jpg");
    const QString second = jpeg("a rather long folder name for the list/IMG_0001.jpg");
    addFiles({first, second});
    const QFontMetrics metrics(list()->font());
    QCOMPARE(rowIndex(0).data().toString(), "IMG_0001.jpg");
    QCOMPARE(rowIndex(1).data().toString(), "IMG_0001.jpg");
    QCOMPARE(list()->horizontalExtent(), metrics.horizontalAdvance("IMG_0001.jpg"));
    QCOMPARE(list()->horizontalScrollBar()->maximum(), 0);

    QAction* fileName = menuItem("ylkonazwapliku1");
    QAction* fullPath = menuItem("ciekanazwapliku1");
    fullPath->trigger();
    QCOMPARE(tab_->displayMode(), DisplayMode::FullPath);
    QVERIFY(fullPath->isChecked());
    QVERIFY(!fileName->isChecked());
    QCOMPARE(rowIndex(0).data().toString(), first);
    QCOMPARE(rowIndex(1).data().toString(), second);
    const int widest = metrics.horizontalAdvance(second);
    QCOMPARE(list()->horizontalExtent(), widest);
    // Scrolled to the end, the last letter of the longest path is in view.
    QTRY_VERIFY(list()->horizontalScrollBar()->maximum() + list()->viewport()->width() >=
                2 + widest);

    // Choosing the checked item switches to the other mode.
    fullPath->trigger();
    QCOMPARE(tab_->displayMode(), DisplayMode::FileName);
    QVERIFY(fileName->isChecked());
    QVERIFY(!fullPath->isChecked());
    QCOMPARE(list()->horizontalExtent(), metrics.horizontalAdvance("IMG_0001.jpg"));
    QTRY_COMPARE(list()->horizontalScrollBar()->maximum(), 0);
    fileName->trigger();
    QCOMPARE(tab_->displayMode(), DisplayMode::FullPath);
    QVERIFY(!fileName->isChecked());
    QVERIFY(fullPath->isChecked());

    // Removing the long one narrows the extent again.
    select({1});
    tab_->toolButton(3)->click();
    QCOMPARE(list()->horizontalExtent(), metrics.horizontalAdvance(first));
}

void PhotoListTabTest::rowsAreDrawnInTheListColours() {
    page_->show();
    QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
    addFiles({jpeg("a.jpg"), jpeg("b.jpg")});
    select({1});
    const QImage shot = list()->viewport()->grab().toImage();
    QCOMPARE(list()->visualRect(rowIndex(1)).top(), 17);
    QCOMPARE(list()->visualRect(rowIndex(1)).height(), 17);
    const QPoint rightEdge(list()->viewport()->width() - 3, 8);
    QCOMPARE(shot.pixelColor(rightEdge), QColor(0xFF, 0xFF, 0xF4));
    QCOMPARE(shot.pixelColor(rightEdge + QPoint(0, 17)), QColor(0xD7, 0xEA, 0xFF));
    QCOMPARE(shot.pixelColor(QPoint(10, 40)), QColor(0xFF, 0xFF, 0xF4)); // below the rows
}

void PhotoListTabTest::droppedMixture() {
    const QString loose = jpeg("loose.jpg");
    jpeg("one/b.jpg");
    jpeg("one/sub/a.jpg");
    jpeg("one/a.jpg");
    other("one/notes.txt", "words");
    jpeg("two/z.bmp.jpg");
    const QString gif = other("also.gif");
    tab_->addDroppedPaths({root() + "two", loose, root() + "one", gif});
    QCOMPARE(paths(), QStringList({root() + "two/z.bmp.jpg", loose, root() + "one/a.jpg",
                                   root() + "one/b.jpg", root() + "one/sub/a.jpg", gif}));
}

void PhotoListTabTest::dropKeepsOnlyLocalItems() {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/photos/b.jpg"), QUrl("https://example.org/a.jpg"),
                  QUrl::fromLocalFile("/photos/trip/"), QUrl::fromLocalFile("/")});
    QCOMPARE(PhotoListTab::localPathsOf(&data),
             QStringList({"/photos/b.jpg", "/photos/trip", "/"}));
    QMimeData text;
    text.setText("/photos/b.jpg");
    QCOMPARE(PhotoListTab::localPathsOf(&text), QStringList());
    QCOMPARE(PhotoListTab::localPathsOf(nullptr), QStringList());
    QVERIFY(!tab_->takeDrop(&text));
}

void PhotoListTabTest::dropIsTakenLater() {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(jpeg("a.jpg")), QUrl::fromLocalFile(root())});
    QVERIFY(tab_->takeDrop(&data));
    QCOMPARE(tab_->photoCount(), 0);
    QTRY_COMPARE(tab_->photoCount(), 2);
}

void PhotoListTabTest::sameFolderTwice() {
    jpeg("trip/1.jpg");
    jpeg("trip/2.jpg");
    desktop_.directoryAnswers.enqueue(root() + "trip");
    desktop_.directoryAnswers.enqueue(root() + "trip");
    tab_->toolButton(2)->click();
    QCOMPARE(state_.lastPhotoDirectory, root() + "trip/");
    tab_->toolButton(2)->click();
    QCOMPARE(paths(), QStringList({root() + "trip/1.jpg", root() + "trip/2.jpg",
                                   root() + "trip/1.jpg", root() + "trip/2.jpg"}));
    QCOMPARE(desktop_.directoryRequests[0].preselected, QString());
    QCOMPARE(desktop_.directoryRequests[1].preselected, root() + "trip/");
    QVERIFY(!desktop_.directoryRequests[1].allowNewFolder);
}

void PhotoListTabTest::folderBrowserCancelledOrStale() {
    state_.lastPhotoDirectory = root() + "gone/";
    tab_->toolButton(2)->click();
    QCOMPARE(desktop_.directoryRequests[0].preselected, QString());
    QCOMPARE(state_.lastPhotoDirectory, root() + "gone/");
    QCOMPARE(tab_->photoCount(), 0);
}

void PhotoListTabTest::whatAScanTakes() {
    jpeg("f/Photo.JPEG", QSize(30, 20));
    other("f/notes.txt", "words");
    other("f/x.Gif");
    other("f/broken.jpg", "not a JPEG at all");
    other("f/.hidden.png");
    desktop_.directoryAnswers.enqueue(root() + "f");
    tab_->toolButton(2)->click();
    const QStringList entries = tab_->photoEntries();
    QCOMPARE(pathsOf(entries),
             QStringList({root() + "f/.hidden.png", root() + "f/Photo.JPEG", root() + "f/x.Gif"}));
    QCOMPARE(tagValue(entries[1], "<w>"), "30");
    QCOMPARE(tagValue(entries[1], "<h>"), "20");
    QVERIFY(!hasDimensions(entries[2]));
}

void PhotoListTabTest::angleBracketsInANameAreSkipped() {
    const QString before = jpeg("m/a.jpg");
    jpeg("m/b<n>c.jpg");
    jpeg("m/d>.gif");
    other("m/e</n>.png");
    const QString after = jpeg("m/f.jpg");
    desktop_.directoryAnswers.enqueue(root() + "m");
    tab_->toolButton(2)->click();
    addFiles({root() + "m/b<n>c.jpg"});
    QCOMPARE(paths(), QStringList({before, after}));
    for (const QString& entry : tab_->photoEntries())
        QCOMPARE(buildPhotoEntry(tagValue(entry, "<n>")), entry);
}

void PhotoListTabTest::previewFollowsTheCaret() {
    page_->show();
    QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
    addFiles({jpeg("wide.jpg", QSize(474, 100)), other("c.gif"), jpeg("small.jpg", QSize(50, 40)),
              other("d.png")});
    clickRow(0);
    QCOMPARE(tab_->preview()->pixmap().size(), QSize(237, 50));
    const qint64 wide = previewKey();
    clickRow(1); // a GIF keeps the JPEG in the preview
    QCOMPARE(previewKey(), wide);
    QTest::keyClick(list()->viewport(), Qt::Key_Down);
    QCOMPARE(list()->focusedRow(), 2);
    QCOMPARE(tab_->preview()->pixmap().size(), QSize(50, 40));
    const qint64 small = previewKey();
    QTest::keyClick(list()->viewport(), Qt::Key_Down); // a PNG as well
    QCOMPARE(list()->focusedRow(), 3);
    QCOMPARE(previewKey(), small);
    QVERIFY(desktop_.requestsOf("message").isEmpty());
}

void PhotoListTabTest::vanishedPhotoPreview() {
    page_->show();
    QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
    const QString gone = jpeg("gone.jpg");
    addFiles({jpeg("kept.jpg"), gone});
    clickRow(0);
    const qint64 kept = previewKey();
    const QStringList entries = tab_->photoEntries();
    QVERIFY(QFile::remove(gone));
    clickRow(1);
    const QList<ScriptedDesktop::Request> messages = desktop_.requestsOf("message");
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, Desktop::Icon::Error);
    QVERIFY(messages[0].text.contains(gone));
    QCOMPARE(previewKey(), kept);
    QCOMPARE(tab_->photoEntries(), entries);
}

void PhotoListTabTest::removingThePreviewedPhotoKeepsThePreview() {
    page_->show();
    QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
    addFiles({jpeg("a.jpg")});
    clickRow(0);
    const qint64 shown = previewKey();
    tab_->toolButton(3)->click();
    QCOMPARE(tab_->photoCount(), 0);
    QCOMPARE(previewKey(), shown);
}

void PhotoListTabTest::albumLocation_data() {
    QTest::addColumn<QString>("chosen"); // relative to the test folder; "/" for the root
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("byDoubleClick");
    QTest::newRow("folder gets a separator") << "Album"
                                             << "Album/" << false;
    QTest::newRow("by double click") << "Album"
                                     << "Album/" << true;
    QTest::newRow("already has one") << "Album/"
                                     << "Album/" << false;
    QTest::newRow("root stays a root") << "/"
                                       << "/" << false;
}

void PhotoListTabTest::albumLocation() {
    QFETCH(QString, chosen);
    QFETCH(QString, shown);
    QFETCH(bool, byDoubleClick);
    QDir().mkpath(root() + "Album");
    const auto absolute = [this](const QString& path) {
        return path == "/" ? path : root() + path;
    };
    desktop_.directoryAnswers.enqueue(absolute(chosen));
    if (byDoubleClick)
        QTest::mouseDClick(tab_->albumLocationEdit(), Qt::LeftButton);
    else
        tab_->albumLocationButton()->click();
    QCOMPARE(tab_->albumLocationEdit()->text(), absolute(shown));
    QCOMPARE(tab_->albumLocationEdit()->toolTip(), absolute(shown));
    QVERIFY(desktop_.directoryRequests[0].allowNewFolder);

    // The next choice starts from the current location; cancelling keeps it.
    tab_->albumLocationButton()->click();
    QCOMPARE(desktop_.directoryRequests[1].preselected, absolute(shown));
    QCOMPARE(tab_->albumLocationEdit()->text(), absolute(shown));
}

QTEST_MAIN(PhotoListTabTest)
#include "PhotoListTabTest.moc"

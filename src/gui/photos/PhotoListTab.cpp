#include "gui/photos/PhotoListTab.h"

#include "core/app/ProgramSettings.h"

#include "core/app/StringTable.h"
#include "core/photos/DirectoryScan.h"
#include "core/photos/PathParts.h"
#include "core/photos/PhotoAdding.h"
#include "core/photos/PhotoEntry.h"
#include "core/photos/PreviewPicture.h"
#include "core/photos/TaggedText.h"
#include "gui/app/Desktop.h"
#include "gui/app/WindowState.h"
#include "gui/photos/OpenDialogMemory.h"
#include "gui/photos/PhotoListBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

QLabel* makeLabel(QWidget* parent, const char* objectName, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* objectName, const QRect& geometry,
                    const QColor& background) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    edit->setGeometry(geometry);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, background);
    edit->setPalette(colours);
    return edit;
}

// The frame behind the preview: a soft raised border around a dark well.
QPixmap previewFramePicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(QColor(0x6b, 0x7f, 0x99));
    QPainter painter(&picture);
    painter.setPen(QColor(0xc9, 0xd6, 0xe8));
    painter.drawLine(0, 0, size.width() - 1, 0);
    painter.drawLine(0, 0, 0, size.height() - 1);
    painter.setPen(QColor(0x3b, 0x4a, 0x5e));
    painter.drawLine(size.width() - 1, 0, size.width() - 1, size.height() - 1);
    painter.drawLine(0, size.height() - 1, size.width() - 1, size.height() - 1);
    painter.fillRect(QRect(4, 4, size.width() - 8, size.height() - 8), QColor(0x26, 0x2b, 0x33));
    return picture;
}

// The folder browsers preselect only a directory that is still there.
QString existingDirectoryOrNothing(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir() ? path : QString();
}

} // namespace

PhotoListTab::PhotoListTab(QWidget* page, Desktop& desktop, WindowState& state,
                           OpenDialogMemory& openDialog)
    : QObject(page)
    , m_desktop(desktop)
    , m_state(state)
    , m_openDialog(openDialog)
    , m_page(page) {
    buildControls(page);
    buildPopupMenu();
    connectControls();
    updateCountLabel();
}

PhotoListTab::~PhotoListTab() = default;

void PhotoListTab::buildControls(QWidget* page) {
    makeLabel(page, "Label12", QStringLiteral("Lista zdjęć"), 3, 5);
    m_countLabel = makeLabel(page, "Label14", QStringLiteral("Ilość zdjęć : 0"), 123, 5);
    m_countLabel->setMinimumWidth(125);
    makeLabel(page, "Label13", QStringLiteral("Podgląd zdjęcia :"), 256, 5);

    m_listPanel = new QFrame(page);
    m_listPanel->setObjectName(QStringLiteral("Panel9"));
    m_listPanel->setGeometry(3, 24, 238, 219);
    m_listBox = new PhotoListBox(m_listPanel);
    m_listBox->setGeometry(0, 0, m_listPanel->width() - toolButtonSize, m_listPanel->height());
    auto* toolBar = new QWidget(m_listPanel);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setGeometry(m_listPanel->width() - toolButtonSize, 0, toolButtonSize,
                         m_listPanel->height());
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_FileIcon,
        QStyle::SP_DirIcon,
        QStyle::SP_TrashIcon,
        QStyle::SP_ArrowUp,
        QStyle::SP_ArrowDown,
        QStyle::SP_FileDialogListView,
        QStyle::SP_MessageBoxInformation,
        QStyle::SP_FileDialogDetailedView,
    };
    for (int i = 0; i < 8; ++i) {
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(i + 1));
        button->setIcon(page->style()->standardIcon(icons[i]));
        button->setAutoRaise(true);
        button->setGeometry(0, i * toolButtonSize, toolButtonSize, toolButtonSize);
        m_toolButtons << button;
    }

    m_previewFrame = new QLabel(page);
    m_previewFrame->setObjectName(QStringLiteral("Image2"));
    m_previewFrame->setGeometry(252, 24, 245, 221);
    m_previewFrame->setPixmap(previewFramePicture(m_previewFrame->size()));
    m_preview = new QLabel(page);
    m_preview->setObjectName(QStringLiteral("Image1"));
    m_preview->setGeometry(256, 28, 237, 213);
    m_preview->setAlignment(Qt::AlignCenter);

    makeLabel(page, "Label11", QStringLiteral("Tytuł abumu :"), 3, 249);
    m_albumTitle = makeEdit(page, "Edit9", QRect(3, 268, 494, 21), QColor(0xF2, 0xF9, 0xFF));
    makeLabel(page, "Label1", QStringLiteral("Katalog zapisu albumu :"), 3, 295);
    m_albumLocation = makeEdit(page, "Edit1", QRect(3, 314, 454, 21), QColor(0xF9, 0xFF, 0xF9));
    m_albumLocation->setReadOnly(true);
    m_albumLocationButton = new QPushButton(page);
    m_albumLocationButton->setObjectName(QStringLiteral("BitBtn1"));
    m_albumLocationButton->setGeometry(469, 311, 28, 28);
    m_albumLocationButton->setIcon(page->style()->standardIcon(QStyle::SP_DirOpenIcon));
}

void PhotoListTab::buildPopupMenu() {
    // Polish as laid out; the language switch gives them their English texts.
    m_popupMenu = new QMenu(m_listBox);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    m_selectAllAction = m_popupMenu->addAction(QStringLiteral("Zaznacz wszystko"));
    m_selectAllAction->setObjectName(QStringLiteral("Zaznaczwszystko1"));
    m_popupMenu->addSeparator();
    m_fileNameModeAction = m_popupMenu->addAction(QStringLiteral("Tylko nazwa pliku"));
    m_fileNameModeAction->setObjectName(QStringLiteral("ylkonazwapliku1"));
    m_fileNameModeAction->setCheckable(true);
    m_fileNameModeAction->setChecked(true);
    m_fullPathModeAction = m_popupMenu->addAction(QStringLiteral("Ścieżka + nazwa pliku"));
    m_fullPathModeAction->setObjectName(QStringLiteral("ciekanazwapliku1"));
    m_fullPathModeAction->setCheckable(true);
    m_popupMenu->addSeparator();
    m_sortByDateAction = m_popupMenu->addAction(QStringLiteral("Sortuj według daty wykonania"));
    m_sortByDateAction->setObjectName(QStringLiteral("Sortujwedlugdaty1"));
    // The sort button offers it too, when held down.
    m_toolButtons[5]->setPopupMode(QToolButton::DelayedPopup);
    auto* sortMenu = new QMenu(m_toolButtons[5]);
    sortMenu->addAction(m_sortByDateAction);
    m_toolButtons[5]->setMenu(sortMenu);
    m_listBox->setContextMenuPolicy(Qt::CustomContextMenu);
}

void PhotoListTab::connectControls() {
    connect(m_toolButtons[0], &QToolButton::clicked, this, &PhotoListTab::addFilesFromDialog);
    connect(m_toolButtons[1], &QToolButton::clicked, this, &PhotoListTab::addDirectoryFromBrowser);
    connect(m_toolButtons[2], &QToolButton::clicked, this, &PhotoListTab::removeSelectedPhotos);
    connect(m_toolButtons[3], &QToolButton::clicked, this, &PhotoListTab::moveSelectedPhotosUp);
    connect(m_toolButtons[4], &QToolButton::clicked, this, &PhotoListTab::moveSelectedPhotosDown);
    connect(m_toolButtons[5], &QToolButton::clicked, this, &PhotoListTab::sortPhotos);
    connect(m_albumLocationButton, &QPushButton::clicked, this, &PhotoListTab::chooseAlbumLocation);
    m_albumLocation->installEventFilter(this);

    connect(m_listBox, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_popupMenu->popup(m_listBox->viewport()->mapToGlobal(at));
    });
    connect(m_selectAllAction, &QAction::triggered, this, &PhotoListTab::selectAllPhotos);
    connect(m_sortByDateAction, &QAction::triggered, this, &PhotoListTab::sortPhotosByDateTaken);

    // Keys for what the tool bar does to the list; a text field that has the keyboard keeps
    // its own Delete and Ctrl+A.
    m_toolButtons[2]->setShortcut(QKeySequence::Delete);
    m_toolButtons[3]->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    m_toolButtons[4]->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    m_toolButtons[6]->setShortcut(QKeySequence::HelpContents);
    m_selectAllAction->setShortcut(QKeySequence::SelectAll);
    m_selectAllAction->setShortcutContext(Qt::WindowShortcut);
    m_page->addAction(m_selectAllAction);
    connect(m_fileNameModeAction, &QAction::triggered, this,
            [this] { chooseDisplayMode(m_fileNameModeAction, m_fullPathModeAction); });
    connect(m_fullPathModeAction, &QAction::triggered, this,
            [this] { chooseDisplayMode(m_fullPathModeAction, m_fileNameModeAction); });
    connect(m_listBox, &PhotoListBox::focusedRowChosen, this, &PhotoListTab::previewFocusedRow);
}

bool PhotoListTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_albumLocation && event->type() == QEvent::MouseButtonDblClick) {
        chooseAlbumLocation();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QWidget* PhotoListTab::dialogParent() const {
    return m_page->window();
}

QStringList PhotoListTab::photoEntries() const {
    return m_listBox->entries();
}

int PhotoListTab::photoCount() const {
    return m_listBox->count();
}

DisplayMode PhotoListTab::displayMode() const {
    return m_listBox->displayMode();
}

QString PhotoListTab::photoFileFilter() {
    return QStringLiteral(
        "All (*.jpg;*.jpeg;*.bmp;*.png;*.gif)|*.jpg;*.jpeg;*.bmp;*.png;*.gif|"
        "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
        "PNG Image File (*.png)|*.png|GIF Image File (*.gif)|*.gif");
}

QToolButton* PhotoListTab::toolButton(int number) const {
    return number >= 1 && number <= m_toolButtons.size() ? m_toolButtons[number - 1] : nullptr;
}

void PhotoListTab::updateCountLabel() {
    m_countLabel->setText(interfaceText(textPhotoCount, m_state.languageFlag) +
                          QString::number(photoCount()));
    const int needed = m_countLabel->sizeHint().width();
    if (m_countLabel->width() < needed)
        m_countLabel->resize(needed, m_countLabel->height());
}

bool PhotoListTab::addPhoto(const QString& path) {
    const std::optional<QString> entry = entryToAdd(path);
    if (entry) {
        m_listBox->appendEntry(*entry);
        updateCountLabel();
    }
    // Thousands of photos may be on their way: the window repaints and answers between them.
    QCoreApplication::processEvents();
    return entry.has_value();
}

void PhotoListTab::replacePhotos(const QStringList& entries) {
    m_listBox->setSelectionFlags(QList<bool>(m_listBox->count(), true));
    m_listBox->removeSelectedRows();
    for (const QString& entry : entries)
        m_listBox->appendEntry(entry);
    updateCountLabel();
    m_listBox->refreshHorizontalExtent();
}

void PhotoListTab::addDirectoryTree(const QString& directory) {
    scanDirectory(directory, [this](const QString& path) { addPhoto(path); });
}

void PhotoListTab::addDroppedPaths(const QStringList& paths) {
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir())
            addDirectoryTree(withTrailingSeparator(path));
        else
            addPhoto(path);
    }
    m_listBox->refreshHorizontalExtent();
}

QStringList PhotoListTab::localPathsOf(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        QString path = QDir::toNativeSeparators(url.toLocalFile());
        // A file manager may hand over a directory as ".../photos/"; the entries should not
        // read ".../photos//a.jpg".
        while (path.size() > 1 &&
               (path.endsWith(QLatin1Char('/')) || path.endsWith(QDir::separator())))
            path.chop(1);
        if (!path.isEmpty())
            paths << path;
    }
    return paths;
}

bool PhotoListTab::takeDrop(const QMimeData* data) {
    const QStringList paths = localPathsOf(data);
    if (paths.isEmpty())
        return false;
    QTimer::singleShot(0, this, [this, paths] { addDroppedPaths(paths); });
    return true;
}

void PhotoListTab::addFilesFromDialog() {
    const QStringList files =
        chooseFilesToOpen(m_desktop, dialogParent(), m_openDialog, photoFileFilter(), true,
                          rememberedFolder(m_state.settingsPath, RememberedFolder::Photos));
    if (!files.isEmpty())
        rememberFolder(m_state.settingsPath, RememberedFolder::Photos, files.constFirst());
    for (const QString& file : files)
        addPhoto(QDir::toNativeSeparators(file));
    m_listBox->refreshHorizontalExtent();
}

void PhotoListTab::addDirectoryFromBrowser() {
    Desktop::DirectoryRequest request;
    request.preselected = existingDirectoryOrNothing(m_state.lastPhotoDirectory);
    if (request.preselected.isEmpty())
        request.preselected = rememberedFolder(m_state.settingsPath, RememberedFolder::Photos);
    request.allowNewFolder = false;
    const std::optional<QString> chosen = m_desktop.chooseDirectory(dialogParent(), request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString directory = withTrailingSeparator(*chosen);
    m_state.lastPhotoDirectory = directory;
    rememberFolder(m_state.settingsPath, RememberedFolder::Photos, directory);
    addDirectoryTree(directory);
    m_listBox->refreshHorizontalExtent();
}

void PhotoListTab::removeSelectedPhotos() {
    m_listBox->removeSelectedRows();
    updateCountLabel();
    m_listBox->refreshHorizontalExtent();
}

void PhotoListTab::moveSelectedPhotosUp() {
    m_listBox->moveSelectedRowsUp();
}

void PhotoListTab::moveSelectedPhotosDown() {
    m_listBox->moveSelectedRowsDown();
}

void PhotoListTab::sortPhotos() {
    const QStringList& entries = m_listBox->entries();
    if (entries.size() < 2)
        return;
    m_listBox->reorder(sortedPhotoList(entries, photoListCollator()));
}

void PhotoListTab::sortPhotosByDateTaken() {
    const QStringList& entries = m_listBox->entries();
    if (entries.size() < 2)
        return;
    m_listBox->reorder(sortedByDateTaken(entries, photoListCollator()));
}

void PhotoListTab::selectAllPhotos() {
    m_listBox->selectAll();
}

void PhotoListTab::chooseDisplayMode(QAction* chosen, QAction* other) {
    // The chosen item has already toggled its own mark; choosing the checked item therefore
    // switches to the other mode.
    other->setChecked(!chosen->isChecked());
    m_listBox->setDisplayMode(m_fileNameModeAction->isChecked() ? DisplayMode::FileName
                                                                : DisplayMode::FullPath);
    m_listBox->refreshHorizontalExtent();
}

void PhotoListTab::chooseAlbumLocation() {
    Desktop::DirectoryRequest request;
    request.preselected = existingDirectoryOrNothing(m_albumLocation->text());
    request.allowNewFolder = true;
    const std::optional<QString> chosen = m_desktop.chooseDirectory(dialogParent(), request);
    if (!chosen || chosen->isEmpty())
        return;
    const QString location = withTrailingSeparator(*chosen);
    m_albumLocation->setText(location);
    m_albumLocation->setToolTip(location);
}

void PhotoListTab::previewFocusedRow() {
    const int row = m_listBox->focusedRow();
    if (row < 0 || row >= photoCount())
        return;
    const QString& entry = m_listBox->entries()[row];
    // PNG and GIF photos are never opened here: the preview keeps what it showed.
    if (!hasDimensions(entry))
        return;
    const PreviewPicture picture =
        loadPreviewPicture(tagValue(entry, QStringLiteral("<n>")), m_preview->size());
    if (picture.image.isNull()) {
        m_desktop.showMessage(dialogParent(), QStringLiteral("Kadrela"), picture.errorMessage,
                              Desktop::Icon::Error);
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(picture.image));
}

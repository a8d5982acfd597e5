#pragma once

#include "core/photos/PhotoListOrder.h"

#include <QObject>
#include <QStringList>

#include <memory>

class Desktop;
class PhotoListBox;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QToolButton;
class QWidget;
struct OpenDialogMemory;
struct WindowState;

// The first tab page: the photo list with its tool bar and context menu, the preview, the
// album title and the album location. Every photo comes in through addPhoto(), whichever way
// it arrives.
class PhotoListTab : public QObject {
    Q_OBJECT
public:
    // The desktop answers every dialog; the state gives the language and keeps the folder last
    // added from; the memory is the open dialog's, shared with the window's other choosers.
    // All three must outlive the page.
    PhotoListTab(QWidget* page, Desktop& desktop, WindowState& state, OpenDialogMemory& openDialog);
    ~PhotoListTab() override;

    // The photo list, in album order.
    QStringList photoEntries() const;
    int photoCount() const;

    // Adds one file at the end of the list, if it is a photo the list can hold (see
    // entryToAdd()), then shows the new count and lets the window catch up. True when added.
    bool addPhoto(const QString& path);
    // The list replaced by these entries (an album project's), in their order.
    void replacePhotos(const QStringList& entries);
    // Adds every photo below the directory, depth first, in name order.
    void addDirectoryTree(const QString& directory);
    // Items dropped on the window, in the order given: a directory adds its tree, anything
    // else is one file.
    void addDroppedPaths(const QStringList& paths);
    // The local files and directories among a drop's URLs, in the drop's order.
    static QStringList localPathsOf(const QMimeData* data);
    // Takes the drop's paths now and adds them once the drop has returned, so the dragging
    // program is not kept waiting while a large tree comes in. False when nothing to take.
    bool takeDrop(const QMimeData* data);

    // The tool bar's and the menu's operations, as the buttons call them.
    void addFilesFromDialog();      // ToolButton1
    void addDirectoryFromBrowser(); // ToolButton2
    void removeSelectedPhotos();    // ToolButton3
    void moveSelectedPhotosUp();    // ToolButton4
    void moveSelectedPhotosDown();  // ToolButton5
    void sortPhotos();              // ToolButton6
    void selectAllPhotos();         // Zaznaczwszystko1
    void sortPhotosByDateTaken();   // Sortujwedlugdaty1
    void chooseAlbumLocation();     // BitBtn1, or a double click in Edit1
    void previewFocusedRow();
    void updateCountLabel();

    DisplayMode displayMode() const;

    // The filter of the open dialog when adding photos, in the program's "text|patterns" form.
    static QString photoFileFilter();

    // ToolButton1 … ToolButton8: add files, add a folder, remove, up, down, sort, About,
    // program settings.
    QToolButton* toolButton(int number) const;
    QLabel* countLabel() const { return m_countLabel; }
    QLineEdit* albumTitleEdit() const { return m_albumTitle; }
    QLineEdit* albumLocationEdit() const { return m_albumLocation; }
    QPushButton* albumLocationButton() const { return m_albumLocationButton; }
    QFrame* listPanel() const { return m_listPanel; }
    PhotoListBox* listBox() const { return m_listBox; }
    QMenu* popupMenu() const { return m_popupMenu; }
    QLabel* preview() const { return m_preview; }

    static constexpr int toolButtonSize = 26;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(QWidget* page);
    void buildPopupMenu();
    void connectControls();
    void chooseDisplayMode(QAction* chosen, QAction* other);
    QWidget* dialogParent() const;

    Desktop& m_desktop;
    WindowState& m_state;
    OpenDialogMemory& m_openDialog;

    QWidget* m_page = nullptr;
    QLabel* m_countLabel = nullptr;
    QFrame* m_listPanel = nullptr;
    PhotoListBox* m_listBox = nullptr;
    QList<QToolButton*> m_toolButtons;
    QMenu* m_popupMenu = nullptr;
    QAction* m_selectAllAction = nullptr;    // Zaznaczwszystko1
    QAction* m_sortByDateAction = nullptr;   // Sortujwedlugdaty1
    QAction* m_fileNameModeAction = nullptr; // ylkonazwapliku1
    QAction* m_fullPathModeAction = nullptr; // ciekanazwapliku1
    QLabel* m_previewFrame = nullptr;
    QLabel* m_preview = nullptr;
    QLineEdit* m_albumTitle = nullptr;
    QLineEdit* m_albumLocation = nullptr;
    QPushButton* m_albumLocationButton = nullptr;
};

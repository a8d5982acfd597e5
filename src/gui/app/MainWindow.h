#pragma once

#include "core/generator/AlbumRun.h"
#include "core/params/AlbumParameters.h"
#include "gui/app/WindowState.h"
#include "gui/photos/OpenDialogMemory.h"

#include <QWidget>

class Desktop;
class PageControl;
class PhotoListTab;
class MainPageTab;
class AlbumPagesTab;
class BackgroundsTab;
class ModernPagesTab;
class ParameterTab;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
class QCheckBox;

// The main window: the five tab pages, the three parameter-file buttons, "Utwórz album"
// and the progress panel shown while an album is made. Controls carry the object names
// of the window layout (PageControl1, BitBtn10, Panel10 …) so tests and readers find them.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Runs the creation steps: reads the settings file, applies the language, runs the
    // version check (which may ask the program to quit) and finishes the window.
    MainWindow(Desktop& desktop, const QString& programDirectory, const QString& settingsPath,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // True when the version check asked the program to quit; the window is then unfinished
    // and must not be shown.
    bool quitRequested() const { return m_quitRequested; }

    const WindowState& state() const { return m_state; }

    // Rewrites every interface text of the window in the given language (0 English,
    // 1 Polish); any other value changes nothing.
    void applyLanguage(qint8 languageFlag);

    // The album parameters as the controls show them, and setting them all at once (as
    // loading a parameter file does: no question is asked, item 1 of the layout list
    // keeps its caption). Enabled states follow.
    AlbumParameters parameters() const;
    void setParameters(const AlbumParameters& parameters);

    // The photo list's entries in album order.
    QStringList photoEntries() const;
    PhotoListTab* photoTab() const { return m_photoTab; }

    // The parameter-file buttons: save (BitBtn3), load (BitBtn4), reset (BitBtn5).
    void saveParametersToFile();
    void loadParametersFromFile();
    void resetAllParameters();

    // The album project buttons: save (BitBtn11), open (BitBtn12, whose menu lists the recent
    // projects). Opening replaces the photos, the title, the folder and every parameter.
    void saveProject();
    void openProject();
    void openProjectFile(const QString& path);

    // "Utwórz album" (BitBtn10): checks, locks the window, builds the album with the
    // progress panel showing, then offers to erase a stopped album or to open a finished one.
    void createAlbum();
    // "Przerwij" (BitBtn2): the build stops at its next check point.
    void requestAbort();

    // The program settings dialog, as the settings tool button opens it.
    void openProgramSettings();

    // The progress panel takes room only while an album is being made.
    void showProgressPanel();
    void hideProgressPanel();

    static constexpr int clientWidth = 515;
    static constexpr int progressPanelHeight = 49;

private:
    void buildFrame();
    // Places the tab pages, the buttons under them and the progress panel, and sizes the
    // window to them.
    void layoutFrame();
    QList<ParameterTab*> parameterTabs() const;
    void buildPhotoTab();
    void runCreationSteps();
    QWidget* control(const QString& objectName) const;
    int photoCount() const;
    void updatePhotoCountLabel(qint8 languageFlag);
    void buildParameterTabs();
    void applyEnabledStates();
    void connectChoosers();
    void chooseColourFor(class ColourPanel* panel);
    void chooseFontFor(class FontSampleLabel* label);
    void chooseBackgroundFile(int row);
    void layoutModeChosen(int index);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void setLocked(bool locked);
    void finishStoppedAlbum(const RunResult& result);
    void fillRecentProjectsMenu();
    // Whether to update the album in place: the check box, or the answer when the album is
    // there already; nullopt when the user cancels.
    std::optional<bool> chooseUpdate(const RunInput& input);
    QString locationsRemovedText(int count) const;
    void dropEvent(QDropEvent* event) override;

    Desktop& m_desktop;
    WindowState m_state;
    bool m_quitRequested = false;
    // The window as laid out has room for the progress panel; the last step of starting
    // takes it away, and it comes back while an album is being made.
    bool m_progressPanelRoom = true;
    OpenDialogMemory m_openDialog; // shared by photos, backgrounds and parameter files

    PageControl* m_pageControl = nullptr;
    QWidget* m_tabSheet1 = nullptr;
    QWidget* m_tabSheet4 = nullptr;
    QWidget* m_tabSheet3 = nullptr;
    QWidget* m_tabSheet2 = nullptr;
    QWidget* m_tabSheet5 = nullptr;
    QWidget* m_gridPanel = nullptr;
    QPushButton* m_saveParametersButton = nullptr;  // BitBtn3
    QPushButton* m_loadParametersButton = nullptr;  // BitBtn4
    QPushButton* m_resetParametersButton = nullptr; // BitBtn5
    QWidget* m_projectPanel = nullptr;              // GridPanel2
    QPushButton* m_saveProjectButton = nullptr;     // BitBtn11
    QToolButton* m_openProjectButton = nullptr;     // BitBtn12
    QCheckBox* m_updateInPlaceBox = nullptr;        // CheckBoxUpdateInPlace
    QPushButton* m_createAlbumButton = nullptr;     // BitBtn10
    QFrame* m_progressPanel = nullptr;              // Panel10
    QLabel* m_progressCaption = nullptr;            // Label42
    QProgressBar* m_progressBar = nullptr;          // ProgressBar1
    QPushButton* m_abortButton = nullptr;           // BitBtn2
    PhotoListTab* m_photoTab = nullptr;
    MainPageTab* m_mainPageTab = nullptr;
    AlbumPagesTab* m_albumPagesTab = nullptr;
    BackgroundsTab* m_backgroundsTab = nullptr;
    ModernPagesTab* m_modernPagesTab = nullptr;
    QToolButton* m_settingsButton = nullptr; // ToolButton8
};

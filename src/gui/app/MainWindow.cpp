#include "gui/app/MainWindow.h"

#include "core/app/ProgramSettings.h"
#include "core/app/StringTable.h"
#include "core/app/VersionCheck.h"
#include "core/files/FileNames.h"
#include "core/generator/AlbumRun.h"
#include "core/generator/AlbumUpdate.h"
#include "core/params/AlbumProject.h"
#include "core/params/ColourConversion.h"
#include "core/params/EnablingRules.h"
#include "core/params/ParameterFile.h"
#include "core/params/PerPageAnswer.h"
#include "core/photos/PathParts.h"
#include "core/photos/TaggedText.h"
#include "gui/app/AboutWindow.h"
#include "gui/app/Desktop.h"
#include "gui/app/LanguageSwitch.h"
#include "gui/app/PageControl.h"
#include "gui/app/SettingsDialog.h"
#include "gui/app/TabIcons.h"
#include "gui/app/WindowRunObserver.h"
#include "gui/params/AlbumPagesTab.h"
#include "gui/params/BackgroundsTab.h"
#include "gui/params/MainPageTab.h"
#include "gui/params/ModernPagesTab.h"
#include "gui/params/ParameterControls.h"
#include "gui/photos/PhotoListTab.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int tabPageHeight = 350; // every tab page is laid out for 507 × 350 pixels
constexpr int buttonRowHeight = 30;
constexpr int toolButtonSize = 26;

QString allFilesFilter(qint8 languageFlag) {
    return languageFlag ? QStringLiteral("Wszystkie pliki (*.*)|*.*")
                        : QStringLiteral("All files (*.*)|*.*");
}

QString projectFilter(qint8 languageFlag) {
    return languageFlag ? QStringLiteral("Projekty albumów (*.kadrela)|*.kadrela|"
                                         "Wszystkie pliki (*.*)|*.*")
                        : QStringLiteral("Album projects (*.kadrela)|*.kadrela|"
                                         "All files (*.*)|*.*");
}

// The photo files the entries name, in their order.
QStringList pathsOfEntries(const QStringList& entries) {
    QStringList paths;
    for (const QString& entry : entries)
        paths << tagValue(entry, QStringLiteral("<n>"));
    return paths;
}

QString windowCaption() {
    return QStringLiteral("Kadrela v") + QLatin1String(KADRELA_VERSION);
}

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& caption,
                        QStyle::StandardPixmap glyph) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setIcon(parent->style()->standardIcon(glyph));
    return button;
}

} // namespace

MainWindow::MainWindow(Desktop& desktop, const QString& programDirectory,
                       const QString& settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_desktop(desktop) {
    m_state.programDirectory = programDirectory;
    if (!m_state.programDirectory.isEmpty() && !m_state.programDirectory.endsWith(QLatin1Char('/')))
        m_state.programDirectory += QLatin1Char('/');
    m_state.settingsPath = settingsPath;
    buildFrame();
    runCreationSteps();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildFrame() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowCaption());
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    m_pageControl = new PageControl(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->resize(clientWidth, m_pageControl->height());

    struct Sheet {
        QWidget** widget;
        const char* objectName;
        int captionId;
        TabPicture icon;
    };
    const Sheet sheets[] = {
        {&m_tabSheet1, "TabSheet1", textPhotosTab, TabPicture::Photos},
        {&m_tabSheet4, "TabSheet4", textMainPageTab, TabPicture::MainPage},
        {&m_tabSheet3, "TabSheet3", textAlbumPagesTab, TabPicture::AlbumPages},
        {&m_tabSheet2, "TabSheet2", textBackgroundsTab, TabPicture::Backgrounds},
        {&m_tabSheet5, "TabSheet5", textModernPagesTab, TabPicture::ModernPages},
    };
    for (const Sheet& sheet : sheets) {
        *sheet.widget = new QWidget;
        (*sheet.widget)->setObjectName(QLatin1String(sheet.objectName));
        m_pageControl->addPage(*sheet.widget, tabIcon(sheet.icon), textOfId(sheet.captionId));
    }
    buildPhotoTab();
    buildParameterTabs();

    m_gridPanel = new QWidget(this);
    m_gridPanel->setObjectName(QStringLiteral("GridPanel1"));
    m_gridPanel->resize(clientWidth, buttonRowHeight);
    m_saveParametersButton =
        makeButton(m_gridPanel, "BitBtn3", QStringLiteral("Zapisz parametry albumu"),
                   QStyle::SP_DialogSaveButton);
    m_loadParametersButton =
        makeButton(m_gridPanel, "BitBtn4", QStringLiteral("Wczytaj parametry albumu"),
                   QStyle::SP_DialogOpenButton);
    m_resetParametersButton =
        makeButton(m_gridPanel, "BitBtn5", QStringLiteral("Resetuj parametry albumu"),
                   QStyle::SP_BrowserReload);
    // Column shares of the layout: 33.97 %, 33.15 % and the rest.
    const int firstWidth = qRound(clientWidth * 0.3397);
    const int secondWidth = qRound(clientWidth * 0.3315);
    m_saveParametersButton->setGeometry(0, 0, firstWidth, buttonRowHeight);
    m_loadParametersButton->setGeometry(firstWidth, 0, secondWidth, buttonRowHeight);
    m_resetParametersButton->setGeometry(firstWidth + secondWidth, 0,
                                         clientWidth - firstWidth - secondWidth, buttonRowHeight);

    // Album projects, and how an album already there is made again.
    m_projectPanel = new QWidget(this);
    m_projectPanel->setObjectName(QStringLiteral("GridPanel2"));
    m_projectPanel->resize(clientWidth, buttonRowHeight);
    m_saveProjectButton =
        makeButton(m_projectPanel, "BitBtn11", QStringLiteral("Zapisz projekt albumu"),
                   QStyle::SP_DialogSaveButton);
    m_openProjectButton = new QToolButton(m_projectPanel);
    m_openProjectButton->setObjectName(QStringLiteral("BitBtn12"));
    m_openProjectButton->setText(QStringLiteral("Otwórz projekt albumu"));
    m_openProjectButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    m_openProjectButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_openProjectButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_openProjectButton->setMenu(new QMenu(m_openProjectButton));
    m_updateInPlaceBox = new QCheckBox(QStringLiteral("Aktualizuj na miejscu"), m_projectPanel);
    m_updateInPlaceBox->setObjectName(QStringLiteral("CheckBoxUpdateInPlace"));
    m_saveProjectButton->setGeometry(0, 0, firstWidth, buttonRowHeight);
    m_openProjectButton->setGeometry(firstWidth, 0, secondWidth, buttonRowHeight);
    m_updateInPlaceBox->setGeometry(firstWidth + secondWidth + 8, 0,
                                    clientWidth - firstWidth - secondWidth - 8, buttonRowHeight);

    m_createAlbumButton =
        makeButton(this, "BitBtn10", textOfId(textCreateAlbum), QStyle::SP_DialogApplyButton);
    m_createAlbumButton->resize(clientWidth, buttonRowHeight);

    m_progressPanel = new QFrame(this);
    m_progressPanel->setObjectName(QStringLiteral("Panel10"));
    m_progressPanel->resize(clientWidth, progressPanelHeight);
    m_progressPanel->setAutoFillBackground(true);
    QPalette panelPalette = m_progressPanel->palette();
    panelPalette.setColor(QPalette::Window, Qt::white);
    m_progressPanel->setPalette(panelPalette);
    m_progressCaption = new QLabel(QStringLiteral("Generowanie albumu :"), m_progressPanel);
    m_progressCaption->setObjectName(QStringLiteral("Label42"));
    m_progressCaption->setGeometry(8, 4, 400, 14);
    m_progressBar = new QProgressBar(m_progressPanel);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setGeometry(8, 21, 400, 20);
    m_progressBar->setTextVisible(false);
    m_abortButton =
        makeButton(m_progressPanel, "BitBtn2", QStringLiteral("Przerwij"), QStyle::SP_BrowserStop);
    m_abortButton->setGeometry(416, 12, 91, 28);
    m_progressPanel->hide();
    connectChoosers();
    layoutFrame();
}

void MainWindow::layoutFrame() {
    // The tab pages keep their full size however many rows their tabs take.
    int top = m_pageControl->heightForPageHeight(tabPageHeight);
    m_pageControl->setGeometry(0, 0, clientWidth, top);
    m_gridPanel->move(0, top);
    top += buttonRowHeight;
    m_projectPanel->move(0, top);
    top += buttonRowHeight;
    m_createAlbumButton->move(0, top);
    top += buttonRowHeight;
    m_progressPanel->move(0, top);
    setFixedSize(clientWidth, top + (m_progressPanelRoom ? progressPanelHeight : 0));
}

void MainWindow::buildPhotoTab() {
    m_photoTab = new PhotoListTab(m_tabSheet1, m_desktop, m_state, m_openDialog);
    m_settingsButton = m_photoTab->toolButton(8);
    connect(m_settingsButton, &QToolButton::clicked, this, &MainWindow::openProgramSettings);
    connect(m_photoTab->toolButton(7), &QToolButton::clicked, this,
            [this] { showAboutWindow(m_desktop, m_state.languageFlag, this); });
}

void MainWindow::buildParameterTabs() {
    m_mainPageTab = new MainPageTab(m_tabSheet4);
    m_albumPagesTab = new AlbumPagesTab(m_tabSheet3);
    m_backgroundsTab = new BackgroundsTab(m_tabSheet2);
    m_modernPagesTab = new ModernPagesTab(m_tabSheet5);
    for (ParameterTab* tab : parameterTabs())
        connect(tab, &ParameterTab::parametersChanged, this, &MainWindow::applyEnabledStates);
    setParameters(AlbumParameters{});
}

QList<ParameterTab*> MainWindow::parameterTabs() const {
    return {m_mainPageTab, m_albumPagesTab, m_backgroundsTab, m_modernPagesTab};
}

void MainWindow::connectChoosers() {
    for (ParameterTab* tab : parameterTabs()) {
        connect(tab, &ParameterTab::colourPanelClicked, this, &MainWindow::chooseColourFor);
        connect(tab, &ParameterTab::fontSampleClicked, this, &MainWindow::chooseFontFor);
    }
    connect(m_backgroundsTab, &BackgroundsTab::backgroundFileRequested, this,
            &MainWindow::chooseBackgroundFile);
    QComboBox* layoutList = m_mainPageTab->layoutModeList();
    connect(layoutList, &QComboBox::activated, this, &MainWindow::layoutModeChosen);
    layoutList->view()->installEventFilter(this);

    m_saveParametersButton->setShortcut(QKeySequence::Save);
    m_loadParametersButton->setShortcut(QKeySequence::Open);
    connect(m_saveParametersButton, &QPushButton::clicked, this, &MainWindow::saveParametersToFile);
    connect(m_loadParametersButton, &QPushButton::clicked, this,
            &MainWindow::loadParametersFromFile);
    connect(m_resetParametersButton, &QPushButton::clicked, this, &MainWindow::resetAllParameters);
    m_saveProjectButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_openProjectButton->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(m_saveProjectButton, &QPushButton::clicked, this, &MainWindow::saveProject);
    connect(m_openProjectButton, &QToolButton::clicked, this, &MainWindow::openProject);
    connect(m_openProjectButton->menu(), &QMenu::aboutToShow, this,
            &MainWindow::fillRecentProjectsMenu);
    connect(m_createAlbumButton, &QPushButton::clicked, this, &MainWindow::createAlbum);
    connect(m_abortButton, &QPushButton::clicked, this, &MainWindow::requestAbort);
}

void MainWindow::createAlbum() {
    RunInput input =
        runInputFor(photoEntries(), parameters(), m_photoTab->albumTitleEdit()->text(),
                    m_photoTab->albumLocationEdit()->text(), m_state.languageFlag, palette());
    input.workers = 0; // one per core

    if (const std::optional<RunRefusal> refusal = validateRun(input)) {
        m_desktop.showMessage(this,
                              m_state.languageFlag ? QStringLiteral("Infomracja")
                                                   : QStringLiteral("Information"),
                              refusal->message, Desktop::Icon::Information);
        if (refusal->focus != RunRefusal::Focus::None) {
            m_pageControl->setCurrentIndex(0);
            QLineEdit* field = refusal->focus == RunRefusal::Focus::Title
                                   ? m_photoTab->albumTitleEdit()
                                   : m_photoTab->albumLocationEdit();
            field->setFocus();
        }
        return;
    }

    const std::optional<bool> updating = chooseUpdate(input);
    if (!updating)
        return;

    setLocked(true);
    m_state.abortRequested = false;
    m_abortButton->setEnabled(true);
    showProgressPanel();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    WindowRunObserver observer(m_progressCaption, m_progressBar, m_state.abortRequested);
    observer.pump();
    const RunResult result =
        *updating ? runAlbumUpdate(input, observer) : runAlbumBuild(input, observer);

    // Whatever happened, the window is the user's again before any question is asked.
    QGuiApplication::restoreOverrideCursor();
    hideProgressPanel();
    if (input.parameters.layoutMode == layoutFixedCount)
        m_state.perPageCount = result.perPageCount;
    for (const QString& warning : result.warnings)
        m_desktop.showMessage(this, QStringLiteral("BŁĄD!"), warning, Desktop::Icon::Error);

    switch (result.outcome) {
    case RunOutcome::Failed:
        m_desktop.showMessage(this, QStringLiteral("Kadrela"), result.errorMessage,
                              Desktop::Icon::Error);
        // What a failed run left is as unfinished as what a stopped one leaves.
        if (leftUnfinishedAlbum(result))
            finishStoppedAlbum(result);
        break;
    case RunOutcome::Stopped:
        if (*updating)
            m_desktop.showMessage(this, interfaceText(textInformationCaption, m_state.languageFlag),
                                  m_state.languageFlag
                                      ? QStringLiteral("Przerwano aktualizację albumu; album "
                                                       "pozostał taki, jaki był.")
                                      : QStringLiteral("Album update stopped; the album was "
                                                       "left as it was."),
                                  Desktop::Icon::Information);
        else
            finishStoppedAlbum(result);
        break;
    case RunOutcome::Finished:
        if (!result.brokenLinks.isEmpty())
            m_desktop.showMessage(this, QStringLiteral("Kadrela"),
                                  QStringLiteral("The album links to files that are not there:\n") +
                                      result.brokenLinks.mid(0, 20).join(QLatin1Char('\n')),
                                  Desktop::Icon::Error);
        if (m_desktop.askYesNo(this, interfaceText(textInformationCaption, m_state.languageFlag),
                               locationsRemovedText(result.locationsRemoved) +
                                   interfaceText(textAlbumCreatedOpenIt, m_state.languageFlag),
                               Desktop::Icon::Information))
            m_desktop.openExternally(result.mainPagePath);
        break;
    }
    m_state.abortRequested = false;
    setLocked(false);
}

// How many published photos the run left their location out of, as a line of its own.
QString MainWindow::locationsRemovedText(int count) const {
    if (count == 0)
        return {};
    return (m_state.languageFlag ? QStringLiteral("Usunięto położenie (GPS) ze zdjęć: %1.\n")
                                 : QStringLiteral("Location (GPS) left out of %1 photos.\n"))
        .arg(count);
}

std::optional<bool> MainWindow::chooseUpdate(const RunInput& input) {
    if (m_updateInPlaceBox->isChecked())
        return true;
    if (!albumExists(input))
        return false;
    const bool polish = m_state.languageFlag != 0;
    const QString folder = QDir::toNativeSeparators(withTrailingSeparator(input.albumLocation) +
                                                    albumDirectoryName(input.albumTitle));
    const QString text =
        polish ? QStringLiteral("Album %1 już istnieje.\nAktualizacja na miejscu zastąpi go "
                                "nowym dopiero, gdy ten będzie gotowy, i użyje ponownie "
                                "niezmienionych zdjęć. Utworzenie mimo to zapisze nowy album "
                                "na istniejący.")
                     .arg(folder)
               : QStringLiteral("The album %1 exists already.\nUpdating it in place replaces it "
                                "only when the new one is complete, and reuses unchanged "
                                "photos. Making it anyway writes the new album over the one "
                                "there.")
                     .arg(folder);
    const QStringList buttons =
        polish ? QStringList{QStringLiteral("Aktualizuj na miejscu"),
                             QStringLiteral("Utwórz mimo to"), QStringLiteral("Anuluj")}
               : QStringList{QStringLiteral("Update in place"), QStringLiteral("Make it anyway"),
                             QStringLiteral("Cancel")};
    switch (m_desktop.askChoice(this, interfaceText(textInformationCaption, m_state.languageFlag),
                                text, buttons, Desktop::Icon::Question)) {
    case 0:
        return true;
    case 1:
        return false;
    default:
        return std::nullopt;
    }
}

void MainWindow::saveProject() {
    std::optional<QString> path =
        m_desktop.saveFile(this, projectFilter(m_state.languageFlag),
                           rememberedFolder(m_state.settingsPath, RememberedFolder::Parameters));
    if (!path)
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QLatin1String(albumProjectExtension);
    AlbumProject project;
    project.photoPaths = pathsOfEntries(photoEntries());
    project.title = m_photoTab->albumTitleEdit()->text();
    project.location = m_photoTab->albumLocationEdit()->text();
    project.parameters = parameters();
    if (const std::optional<QString> error = saveAlbumProject(*path, project)) {
        m_desktop.showMessage(this, QStringLiteral("Kadrela"), *error, Desktop::Icon::Error);
        return;
    }
    rememberFolder(m_state.settingsPath, RememberedFolder::Parameters, *path);
    rememberProject(m_state.settingsPath, *path);
}

void MainWindow::openProject() {
    const QStringList chosen =
        chooseFilesToOpen(m_desktop, this, m_openDialog, projectFilter(m_state.languageFlag), false,
                          rememberedFolder(m_state.settingsPath, RememberedFolder::Parameters));
    if (!chosen.isEmpty())
        openProjectFile(chosen.constFirst());
}

void MainWindow::openProjectFile(const QString& path) {
    const AlbumProjectLoad load = loadAlbumProject(path, parameters());
    if (!load.loaded) {
        m_desktop.showMessage(this, QStringLiteral("Kadrela"), load.error, Desktop::Icon::Warning);
        return;
    }
    rememberFolder(m_state.settingsPath, RememberedFolder::Parameters, path);
    rememberProject(m_state.settingsPath, path);
    m_photoTab->replacePhotos(load.entries);
    m_photoTab->albumTitleEdit()->setText(load.project.title);
    m_photoTab->albumLocationEdit()->setText(load.project.location);
    m_photoTab->albumLocationEdit()->setToolTip(load.project.location);
    setParameters(load.project.parameters);
    if (!load.missing.isEmpty())
        m_desktop.showMessage(this, QStringLiteral("Kadrela"),
                              missingPhotosMessage(path, load.missing), Desktop::Icon::Warning);
    for (const QString& warning : load.warnings)
        m_desktop.showMessage(this, QStringLiteral("Kadrela"), warning, Desktop::Icon::Warning);
}

void MainWindow::fillRecentProjectsMenu() {
    QMenu* menu = m_openProjectButton->menu();
    menu->clear();
    const QStringList projects = recentProjects(m_state.settingsPath);
    for (const QString& project : projects) {
        QAction* action = menu->addAction(QDir::toNativeSeparators(displayFileName(project)));
        action->setEnabled(pathStatus(project).isFile); // a project since moved or deleted
        connect(action, &QAction::triggered, this, [this, project] { openProjectFile(project); });
    }
    if (projects.isEmpty())
        menu->addAction(m_state.languageFlag ? QStringLiteral("(brak ostatnich projektów)")
                                             : QStringLiteral("(no recent projects)"))
            ->setEnabled(false);
}

void MainWindow::finishStoppedAlbum(const RunResult& result) {
    const bool polish = m_state.languageFlag != 0;
    const QString question =
        polish ? QStringLiteral("Przerwano tworzenie albumu\nCzy chcesz skasować nie do końca "
                                "utworzony album ?")
               : QStringLiteral("Album creating stopped\nDo you want to erase unfinished album "
                                "data?");
    const QString caption = polish ? QStringLiteral("Informacja") : QStringLiteral("Information");
    if (m_desktop.askYesNo(this, caption, question, Desktop::Icon::Information))
        eraseUnfinishedAlbum(result);
}

void MainWindow::requestAbort() {
    m_state.abortRequested = true;
    m_abortButton->setEnabled(false);
}

void MainWindow::setLocked(bool locked) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_pageControl, m_createAlbumButton, m_saveParametersButton, m_loadParametersButton,
             m_resetParametersButton, m_projectPanel})
        control->setEnabled(!locked);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Opening the layout list shows item 1 with its plain caption again.
    QComboBox* layoutList = m_mainPageTab->layoutModeList();
    if (watched == layoutList->view() && event->type() == QEvent::Show)
        layoutList->setItemText(layoutFixedCount,
                                interfaceText(textFixedCountLayout, m_state.languageFlag));
    return QWidget::eventFilter(watched, event);
}

void MainWindow::chooseColourFor(ColourPanel* panel) {
    const std::optional<QColor> chosen =
        m_desktop.chooseColour(this, toQColor(panel->colour(), palette()));
    if (chosen)
        panel->setColour(fromQColor(*chosen));
}

void MainWindow::chooseFontFor(FontSampleLabel* label) {
    if (const std::optional<FontSpec> chosen = m_desktop.chooseFont(this, label->fontSpec()))
        label->setFontSpec(*chosen);
}

void MainWindow::chooseBackgroundFile(int row) {
    BackgroundFileField* field = m_backgroundsTab->backgroundFileField(row);
    if (!field)
        return;
    // The shared dialog keeps the filter it last had: the image filter, or "all files"
    // after a parameter file was loaded.
    m_openDialog.fileName.clear();
    const QStringList chosen = chooseFileWithLastFilter(
        m_desktop, this, m_openDialog, PhotoListTab::photoFileFilter(),
        rememberedFolder(m_state.settingsPath, RememberedFolder::Backgrounds));
    if (chosen.isEmpty())
        return;
    const QString path = chosen.constFirst();
    rememberFolder(m_state.settingsPath, RememberedFolder::Backgrounds, path);
    field->setFile(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1), path);
}

void MainWindow::layoutModeChosen(int index) {
    QComboBox* layoutList = m_mainPageTab->layoutModeList();
    const int photos = photoCount();
    if (photos == 0)
        return;
    if (index == layoutOnePage) {
        m_state.perPageCount = 0;
    } else if (index == layoutFixedCount) {
        const QString answer = m_desktop.inputText(
            this, interfaceText(textQuestionCaption, m_state.languageFlag),
            interfaceText(textPerPagePrompt, m_state.languageFlag), QString::number(photos));
        m_state.perPageCount = perPageCountFromAnswer(answer, photos);
        layoutList->setItemText(layoutFixedCount,
                                QString::number(m_state.perPageCount) +
                                    interfaceText(textPerPageSuffix, m_state.languageFlag));
        layoutList->setCurrentIndex(layoutFixedCount);
    }
}

void MainWindow::saveParametersToFile() {
    const std::optional<QString> path =
        m_desktop.saveFile(this, allFilesFilter(m_state.languageFlag),
                           rememberedFolder(m_state.settingsPath, RememberedFolder::Parameters));
    if (!path)
        return;
    rememberFolder(m_state.settingsPath, RememberedFolder::Parameters, *path);
    if (const std::optional<QString> error = saveParameterFile(*path, parameters()))
        m_desktop.showMessage(this, QStringLiteral("Kadrela"), *error, Desktop::Icon::Error);
}

void MainWindow::loadParametersFromFile() {
    const QStringList chosen = chooseFilesToOpen(
        m_desktop, this, m_openDialog, allFilesFilter(m_state.languageFlag), false,
        rememberedFolder(m_state.settingsPath, RememberedFolder::Parameters));
    if (chosen.isEmpty())
        return;
    rememberFolder(m_state.settingsPath, RememberedFolder::Parameters, chosen.constFirst());
    const ParameterFileLoad load =
        loadParameterFile(chosen.constFirst(), parameters(), photoCount());
    if (load.outcome == ParameterFileLoad::Outcome::NotAParameterFile) {
        m_desktop.showMessage(this, QStringLiteral("Kadrela"),
                              parameterFileRefusal(chosen.constFirst(), load),
                              Desktop::Icon::Warning);
        return;
    }
    m_desktop.showMessage(this, QStringLiteral("Kadrela"), QStringLiteral("OK"),
                          Desktop::Icon::Information);
    setParameters(load.parameters);
    for (const QString& warning : load.warnings)
        m_desktop.showMessage(this, QStringLiteral("Kadrela"), warning, Desktop::Icon::Warning);
    if (load.outcome == ParameterFileLoad::Outcome::StoppedAtBadColour)
        m_desktop.showMessage(this, QStringLiteral("Kadrela"), load.error, Desktop::Icon::Error);
}

void MainWindow::resetAllParameters() {
    setParameters(resetParameters(parameters(), photoCount()));
}

AlbumParameters MainWindow::parameters() const {
    AlbumParameters result;
    m_mainPageTab->readParameters(result);
    m_albumPagesTab->readParameters(result);
    m_backgroundsTab->readParameters(result);
    m_modernPagesTab->readParameters(result);
    result.perPageCount = m_state.perPageCount;
    return result;
}

void MainWindow::setParameters(const AlbumParameters& parameters) {
    m_mainPageTab->showParameters(parameters);
    m_albumPagesTab->showParameters(parameters);
    m_backgroundsTab->showParameters(parameters);
    m_modernPagesTab->showParameters(parameters);
    m_state.perPageCount = parameters.perPageCount;
    applyEnabledStates();
}

void MainWindow::applyEnabledStates() {
    for (const ControlState& state : dependentControlStates(parameters()))
        if (QWidget* widget = control(state.objectName))
            widget->setEnabled(state.enabled);
}

void MainWindow::runCreationSteps() {
    m_state.abortRequested = false;
    const ProgramSettings settings = readProgramSettings(m_state.settingsPath);
    m_state.languageFlag = settings.languageFlag;
    applyLanguage(m_state.languageFlag);

    if (settings.versionCheck) {
        switch (runVersionCheck(m_state.programDirectory, m_state.languageFlag)) {
        case VersionCheckOutcome::LibraryMissing:
            m_desktop.showMessage(this, versionCheckMissingLibraryCaption(),
                                  versionCheckMissingLibraryText(), Desktop::Icon::Warning);
            break;
        case VersionCheckOutcome::Quit:
            m_quitRequested = true;
            return;
        case VersionCheckOutcome::FunctionMissing:
        case VersionCheckOutcome::GoOn:
            break;
        }
    }

    setAcceptDrops(true);
    // The three background buttons share one picture.
    if (auto* pageButton = qobject_cast<QAbstractButton*>(control(QStringLiteral("BitBtn7"))))
        for (const char* name : {"BitBtn8", "BitBtn9"})
            if (auto* button = qobject_cast<QAbstractButton*>(control(QLatin1String(name))))
                button->setIcon(pageButton->icon());
    m_state.perPageCount = 0;
    applyLanguage(m_state.languageFlag);
    m_state.lastPhotoDirectory.clear();
    m_progressPanelRoom = false;
    layoutFrame();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QWidget* MainWindow::control(const QString& objectName) const {
    return windowControl(this, objectName);
}

int MainWindow::photoCount() const {
    return m_photoTab ? m_photoTab->photoCount() : 0;
}

QStringList MainWindow::photoEntries() const {
    return m_photoTab->photoEntries();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!PhotoListTab::localPathsOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (m_photoTab->takeDrop(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::updatePhotoCountLabel(qint8 languageFlag) {
    m_photoTab->countLabel()->setText(interfaceText(textPhotoCount, languageFlag) +
                                      QString::number(photoCount()));
    fitCaption(m_photoTab->countLabel());
}

void MainWindow::applyLanguage(qint8 languageFlag) {
    if (languageFlag != 0 && languageFlag != 1)
        return;
    applyInterfaceLanguage(this, languageFlag);
    updatePhotoCountLabel(languageFlag);
    if (auto* layoutList = qobject_cast<QComboBox*>(control(QStringLiteral("ComboBox2"))))
        layoutList->setItemText(layoutFixedCount,
                                layoutList->currentIndex() == layoutFixedCount
                                    ? QString::number(m_state.perPageCount) +
                                          interfaceText(textPerPageSuffix, languageFlag)
                                    : interfaceText(textFixedCountLayout, languageFlag));
    // Captions of another length may take the tabs onto another number of rows.
    layoutFrame();
}

void MainWindow::openProgramSettings() {
    SettingsDialog dialog(m_desktop, m_state.settingsPath, m_state.languageFlag, this);
    connect(&dialog, &SettingsDialog::languageChosen, this, [this](qint8 languageFlag) {
        m_state.languageFlag = languageFlag;
        applyLanguage(languageFlag);
    });
    dialog.exec();
}

void MainWindow::showProgressPanel() {
    m_progressPanel->show();
    m_progressPanelRoom = true;
    layoutFrame();
}

void MainWindow::hideProgressPanel() {
    m_progressPanel->hide();
    m_progressPanelRoom = false;
    layoutFrame();
}

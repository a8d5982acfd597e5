#include "app/MainWindow.h"

#include "app/Desktop.h"
#include "app/PageControl.h"
#include "app/ProgramSettings.h"
#include "app/SettingsDialog.h"
#include "app/StringTable.h"
#include "app/VersionCheck.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int pageControlHeight = 404;
constexpr int buttonRowHeight = 30;
constexpr int toolButtonSize = 26;

QString windowCaption() {
    return QStringLiteral("Kadrela v") + QLatin1String(KADRELA_VERSION);
}

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
};

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
    setFixedSize(clientWidth, clientHeight);

    m_pageControl = new PageControl(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->setGeometry(0, 0, clientWidth, pageControlHeight);

    struct Sheet {
        QWidget** widget;
        const char* objectName;
        int captionId;
        QStyle::StandardPixmap icon;
    };
    const Sheet sheets[] = {
        {&m_tabSheet1, "TabSheet1", 101, QStyle::SP_DirOpenIcon},
        {&m_tabSheet4, "TabSheet4", 102, QStyle::SP_DesktopIcon},
        {&m_tabSheet3, "TabSheet3", 103, QStyle::SP_FileDialogContentsView},
        {&m_tabSheet2, "TabSheet2", 104, QStyle::SP_DriveHDIcon},
    };
    for (const Sheet& sheet : sheets) {
        *sheet.widget = new QWidget;
        (*sheet.widget)->setObjectName(QLatin1String(sheet.objectName));
        m_pageControl->addPage(*sheet.widget, style()->standardIcon(sheet.icon),
                               textOfId(sheet.captionId));
    }
    buildPhotoTab();

    int top = pageControlHeight;
    m_gridPanel = new QWidget(this);
    m_gridPanel->setObjectName(QStringLiteral("GridPanel1"));
    m_gridPanel->setGeometry(0, top, clientWidth, buttonRowHeight);
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
    top += buttonRowHeight;

    m_createAlbumButton = makeButton(this, "BitBtn10", textOfId(118), QStyle::SP_DialogApplyButton);
    m_createAlbumButton->setGeometry(0, top, clientWidth, buttonRowHeight);
    top += buttonRowHeight;

    m_progressPanel = new QFrame(this);
    m_progressPanel->setObjectName(QStringLiteral("Panel10"));
    m_progressPanel->setGeometry(0, top, clientWidth, progressPanelHeight);
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
}

void MainWindow::buildPhotoTab() {
    // The photo list's panel; its vertical tool bar sits at the right edge.
    auto* listPanel = new QFrame(m_tabSheet1);
    listPanel->setObjectName(QStringLiteral("Panel9"));
    listPanel->setGeometry(3, 24, 238, 219);
    auto* toolBar = new QWidget(listPanel);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setGeometry(238 - toolButtonSize, 0, toolButtonSize, 219);

    m_settingsButton = new QToolButton(toolBar);
    m_settingsButton->setObjectName(QStringLiteral("ToolButton8"));
    m_settingsButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_settingsButton->setAutoRaise(true);
    m_settingsButton->setGeometry(0, 7 * toolButtonSize, toolButtonSize, toolButtonSize);
    connect(m_settingsButton, &QToolButton::clicked, this, &MainWindow::openProgramSettings);
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
    m_state.perPageCount = 0;
    applyLanguage(m_state.languageFlag);
    m_state.lastPhotoDirectory.clear();
    setFixedSize(clientWidth, clientHeight - progressPanelHeight);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::applyLanguage(qint8 languageFlag) {
    if (languageFlag != 0 && languageFlag != 1)
        return;
    const auto text = [languageFlag](int polishId) {
        return interfaceText(polishId, languageFlag);
    };

    m_pageControl->setTabText(0, text(101));
    m_pageControl->setTabText(1, text(102));
    m_pageControl->setTabText(2, text(103));
    m_pageControl->setTabText(3, text(104));
    m_createAlbumButton->setText(text(118));
    m_settingsButton->setToolTip(text(312));

    for (const ButtonCaption& caption : buttonCaptions) {
        if (auto* button = findChild<QPushButton*>(QLatin1String(caption.objectName)))
            button->setText(QString::fromUtf16(languageFlag ? caption.polish : caption.english));
    }
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
    setFixedSize(clientWidth, clientHeight);
    m_progressPanel->move(0, clientHeight - progressPanelHeight);
    m_progressPanel->show();
}

void MainWindow::hideProgressPanel() {
    m_progressPanel->hide();
    setFixedSize(clientWidth, clientHeight - progressPanelHeight);
}

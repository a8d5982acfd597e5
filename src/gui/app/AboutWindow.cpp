#include "gui/app/AboutWindow.h"

#include "gui/app/Desktop.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

const QColor backgroundColour(0x00, 0x97, 0xDF);
constexpr qreal translucency = 190.0 / 255.0;
constexpr int headingWidth = 210;
constexpr int webLinkWidth = 346;

QFont labelFont(int pixelHeight, bool bold) {
    // Verdana where it is installed, otherwise the closest sans serif face.
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* objectName, const QColor& colour,
                  const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAutoFillBackground(false);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// A label that grows with its text from its left edge.
void placeAutoSized(QLabel* label, int left, int top) {
    label->move(left, top);
    label->adjustSize();
}

// A label of a given width with its text centred in it; a text wider than that widens the
// label about its centre rather than being cut.
void placeCentred(QLabel* label, int left, int top, int width) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const QSize hint = label->sizeHint();
    if (hint.width() > width) {
        left -= (hint.width() - width + 1) / 2;
        width = hint.width();
    }
    label->setGeometry(left, top, width, hint.height());
}

void setUnderlined(QLabel* label, bool underlined) {
    QFont font = label->font();
    font.setUnderline(underlined);
    label->setFont(font);
}

} // namespace

AboutWindow::AboutWindow(Desktop& desktop, qint8 languageFlag, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_desktop(desktop)
    , m_languageFlag(languageFlag) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("o programie"));
    setFixedSize(clientWidth, clientHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, backgroundColour);
    setPalette(palette);
    setAutoFillBackground(true);
    setWindowOpacity(translucency);

    buildLayout();
    applyLanguage();
    centreOnParent();
}

AboutWindow::~AboutWindow() = default;

QString AboutWindow::authorName() {
    return QStringLiteral("Zespół Kadreli");
}

QString AboutWindow::authorAddress() {
    return QStringLiteral("kadrela@kadrela.pl");
}

QString AboutWindow::mailLink() {
    return QStringLiteral("mailto:") + authorAddress() + QStringLiteral("?subject=temacik");
}

QString AboutWindow::polishWebPage() {
    return QStringLiteral("https://kadrela.pl/");
}

QString AboutWindow::englishWebPage() {
    return QStringLiteral("https://kadrela.pl/en/");
}

QString AboutWindow::footerText() {
    return QStringLiteral("Kadrela — albumy ze zdjęć, za darmo");
}

void AboutWindow::buildLayout() {
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setGeometry(0, 0, clientWidth, clientHeight);
    // A raised outer and a lowered inner edge, one pixel each, shaded from the panel colour.
    m_panel->setFrameStyle(QFrame::Box | QFrame::Raised);
    m_panel->setLineWidth(1);
    m_panel->setMidLineWidth(0);
    QPalette panelPalette(backgroundColour, backgroundColour);
    m_panel->setPalette(panelPalette);
    m_panel->setAutoFillBackground(true);

    const QFont title = labelFont(19, true);
    const QFont text = labelFont(12, false);
    const QColor white(Qt::white);
    const QColor yellow(Qt::yellow);
    m_nameLabel = makeLabel(m_panel, "Label1", white, title);
    m_authorHeading = makeLabel(m_panel, "Label2", white, text);
    m_authorLabel = makeLabel(m_panel, "Label3", white, text);
    m_mailLink = makeLabel(m_panel, "Label4", yellow, text);
    m_webLink = makeLabel(m_panel, "Label5", yellow, text);
    m_footerLabel = makeLabel(m_panel, "Label6", white, text);
    m_descriptionHeading = makeLabel(m_panel, "Label7", white, text);

    for (QLabel* link : {m_mailLink, m_webLink}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    m_nameLabel->setText(QStringLiteral("Kadrela v") + QLatin1String(KADRELA_VERSION));
    m_authorLabel->setText(authorName());
    m_mailLink->setText(authorAddress());
    m_footerLabel->setText(footerText());
}

void AboutWindow::applyLanguage() {
    if (m_languageFlag == 0) {
        m_authorHeading->setText(QStringLiteral("Author :"));
        m_descriptionHeading->setText(QStringLiteral("Program description :"));
        m_webLink->setText(englishWebPage());
    } else {
        m_authorHeading->setText(QStringLiteral("Autor programu :"));
        m_descriptionHeading->setText(QStringLiteral("Opis programu :"));
        m_webLink->setText(polishWebPage());
    }

    placeAutoSized(m_nameLabel, 83, 16);
    placeCentred(m_authorHeading, 84, 57, headingWidth);
    placeAutoSized(m_authorLabel, 150, 77);
    placeAutoSized(m_mailLink, 100, 97);
    placeCentred(m_descriptionHeading, 84, 132, headingWidth);
    placeCentred(m_webLink, 15, 152, webLinkWidth);
    placeAutoSized(m_footerLabel, 48, 192);
}

void AboutWindow::centreOnParent() {
    QRect area;
    if (QWidget* owner = parentWidget())
        area = owner->window()->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

bool AboutWindow::isLink(const QObject* object) const {
    return object == m_mailLink || object == m_webLink;
}

void AboutWindow::openLink(const QObject* link) {
    if (link == m_mailLink)
        m_desktop.openExternally(mailLink());
    else if (link == m_webLink)
        m_desktop.openExternally(m_languageFlag == 1 ? polishWebPage() : englishWebPage());
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!isLink(watched))
        return QDialog::eventFilter(watched, event);
    auto* link = static_cast<QLabel*>(watched);
    switch (event->type()) {
    case QEvent::Enter:
        setUnderlined(link, true);
        break;
    case QEvent::Leave:
        setUnderlined(link, false);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Kept here so that a press on a link never reaches the window's own handler.
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        // Like a button: releasing outside the link after pressing on it does nothing.
        if (link->rect().contains(mouse->position().toPoint()))
            openLink(link);
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::mouseReleaseEvent(QMouseEvent* event) {
    // Clicks on the panel and on the plain labels arrive here too, passed up by them.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        close();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void showAboutWindow(Desktop& desktop, qint8 languageFlag, QWidget* parent) {
    AboutWindow window(desktop, languageFlag, parent);
    window.exec();
}

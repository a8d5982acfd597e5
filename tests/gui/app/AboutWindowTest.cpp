#include "gui/app/AboutWindow.h"

#include "ScriptedDesktop.h"

#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QtTest>

namespace {

QLabel* labelOf(const QWidget& window, const QString& name) {
    return window.findChild<QLabel*>(name);
}

void sendEnter(QWidget* widget) {
    const QPointF inside(widget->width() / 2.0, widget->height() / 2.0);
    QEnterEvent enter(inside, widget->mapTo(widget->window(), inside), widget->mapToGlobal(inside));
    QCoreApplication::sendEvent(widget, &enter);
}

void sendLeave(QWidget* widget) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

QStringList shellRequests(const ScriptedDesktop& desktop) {
    QStringList texts;
    for (const ScriptedDesktop::Request& request : desktop.requestsOf(QStringLiteral("shell")))
        texts << request.text;
    return texts;
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();
    void webLinkOpensThePageOfTheLanguage_data();
    void webLinkOpensThePageOfTheLanguage();
    void mailLinkOpensAMessageWithTheSubject();
    void pointerOverALinkUnderlinesOnlyThatLink_data();
    void pointerOverALinkUnderlinesOnlyThatLink();
    void clickOutsideTheLinksCloses_data();
    void clickOutsideTheLinksCloses();
    void clicksThatDoNothing_data();
    void clicksThatDoNothing();
    void windowIsABorderlessTranslucentBluePanel();
    void labelsSitWhereTheLayoutPutsThem_data();
    void labelsSitWhereTheLayoutPutsThem();
    void noLabelIsCutInEitherLanguage_data();
    void noLabelIsCutInEitherLanguage();
    void opensCentredOnItsParent();
    void shownModallyAndDestroyedAfterClosing();
};

void AboutWindowTest::textsFollowTheLanguage_data() {
    QTest::addColumn<int>("languageFlag");
    QTest::addColumn<QString>("authorHeading");
    QTest::addColumn<QString>("descriptionHeading");
    QTest::addColumn<QString>("webPage");
    QTest::newRow("English") << 0 << "Author :"
                             << "Program description :" << QStringLiteral("https://kadrela.pl/en/");
    QTest::newRow("Polish") << 1 << "Autor programu :"
                            << "Opis programu :" << QStringLiteral("https://kadrela.pl/");
}

void AboutWindowTest::textsFollowTheLanguage() {
    QFETCH(int, languageFlag);
    QFETCH(QString, authorHeading);
    QFETCH(QString, descriptionHeading);
    QFETCH(QString, webPage);
    ScriptedDesktop desktop;
    AboutWindow window(desktop, qint8(languageFlag), nullptr);

    QCOMPARE(labelOf(window, QStringLiteral("Label1"))->text(), QStringLiteral("Kadrela v1.1.6"));
    QCOMPARE(labelOf(window, QStringLiteral("Label2"))->text(), authorHeading);
    QCOMPARE(labelOf(window, QStringLiteral("Label7"))->text(), descriptionHeading);
    QCOMPARE(labelOf(window, QStringLiteral("Label5"))->text(), webPage);
    // Name, address and footer are the same in both languages.
    QCOMPARE(labelOf(window, QStringLiteral("Label3"))->text(), QStringLiteral("Zespół Kadreli"));
    QCOMPARE(labelOf(window, QStringLiteral("Label4"))->text(),
             QStringLiteral("kadrela@kadrela.pl"));
    QCOMPARE(labelOf(window, QStringLiteral("Label6"))->text(),
             QStringLiteral("Kadrela — albumy ze zdjęć, za darmo"));
    QCOMPARE(window.windowTitle(), QStringLiteral("o programie"));
}

void AboutWindowTest::webLinkOpensThePageOfTheLanguage_data() {
    QTest::addColumn<int>("languageFlag");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English") << 0 << QStringLiteral("https://kadrela.pl/en/");
    QTest::newRow("Polish") << 1 << QStringLiteral("https://kadrela.pl/");
}

void AboutWindowTest::webLinkOpensThePageOfTheLanguage() {
    QFETCH(int, languageFlag);
    QFETCH(QString, expected);
    ScriptedDesktop desktop;
    AboutWindow window(desktop, qint8(languageFlag), nullptr);
    window.show();
    QLabel* link = labelOf(window, QStringLiteral("Label5"));

    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());

    QCOMPARE(shellRequests(desktop), QStringList{expected});
    QVERIFY(window.isVisible());
    // The page opened is the one the link shows.
    QCOMPARE(link->text(), expected);
}

void AboutWindowTest::mailLinkOpensAMessageWithTheSubject() {
    ScriptedDesktop desktop;
    AboutWindow window(desktop, 0, nullptr);
    window.show();
    QLabel* link = labelOf(window, QStringLiteral("Label4"));

    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(1, 1));

    QCOMPARE(shellRequests(desktop),
             QStringList{QStringLiteral("mailto:kadrela@kadrela.pl?subject=temacik")});
    QVERIFY(window.isVisible());
}

void AboutWindowTest::pointerOverALinkUnderlinesOnlyThatLink_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("otherLink");
    QTest::newRow("mail") << "Label4"
                          << "Label5";
    QTest::newRow("web") << "Label5"
                         << "Label4";
}

void AboutWindowTest::pointerOverALinkUnderlinesOnlyThatLink() {
    QFETCH(QString, link);
    QFETCH(QString, otherLink);
    ScriptedDesktop desktop;
    AboutWindow window(desktop, 1, nullptr);
    window.show();
    QLabel* hovered = labelOf(window, link);
    QLabel* other = labelOf(window, otherLink);
    const QFont plain = hovered->font();
    QVERIFY(!plain.underline());

    sendEnter(hovered);
    QVERIFY(hovered->font().underline());
    QVERIFY(!other->font().underline());
    // Only the style changes: face, size and colour stay.
    QCOMPARE(hovered->font().pixelSize(), plain.pixelSize());
    QCOMPARE(hovered->font().family(), plain.family());
    QCOMPARE(hovered->palette().color(QPalette::WindowText), QColor(Qt::yellow));

    sendLeave(hovered);
    QVERIFY(!hovered->font().underline());
    QCOMPARE(hovered->font(), plain);

    QVERIFY(desktop.requests.isEmpty());
    QVERIFY(window.isVisible());
}

void AboutWindowTest::clickOutsideTheLinksCloses_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("position"); // in the target; (-1, -1) for its centre
    QTest::newRow("program name") << "Label1" << QPoint(-1, -1);
    QTest::newRow("author heading") << "Label2" << QPoint(-1, -1);
    QTest::newRow("author heading, blank part") << "Label2" << QPoint(2, 2);
    QTest::newRow("author name") << "Label3" << QPoint(-1, -1);
    QTest::newRow("footer") << "Label6" << QPoint(-1, -1);
    QTest::newRow("description heading") << "Label7" << QPoint(-1, -1);
    QTest::newRow("panel, top left corner") << "Panel1" << QPoint(5, 5);
    QTest::newRow("panel, bevel") << "Panel1" << QPoint(0, 100);
    QTest::newRow("panel, beside the mail link") << "Panel1" << QPoint(20, 100);
    QTest::newRow("panel, bottom right corner") << "Panel1" << QPoint(376, 228);
    QTest::newRow("window") << "Form2" << QPoint(360, 120);
}

void AboutWindowTest::clickOutsideTheLinksCloses() {
    QFETCH(QString, target);
    QFETCH(QPoint, position);
    ScriptedDesktop desktop;
    AboutWindow window(desktop, 1, nullptr);
    window.show();
    QWidget* widget =
        target == QLatin1String("Form2") ? &window : window.findChild<QWidget*>(target);
    QVERIFY(widget);
    if (position == QPoint(-1, -1))
        position = widget->rect().center();
    // The point must not be over a link, or the test proves nothing.
    const QWidget* under = window.childAt(widget->mapTo(&window, position));
    QVERIFY(under != labelOf(window, QStringLiteral("Label4")));
    QVERIFY(under != labelOf(window, QStringLiteral("Label5")));

    QTest::mouseClick(widget, Qt::LeftButton, {}, position);

    QVERIFY(!window.isVisible());
    QVERIFY(desktop.requests.isEmpty());
}

void AboutWindowTest::clicksThatDoNothing_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("releasedOutside");
    QTest::newRow("right click on the mail link") << "Label4" << int(Qt::RightButton) << false;
    QTest::newRow("right click on the panel") << "Panel1" << int(Qt::RightButton) << false;
    QTest::newRow("link pressed, released off it") << "Label5" << int(Qt::LeftButton) << true;
    QTest::newRow("name pressed, released off the window")
        << "Label1" << int(Qt::LeftButton) << true;
}

void AboutWindowTest::clicksThatDoNothing() {
    QFETCH(QString, target);
    QFETCH(int, button);
    QFETCH(bool, releasedOutside);
    ScriptedDesktop desktop;
    AboutWindow window(desktop, 0, nullptr);
    window.show();
    auto* widget = window.findChild<QWidget*>(target);
    QVERIFY(widget);
    const auto mouseButton = Qt::MouseButton(button);
    const QPoint pressedAt = widget->rect().center();
    // Off the widget and off the window alike: left of the window's own left edge.
    const QPoint releasedAt =
        releasedOutside ? QPoint(-widget->mapTo(&window, QPoint(0, 0)).x() - 10, pressedAt.y())
                        : pressedAt;

    QTest::mousePress(widget, mouseButton, {}, pressedAt);
    QTest::mouseRelease(widget, mouseButton, {}, releasedAt);

    QVERIFY(window.isVisible());
    QVERIFY(desktop.requests.isEmpty());
}

void AboutWindowTest::windowIsABorderlessTranslucentBluePanel() {
    ScriptedDesktop desktop;
    AboutWindow window(desktop, 1, nullptr);
    window.show();

    QCOMPARE(window.objectName(), QStringLiteral("Form2"));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.windowType(), Qt::Dialog);
    QCOMPARE(window.size(), QSize(377, 229));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(qRound(window.windowOpacity() * 255), 190);

    const QColor blue(0x00, 0x97, 0xDF);
    QCOMPARE(window.palette().color(QPalette::Window), blue);
    auto* panel = window.findChild<QFrame*>(QStringLiteral("Panel1"));
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(0, 0, 377, 229));
    QCOMPARE(panel->palette().color(QPalette::Window), blue);
    QVERIFY(panel->frameWidth() > 0);

    // What is drawn: the panel's colour inside, a light outer and a dark inner edge.
    const QImage image = window.grab().toImage();
    QCOMPARE(image.pixelColor(188, 45), blue);
    QVERIFY(image.pixelColor(100, 0).lightness() > blue.lightness());
    QVERIFY(image.pixelColor(100, 1).lightness() < blue.lightness());
}

void AboutWindowTest::labelsSitWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("width"); // 0 for a label sized by its text
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("link");
    const QColor white(Qt::white);
    const QColor yellow(Qt::yellow);
    QTest::newRow("Label1") << "Label1" << QPoint(83, 16) << 0 << 19 << true << white << false;
    QTest::newRow("Label2") << "Label2" << QPoint(84, 57) << 210 << 12 << false << white << false;
    QTest::newRow("Label3") << "Label3" << QPoint(150, 77) << 0 << 12 << false << white << false;
    QTest::newRow("Label4") << "Label4" << QPoint(100, 97) << 0 << 12 << false << yellow << true;
    QTest::newRow("Label7") << "Label7" << QPoint(84, 132) << 210 << 12 << false << white << false;
    QTest::newRow("Label5") << "Label5" << QPoint(15, 152) << 346 << 12 << false << yellow << true;
    QTest::newRow("Label6") << "Label6" << QPoint(48, 192) << 0 << 12 << false << white << false;
}

void AboutWindowTest::labelsSitWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QPoint, position);
    QFETCH(int, width);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);
    QFETCH(bool, link);
    ScriptedDesktop desktop;
    AboutWindow window(desktop, 1, nullptr);
    QLabel* label = labelOf(window, name);
    QVERIFY(label);

    QCOMPARE(label->mapTo(&window, QPoint(0, 0)), position);
    if (width > 0) {
        QCOMPARE(label->width(), width);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }
    QCOMPARE(label->font().pixelSize(), pixelSize);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
    QVERIFY(!label->font().underline());
    QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    QVERIFY(!label->autoFillBackground());
    QCOMPARE(label->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void AboutWindowTest::noLabelIsCutInEitherLanguage_data() {
    QTest::addColumn<int>("languageFlag");
    QTest::newRow("English") << 0;
    QTest::newRow("Polish") << 1;
}

void AboutWindowTest::noLabelIsCutInEitherLanguage() {
    QFETCH(int, languageFlag);
    ScriptedDesktop desktop;
    AboutWindow window(desktop, qint8(languageFlag), nullptr);
    window.show();
    auto* panel = window.findChild<QFrame*>(QStringLiteral("Panel1"));
    const QRect inside = panel->contentsRect();

    QList<QRect> taken;
    for (int number = 1; number <= 7; ++number) {
        const QString name = QStringLiteral("Label%1").arg(number);
        QLabel* label = labelOf(window, name);
        QVERIFY2(label, qPrintable(name));
        const QSize needed = label->fontMetrics().size(Qt::TextSingleLine, label->text());
        QVERIFY2(label->width() >= needed.width(), qPrintable(name));
        QVERIFY2(label->height() >= needed.height(), qPrintable(name));
        const QRect area = label->geometry();
        QVERIFY2(inside.contains(area), qPrintable(name));
        // The text itself may not run into another label.
        const QRect text = QStyle::alignedRect(Qt::LeftToRight, label->alignment(), needed, area);
        for (const QRect& other : std::as_const(taken))
            QVERIFY2(!other.intersects(text), qPrintable(name));
        taken << text;
    }
}

void AboutWindowTest::opensCentredOnItsParent() {
    QWidget parent;
    parent.setGeometry(200, 150, 517, 524);
    parent.show();
    ScriptedDesktop desktop;
    AboutWindow window(desktop, 1, &parent);

    const QPoint offset = window.frameGeometry().center() - parent.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 1,
             qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
}

void AboutWindowTest::shownModallyAndDestroyedAfterClosing() {
    QWidget parent;
    parent.resize(400, 300);
    parent.show();
    ScriptedDesktop desktop;
    QPointer<QDialog> seen;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(seen);
        wasModal = seen->isModal();
        QLabel* link = seen->findChild<QLabel*>(QStringLiteral("Label4"));
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        QVERIFY(seen->isVisible());
        QLabel* name = seen->findChild<QLabel*>(QStringLiteral("Label1"));
        QTest::mouseClick(name, Qt::LeftButton, {}, name->rect().center());
    });

    showAboutWindow(desktop, 0, &parent);

    QVERIFY(wasModal);
    QVERIFY(seen.isNull());
    QVERIFY(parent.findChildren<AboutWindow*>().isEmpty());
    QCOMPARE(shellRequests(desktop), QStringList{"mailto:kadrela@kadrela.pl?subject=temacik"});
}

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"

// The application object gives every window the program icon, and names the launcher
// that the package installs, so that title bar and task bar show the same picture as
// the menu entry.

#include "gui/app/KadrelaApplication.h"

#include <QFile>
#include <QIcon>
#include <QtTest>

class ProgramIconTest : public QObject {
    Q_OBJECT
private slots:
    void windowIconHasAPictureForEveryThemeSize();
    void highDensityScreenGetsThePictureDrawnForItsSize();
    void desktopFileNameIsTheInstalledLauncher();
    void captionsGetNoNameAppended();
};

void ProgramIconTest::windowIconHasAPictureForEveryThemeSize() {
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        // A file that is listed but missing from the resources would give a null pixmap.
        const QImage picture = icon.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(picture.size(), QSize(size, size));
        QVERIFY(picture.pixelColor(size / 2, size / 2).alpha() > 0);
    }
}

void ProgramIconTest::highDensityScreenGetsThePictureDrawnForItsSize() {
    // A 32-pixel title bar icon at scale 2 uses the 64-pixel drawing, not an enlargement.
    const QIcon icon = QApplication::windowIcon();
    const QPixmap pixmap = icon.pixmap(QSize(32, 32), 2.0);
    QCOMPARE(pixmap.size(), QSize(64, 64));
    QImage shown = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    shown.setDevicePixelRatio(1.0);
    const QImage drawn = QImage(QStringLiteral(":/icons/kadrela-64.png"))
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!drawn.isNull());
    QCOMPARE(shown, drawn);
}

void ProgramIconTest::desktopFileNameIsTheInstalledLauncher() {
    const QString launcher =
        QStringLiteral(KADRELA_PACKAGING_DIR "/%1.desktop").arg(QGuiApplication::desktopFileName());
    QVERIFY2(QFile::exists(launcher), qPrintable(launcher));
}

void ProgramIconTest::captionsGetNoNameAppended() {
    // A display name set by the program is what X11 window captions get appended.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
}

int main(int argc, char** argv) {
    KadrelaApplication application(argc, argv);
    ProgramIconTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ProgramIconTest.moc"

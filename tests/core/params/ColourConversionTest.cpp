#include "core/params/ColourConversion.h"

#include <QtTest>

Q_DECLARE_METATYPE(FontSpec)

namespace {

// A palette in which every group and role has a colour of its own, so that a wrong role
// or group cannot pass by accident.
QPalette distinctPalette() {
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            palette.setColor(QPalette::ColorGroup(group), QPalette::ColorRole(role),
                             QColor(40 + group * 60, 5 + role * 11, 200 - role * 5));
        }
    }
    return palette;
}

} // namespace

class ColourConversionTest : public QObject {
    Q_OBJECT
private slots:
    void plainColours_data();
    void plainColours();
    void systemColours_data();
    void systemColours();
    void specialValues();
    void fromQColorPacksRedInTheLowByte_data();
    void fromQColorPacksRedInTheLowByte();
    void fontsRoundTrip_data();
    void fontsRoundTrip();
    void fontSizesOutsideWholePoints_data();
    void fontSizesOutsideWholePoints();
};

void ColourConversionTest::plainColours_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("black") << 0x000000u << QColor(0, 0, 0);
    QTest::newRow("white") << 0xFFFFFFu << QColor(255, 255, 255);
    QTest::newRow("red is the low byte") << 0x0000FFu << QColor(255, 0, 0);
    QTest::newRow("green") << 0x00FF00u << QColor(0, 255, 0);
    QTest::newRow("blue is the third byte") << 0xFF0000u << QColor(0, 0, 255);
    QTest::newRow("cream-like") << 0xFFEAD7u << QColor(0xD7, 0xEA, 0xFF);
    QTest::newRow("other high byte ignored") << 0x02123456u << QColor(0x56, 0x34, 0x12);
}

void ColourConversionTest::plainColours() {
    QFETCH(quint32, value);
    QFETCH(QColor, colour);
    QCOMPARE(toQColor(value, distinctPalette()), colour);
    if (value <= 0xFFFFFFu)
        QCOMPARE(fromQColor(colour), value);
}

void ColourConversionTest::systemColours_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");
    QTest::newRow("button face") << 0xFF00000Fu << int(QPalette::Active) << int(QPalette::Button);
    QTest::newRow("window is the edit background")
        << 0xFF000005u << int(QPalette::Active) << int(QPalette::Base);
    QTest::newRow("window text") << 0xFF000008u << int(QPalette::Active) << int(QPalette::Text);
    QTest::newRow("highlight") << 0xFF00000Du << int(QPalette::Active) << int(QPalette::Highlight);
    QTest::newRow("highlight text")
        << 0xFF00000Eu << int(QPalette::Active) << int(QPalette::HighlightedText);
    QTest::newRow("inactive caption")
        << 0xFF000003u << int(QPalette::Inactive) << int(QPalette::Highlight);
    QTest::newRow("grey text") << 0xFF000011u << int(QPalette::Disabled) << int(QPalette::Text);
    QTest::newRow("button shadow") << 0xFF000010u << int(QPalette::Active) << int(QPalette::Dark);
    QTest::newRow("button highlight")
        << 0xFF000014u << int(QPalette::Active) << int(QPalette::Light);
    QTest::newRow("3D dark shadow")
        << 0xFF000015u << int(QPalette::Active) << int(QPalette::Shadow);
    QTest::newRow("info background")
        << 0xFF000018u << int(QPalette::Active) << int(QPalette::ToolTipBase);
    QTest::newRow("info text") << 0xFF000017u << int(QPalette::Active)
                               << int(QPalette::ToolTipText);
    QTest::newRow("hot light") << 0xFF00001Au << int(QPalette::Active) << int(QPalette::Link);
    QTest::newRow("menu bar") << 0xFF00001Eu << int(QPalette::Active) << int(QPalette::Window);
    QTest::newRow("only the low byte numbers it")
        << 0x8000010Fu << int(QPalette::Active) << int(QPalette::Button);
}

void ColourConversionTest::systemColours() {
    QFETCH(quint32, value);
    QFETCH(int, group);
    QFETCH(int, role);
    const QPalette palette = distinctPalette();
    QCOMPARE(toQColor(value, palette),
             palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role)));
}

void ColourConversionTest::specialValues() {
    const QPalette palette = distinctPalette();
    QCOMPARE(toQColor(defaultColourValue, palette), palette.color(QPalette::Window));
    QCOMPARE(toQColor(noColourValue, palette).alpha(), 0);
    QCOMPARE(fromQColor(toQColor(noColourValue, palette)), noColourValue);
    QCOMPARE(fromQColor(QColor()), noColourValue);
    // Numbers the desktop never had: 25 lies between info background and hot light.
    QCOMPARE(toQColor(0xFF000019u, palette), QColor(Qt::black));
    QCOMPARE(toQColor(0xFF00001Fu, palette), QColor(Qt::black));
    QCOMPARE(toQColor(0xFF0000FFu, palette), QColor(Qt::black));
    // Without a palette the application's is used.
    QCOMPARE(toQColor(0xFF00000Fu), QGuiApplication::palette().color(QPalette::Button));
}

void ColourConversionTest::fromQColorPacksRedInTheLowByte_data() {
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<quint32>("value");
    QTest::newRow("half transparent keeps its colour") << QColor(1, 2, 3, 128) << 0x030201u;
    QTest::newRow("from HSV") << QColor::fromHsv(0, 255, 255) << 0x0000FFu;
    QTest::newRow("named") << QColor(Qt::yellow) << 0x00FFFFu;
}

void ColourConversionTest::fromQColorPacksRedInTheLowByte() {
    QFETCH(QColor, colour);
    QFETCH(quint32, value);
    QCOMPARE(fromQColor(colour), value);
}

void ColourConversionTest::fontsRoundTrip_data() {
    QTest::addColumn<FontSpec>("fontSpec");
    QTest::newRow("large sample") << largeSampleFont(20, true);
    QTest::newRow("small sample") << FontSpec{};
    FontSpec decorated;
    decorated.face = QStringLiteral("Times New Roman");
    decorated.pointSize = 13;
    decorated.colour = 0x123456;
    decorated.italic = true;
    decorated.underline = true;
    decorated.strikeOut = true;
    decorated.charset = 204;
    QTest::newRow("every style") << decorated;
}

void ColourConversionTest::fontsRoundTrip() {
    QFETCH(FontSpec, fontSpec);
    const QFont font = toQFont(fontSpec);
    QCOMPARE(font.family(), fontSpec.face);
    QCOMPARE(font.pointSize(), fontSpec.pointSize);
    QCOMPARE(font.bold(), fontSpec.bold);
    QCOMPARE(font.italic(), fontSpec.italic);
    QCOMPARE(font.underline(), fontSpec.underline);
    QCOMPARE(font.strikeOut(), fontSpec.strikeOut);
    QCOMPARE(fromQFont(font, fontSpec.colour, fontSpec.charset), fontSpec);
}

void ColourConversionTest::fontSizesOutsideWholePoints_data() {
    QTest::addColumn<QFont>("font");
    QTest::addColumn<int>("pointSize");
    QFont pixels(QStringLiteral("Arial"));
    pixels.setPixelSize(27);
    QTest::newRow("27 px is 20 pt") << pixels << 20;
    QFont window(QStringLiteral("Tahoma"));
    window.setPixelSize(11);
    QTest::newRow("11 px is 8 pt") << window << 8;
    QFont fractional(QStringLiteral("Arial"));
    fractional.setPointSizeF(10.6);
    QTest::newRow("10.6 pt rounds") << fractional << 11;
}

void ColourConversionTest::fontSizesOutsideWholePoints() {
    QFETCH(QFont, font);
    QFETCH(int, pointSize);
    QCOMPARE(fromQFont(font, colourBlack, defaultCharset).pointSize, pointSize);

    // Sizes a parameter file may hold that are no point sizes: no warning, a usable font.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    FontSpec zero;
    zero.pointSize = 0;
    QVERIFY(toQFont(zero).pointSize() > 0);
    FontSpec negative;
    negative.pointSize = -16;
    QCOMPARE(toQFont(negative).pixelSize(), 16);
}

QTEST_MAIN(ColourConversionTest)
#include "ColourConversionTest.moc"

#include "core/generator/StyleSheet.h"
#include "core/generator/GenerationError.h"

#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(AlbumParameters)

namespace {

// Every optional switch off, so each case adds just what it is about.
AlbumParameters quietParameters() {
    AlbumParameters p;
    p.brightenThumbnails = false;
    p.photoInformation = false;
    p.photoPages = 0;
    return p;
}

QByteArray fileOf(const QByteArrayList& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

const QByteArray body = "body { text-align: center; }";
const QByteArray fixedRules[] = {
    "td,h1,h2 { text-align: center; }",
    "a { text-decoration : none; }",
    "a:hover { text-decoration: underline; }",
};
const QByteArray arial20Bold =
    " font-family: Arial; color : #000000; font-size: 20px; font-weight: bold; ";
const QByteArray id0 = ".id0 {" + arial20Bold + "}";
const QByteArray pd0 = ".pd0 {" + arial20Bold + "}";
const QByteArray td01 = ".td01 {" + arial20Bold + "}";
const QByteArray td02 = ".td02 { font-family: Arial; color : #000000; font-size: 12px; }";

// The file of quietParameters() with lines put in: the page rule, lines after .id0, lines
// after .pd0 (or instead of it), the two table rules, and lines at the end.
struct Sheet {
    QByteArray bodyRule = body;
    QByteArrayList afterId0;
    QByteArrayList photoPageRules = {pd0};
    QByteArray td1 = ".td1 { }";
    QByteArray td2 = ".td2 { }";
    QByteArrayList tail;

    QByteArray bytes() const {
        QByteArrayList lines{bodyRule, fixedRules[0], fixedRules[1], fixedRules[2], id0};
        lines << afterId0 << photoPageRules << td01 << td02 << td1 << td2 << tail;
        return fileOf(lines);
    }
};

struct Background {
    QString sourceName; // created in the source directory when not empty
    bool sourceExists = true;
    QStringList alreadyInAlbum = {};
    bool isPicture = true; // a PNG whatever the name says; otherwise a line of text
};

} // namespace

Q_DECLARE_METATYPE(Background)

class StyleSheetTest : public QObject {
    Q_OBJECT
private slots:
    void wholeFile_data();
    void wholeFile();
    void interactiveDescriptions_data();
    void interactiveDescriptions();
    void backgroundCopies_data();
    void backgroundCopies();
    void cssColourResolvesSystemColours_data();
    void cssColourResolvesSystemColours();
    void borderStyleWords_data();
    void borderStyleWords();
};

void StyleSheetTest::wholeFile_data() {
    QTest::addColumn<AlbumParameters>("parameters");
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArray>("expected");

    const AlbumParameters quiet = quietParameters();
    QTest::newRow("ten lines when every option is off") << quiet << 1 << Sheet().bytes();
    QCOMPARE(Sheet().bytes().count("\r\n"), 10);

    {
        AlbumParameters p = quiet;
        p.albumTitleFont = FontSpec{"Arial", 18, colourBlack, true, false};
        Sheet s;
        s.afterId0 = {};
        QByteArray bytes = s.bytes();
        bytes.replace(id0, ".id0 { font-family: Arial; color : #000000; font-size: 18px; "
                           "font-weight: bold; }");
        QTest::newRow("title font worked line") << p << 1 << bytes;
    }
    {
        AlbumParameters p = quiet;
        p.mainTableFrame = FrameParameters{true, 1, colourBlack, 0};
        Sheet s;
        s.afterId0 = {".id1 {  border : 1px solid #000000 }"};
        QTest::newRow("main table frame worked line") << p << 1 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.mainTableFrame = FrameParameters{true, 2, colourBlack, 1};
        p.mainCellFrame = FrameParameters{true, 1, colourBlack, -1};
        Sheet s;
        s.afterId0 = {".id1 {  border : 2px double #000000 }", ".id2 {  border : 1px #000000 }"};
        QTest::newRow("double frame, and a frame without a style word") << p << 1 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.mainCellFrame = FrameParameters{true, 100, 0x0080FF, 7};
        Sheet s;
        s.afterId0 = {".id2 {  border : 100px outset #ff8000 }"};
        QTest::newRow("cell frame alone, orange") << p << 1 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.photoDescription = true;
        p.pageFileName = InfoItem{true, FontSpec{"Verdana", 10, 0x0000FF, false, false}};
        p.pageDimensions = InfoItem{true, FontSpec{"Tahoma", 9, colourBlack, true, true}};
        p.pageSize = InfoItem{true, FontSpec{"Tahoma", 8, colourWhite, false, true}};
        p.photoFrame = FrameParameters{true, 3, colourBlack, 4};
        Sheet s;
        s.photoPageRules = {
            pd0,
            ".pd1 { font-family: Verdana; color : #ff0000; font-size: 10px; }",
            ".pd2 { font-family: Tahoma; color : #000000; font-size: 9px; font-weight: bold; "
            "font-style: italic; }",
            ".pd3 { font-family: Tahoma; color : #ffffff; font-size: 8px; font-style: italic; }",
            ".pd4 { border : 3px groove #000000 }",
        };
        QTest::newRow("photo page rules") << p << 1 << s.bytes();

        p.photoDescription = false;
        s.photoPageRules = {pd0, ".pd4 { border : 3px groove #000000 }"};
        QTest::newRow("description fonts only with descriptions on") << p << 1 << s.bytes();

        p.photoDescription = true;
        p.photoPages = 1;
        s.photoPageRules = {};
        QTest::newRow("no pd rules without photo pages") << p << 1 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.thumbnailTableFrame = FrameParameters{true, 1, colourBlack, 3};
        p.thumbnailCellFrame = FrameParameters{true, 2, 0x00FF00, 2};
        p.tableBackground.enabled = true;
        p.tableBackground.colour = 0xC0C0C0;
        Sheet s;
        s.td1 = ".td1 { background-color: #c0c0c0;  border : 1px dashed #000000 }";
        s.td2 = ".td2 {  border : 2px dotted #00ff00 }";
        QTest::newRow("table rules: two blanks before a frame") << p << 1 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.pageBackground.enabled = true;
        p.pageBackground.colour = 0x123456;
        p.pageBackground.fromFile = true; // ticked, but no file chosen
        Sheet s;
        s.bodyRule = "body { text-align: center; background-color: #563412; }";
        QTest::newRow("picture ticked without a file gives the colour") << p << 1 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.photoInformation = true;
        p.photoInformationType = 1;
        p.tableFileName = InfoItem{true, FontSpec{"Arial", 8, colourBlack, false, false}};
        p.tableDimensions = InfoItem{false, FontSpec{}};
        p.tableSize = InfoItem{true, FontSpec{"Courier New", 7, colourBlack, false, false}};
        Sheet s;
        s.tail = {".td3 { font-family: Arial; color : #000000; font-size: 8px; }",
                  ".td5 { font-family: Courier New; color : #000000; font-size: 7px; }"};
        QTest::newRow("descriptions in the table") << p << 1 << s.bytes();

        p.photoInformation = false;
        s.tail = {};
        QTest::newRow("table descriptions need the information switch") << p << 1 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.pageTitleFont = FontSpec{"Times New Roman", 14, colourBlack, false, true};
        Sheet s;
        QByteArray bytes = s.bytes();
        bytes.replace(td01, ".td01 { font-family: Times New Roman; color : #000000; font-size: "
                            "14px; font-style: italic; }");
        QTest::newRow("face with blanks, italic only") << p << 1 << bytes;
    }
    {
        AlbumParameters p = quiet;
        p.brightenThumbnails = true;
        Sheet s;
        s.tail = {".hili img{ filter:progid:DXImageTransform.Microsoft.Alpha(opacity=50); "
                  "-moz-opacity: 0.5; opacity: 0.5; }",
                  ".hili:hover img{ filter:progid:DXImageTransform.Microsoft.Alpha(opacity=100); "
                  "-moz-opacity: 1; opacity: 1; }"};
        QTest::newRow("dimmed thumbnails") << p << 0 << s.bytes();
    }
    {
        AlbumParameters p = quiet;
        p.pageDescriptionFont = FontSpec{"Łódź Sans", 12, colourBlack, false, false};
        Sheet s;
        QByteArray bytes = s.bytes();
        bytes.replace(td02, ".td02 { font-family: \\141 \\f3 d\\17a  Sans; color : #000000; "
                            "font-size: 12px; }");
        QTest::newRow("face with Polish letters, English interface") << p << 0 << bytes;

        bytes = s.bytes();
        bytes.replace(td02, ".td02 { font-family: \xa3\xf3\x64\x9f Sans; color : #000000; "
                            "font-size: 12px; }");
        QTest::newRow("face with Polish letters, Polish interface") << p << 1 << bytes;

        p.pageDescriptionFont.face = "Noto Sans 日本";
        bytes = s.bytes();
        bytes.replace(td02, ".td02 { font-family: Noto Sans \\65e5 \\672c ; color : #000000; "
                            "font-size: 12px; }");
        QTest::newRow("face outside the code page, Polish interface") << p << 1 << bytes;
    }
}

void StyleSheetTest::wholeFile() {
    QFETCH(AlbumParameters, parameters);
    QFETCH(int, language);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    AlbumContext context;
    context.parameters = parameters;
    context.languageFlag = static_cast<qint8>(language);
    context.albumDirectory = dir.path() + "/";
    writeStyleSheet(context);
    const QByteArray written = testfiles::readBytes(dir.filePath("style.css"));
    QCOMPARE(written, expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"style.css"});
}

void StyleSheetTest::interactiveDescriptions_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("boxWidth");
    QTest::addColumn<int>("boxHeight");
    QTest::addColumn<QByteArray>("heading");
    QTest::addColumn<QByteArray>("footer");
    QTest::addColumn<QByteArray>("box");
    QTest::newRow("Polish, 120 x 90") << 1 << 120 << 90
                                      << QByteArray("Informacje o zdj\xea"
                                                    "ciu")
                                      << QByteArray("(kliknij \xbf"
                                                    "eby zobaczy\xe6 zdj\xea"
                                                    "cie)")
                                      << QByteArray("width: 140px; height: 110px;");
    QTest::newRow("English, default box")
        << 0 << 100 << 100 << QByteArray("Picture information")
        << QByteArray("(click to see picture)") << QByteArray("width: 120px; height: 120px;");
}

void StyleSheetTest::interactiveDescriptions() {
    QFETCH(int, language);
    QFETCH(int, boxWidth);
    QFETCH(int, boxHeight);
    QFETCH(QByteArray, heading);
    QFETCH(QByteArray, footer);
    QFETCH(QByteArray, box);
    QTemporaryDir dir;
    AlbumContext context;
    context.parameters = quietParameters();
    context.parameters.photoInformation = true;
    context.parameters.photoInformationType = 0;
    context.parameters.tableFileName.shown = true; // plays no part in this form
    context.parameters.thumbnailWidth = boxWidth;
    context.parameters.thumbnailHeight = boxHeight;
    context.languageFlag = static_cast<qint8>(language);
    context.albumDirectory = dir.path() + "/";
    writeStyleSheet(context);

    Sheet s;
    s.tail = {
        "ul#gallery, #gallery ul{ list-style-type: none; margin: 0; padding: 0; }",
        "ul#gallery>li{ float: left; padding: 10px; margin: 10px; width: auto; height: auto; "
        "border: 1px solid transparent; }",
        "ul#gallery>li ul{ padding: .8em; border: 1px solid #000; background-color: #fff; "
        "color: #000; font-size: 90%; max-width: 40%; display: none; position: absolute; }",
        "ul#gallery>li:hover{ color: #369; background-color: transparent; border-color: #369; }",
        "ul#gallery>li:hover ul{ display: block; list-style-type: none; }",
        "ul#gallery ul:before{ content: \"" + heading +
            "\"; font-size: 130%; font-weight: bold; border-bottom: 1px solid #999; display: "
            "block; }",
        "ul#gallery ul:after{ content: \"" + footer +
            "\"; font-size: 90%; text-align: right; border-top: 1px solid #999; display: block; "
            "margin-top: 1em; }",
        "ul#gallery img{ display: block; }",
        "img,a img{ border: 0; }",
        "ul#gallery:after{ content: \".\"; display: block; height: 0; overflow: hidden; clear: "
        "both; visibility:hidden; }",
        "ul#gallery>li{ float: left; padding: 10px; margin: 10px; " + box +
            " border: 1px solid transparent; }",
        "ul#gallery img{ display: block; margin: auto; }",
    };
    QCOMPARE(testfiles::readBytes(dir.filePath("style.css")), s.bytes());
}

void StyleSheetTest::backgroundCopies_data() {
    QTest::addColumn<int>("which"); // 0 page, 1 table, 2 cell
    QTest::addColumn<Background>("background");
    QTest::addColumn<int>("placement");
    QTest::addColumn<QString>("copyName"); // empty: nothing is copied
    QTest::addColumn<QByteArray>("rule");

    QTest::newRow("page, centred")
        << 0 << Background{"sky.jpg"} << 1 << "pbck.jpg"
        << QByteArray("body { text-align: center; background-color: #ffffff; "
                      "background-image: url(pbck.jpg); background-position : center center; "
                      "background-repeat : no-repeat; }");
    QTest::newRow("second run into the same album")
        << 0 << Background{"sky.jpg", true, {"pbck.jpg"}} << 0 << "pbck_.jpg"
        << QByteArray("body { text-align: center; background-color: #ffffff; "
                      "background-image: url(pbck_.jpg); }");
    QTest::newRow("third run") << 0 << Background{"sky.jpg", true, {"pbck.jpg", "pbck_.jpg"}} << 0
                               << "pbck__.jpg"
                               << QByteArray("body { text-align: center; background-color: "
                                             "#ffffff; background-image: url(pbck__.jpg); }");
    QTest::newRow("extension keeps its case")
        << 0 << Background{"b.GIF"} << 0 << "pbck.GIF"
        << QByteArray("body { text-align: center; background-color: #ffffff; "
                      "background-image: url(pbck.GIF); }");
    QTest::newRow("only the last extension")
        << 0 << Background{"a.tar.Png"} << 0 << "pbck.Png"
        << QByteArray("body { text-align: center; background-color: #ffffff; "
                      "background-image: url(pbck.Png); }");
    // No style sheet naming a picture that is not there, and nothing left of the attempt.
    QTest::newRow("a background that is gone fails the run")
        << 0 << Background{"gone.jpg", false} << 0 << "" << QByteArray();
    QTest::newRow("a background that is no picture fails the run")
        << 0 << Background{"passwd.jpg", true, {}, false} << 0 << "" << QByteArray();
    QTest::newRow("table, tiled")
        << 1 << Background{"wood.png"} << 0 << "tbck.png"
        << QByteArray(".td1 { background-color: #ffffff; background-image: url(tbck.png); }");
    QTest::newRow("cell, centred")
        << 2 << Background{"paper.bmp"} << 1 << "tdbck.bmp"
        << QByteArray(".td2 { background-color: #ffffff; background-image: url(tdbck.bmp); "
                      "background-position : center center; background-repeat : no-repeat; }");
}

void StyleSheetTest::backgroundCopies() {
    QFETCH(int, which);
    QFETCH(Background, background);
    QFETCH(int, placement);
    QFETCH(QString, copyName);
    QFETCH(QByteArray, rule);

    QTemporaryDir sources;
    QTemporaryDir album;
    QByteArray picture = "root:x:0:0:root:/root:/bin/bash\n";
    if (background.isPicture) {
        QBuffer png(&picture);
        png.open(QIODevice::WriteOnly);
        QImage(2, 2, QImage::Format_RGB32).save(&png, "PNG");
    }
    if (background.sourceExists)
        testfiles::writeBytes(sources.filePath(background.sourceName), picture);
    for (const QString& name : background.alreadyInAlbum)
        testfiles::writeBytes(album.filePath(name), "earlier run");

    AlbumContext context;
    context.parameters = quietParameters();
    BackgroundParameters* chosen[] = {&context.parameters.pageBackground,
                                      &context.parameters.tableBackground,
                                      &context.parameters.cellBackground};
    BackgroundParameters& b = *chosen[which];
    b.enabled = true;
    b.fromFile = true;
    b.fileName = background.sourceName;
    b.filePath = sources.filePath(background.sourceName);
    b.placement = placement;
    context.albumDirectory = album.path() + "/";
    if (rule.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(GenerationError, writeStyleSheet(context));
        QCOMPARE(QDir(album.path()).entryList(QDir::Files | QDir::Hidden),
                 background.alreadyInAlbum);
        return;
    }
    writeStyleSheet(context);

    const QByteArray sheet = testfiles::readBytes(album.filePath("style.css"));
    QVERIFY2(sheet.contains("\r\n" + rule + "\r\n") || sheet.startsWith(rule + "\r\n"),
             sheet.constData());
    QStringList expectedFiles = background.alreadyInAlbum;
    expectedFiles << "style.css";
    if (!copyName.isEmpty()) {
        QCOMPARE(testfiles::readBytes(album.filePath(copyName)), picture);
        expectedFiles << copyName;
    }
    for (const QString& name : background.alreadyInAlbum)
        QCOMPARE(testfiles::readBytes(album.filePath(name)), QByteArray("earlier run"));
    expectedFiles.sort();
    QCOMPARE(QDir(album.path()).entryList(QDir::Files, QDir::Name), expectedFiles);
}

void StyleSheetTest::cssColourResolvesSystemColours_data() {
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("expected");
    QTest::newRow("orange") << 0x0080FFu << "#ff8000";
    QTest::newRow("low byte is red") << 0x000001u << "#010000";
    QTest::newRow("white") << 0xFFFFFFu << "#ffffff";
    QTest::newRow("button face") << 0xFF00000Fu << "#ece9d8";
    QTest::newRow("window text") << 0xFF000008u << "#0a0b0c";
}

void StyleSheetTest::cssColourResolvesSystemColours() {
    QFETCH(uint, colour);
    QFETCH(QString, expected);
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(0xec, 0xe9, 0xd8));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(0x0a, 0x0b, 0x0c));
    QCOMPARE(cssColour(colour, palette), expected);

    // The page rule reads the colour through the palette the album build was given.
    QTemporaryDir dir;
    AlbumContext context;
    context.parameters = quietParameters();
    context.parameters.pageBackground.enabled = true;
    context.parameters.pageBackground.colour = colour;
    context.palette = palette;
    context.albumDirectory = dir.path() + "/";
    writeStyleSheet(context);
    QVERIFY(testfiles::readBytes(dir.filePath("style.css"))
                .startsWith("body { text-align: center; background-color: " + expected.toLatin1() +
                            "; }\r\n"));
}

void StyleSheetTest::borderStyleWords_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("declaration");
    QTest::newRow("0 solid") << 0 << " border : 4px solid #000000 ";
    QTest::newRow("1 double") << 1 << " border : 4px double #000000 ";
    QTest::newRow("2 dotted") << 2 << " border : 4px dotted #000000 ";
    QTest::newRow("3 dashed") << 3 << " border : 4px dashed #000000 ";
    QTest::newRow("4 groove") << 4 << " border : 4px groove #000000 ";
    QTest::newRow("5 ridge") << 5 << " border : 4px ridge #000000 ";
    QTest::newRow("6 inset") << 6 << " border : 4px inset #000000 ";
    QTest::newRow("7 outset") << 7 << " border : 4px outset #000000 ";
    QTest::newRow("no item chosen") << -1 << " border : 4px #000000 ";
    QTest::newRow("past the list") << 8 << " border : 4px #000000 ";
}

void StyleSheetTest::borderStyleWords() {
    QFETCH(int, type);
    QFETCH(QString, declaration);
    QCOMPARE(borderDeclaration(FrameParameters{true, 4, colourBlack, type}, QPalette()),
             declaration);
}

QTEST_GUILESS_MAIN(StyleSheetTest)
#include "StyleSheetTest.moc"

#include "core/params/ParameterFile.h"
#include "core/files/FileNames.h"
#include "core/params/AlbumProject.h"
#include "core/params/ColourText.h"

#include "JpegFixtures.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every member away from its start value, fonts with the extras a file does not keep.
AlbumParameters unusualParameters() {
    AlbumParameters p;
    p.layoutMode = layoutFixedCount;
    p.perPageCount = 12;
    p.categoryColumns = 3;
    p.categorySign = signRandomPhoto;
    p.categoryThumbnailWidth = 120;
    p.categoryThumbnailHeight = 90;
    p.mainTableFrame = {true, 5, 0x00123456, 3};
    p.mainCellFrame = {true, 2, 0xFF00000F, 7};
    p.albumTitleFont = {
        QStringLiteral("Times New Roman"), 18, 0x000000FF, false, true, true, true, 238};
    p.thumbnailTableFrame = {true, 100, colourWhite, 1};
    p.thumbnailCellFrame = {false, 9, 0x00FFEAD7, 4};
    p.photoInformation = true;
    p.photoInformationType = 1;
    p.tableFileName = {true,
                       {QStringLiteral("Verdana"), 9, 0x00008000, true, false, false, false, 1}};
    p.tableDimensions = {true,
                         {QStringLiteral("Tahoma"), 10, colourBlack, false, true, false, false, 1}};
    p.tableSize = {false,
                   {QStringLiteral("Courier New"), 11, 0x00800000, true, true, false, false, 1}};
    p.thumbnailColumns = 7;
    p.thumbnailKind = 1;
    p.thumbnailWidth = 150;
    p.thumbnailHeight = 110;
    p.brightenThumbnails = false;
    p.pageTitleFont.pointSize = 22;
    p.pageDescriptionFont.italic = true;
    p.pageBackground = {true, 0x00F0FBFF, true, QStringLiteral("tlo.jpg"), {}, 1};
    p.tableBackground = {true, 0x00C0C0C0, false, QString(), {}, 0};
    p.cellBackground = {false, colourWhite, true, QString(), {}, 1};
    p.photoPages = 1;
    p.photoDescription = true;
    p.pageFileName.shown = true;
    p.pageDimensions = {true,
                        {QStringLiteral("Arial"), 14, 0x00808080, true, false, false, false, 1}};
    p.pageSize.shown = true;
    p.photoFrame = {true, 4, 0x00008080, 6};
    p.photoTitleFont = {QStringLiteral("Georgia"), 24, 0x00800080, true, true, false, false, 238};
    p.modern = {true, 1280, false};
    return p;
}

QString writeFile(const QTemporaryDir& dir, const QByteArray& content) {
    const QString path = dir.filePath(QStringLiteral("params.ini"));
    testfiles::writeBytes(path, content);
    return path;
}

} // namespace

class ParameterFileTest : public QObject {
    Q_OBJECT
private slots:
    void colourTexts_data();
    void colourTexts();
    void savedFileStartsAsTheProgramHasAlwaysWrittenIt();
    void roundTripKeepsEveryValueButFontExtras();
    void defaultsOnLoadAreTheFileFormats();
    void loadReadsValuesLeniently_data();
    void loadReadsValuesLeniently();
    void filesOfAnotherKindAreIgnored_data();
    void filesOfAnotherKindAreIgnored();
    void badColourStopsTheLoadWhereItStands();
    void backgroundPathAgreesWithTheShownName_data();
    void backgroundPathAgreesWithTheShownName();
    void savingKeepsForeignKeysAndFailsWithoutHarm();
    void resetGivesStartValuesAndKeepsCharsets();
    void projectKeepsPhotosTitleLocationAndParameters();
    void projectLeavesOutVanishedPhotosOnce();
};

void ParameterFileTest::colourTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("writtenAgain");
    QTest::newRow("decimal is red") << "255" << true << 0x000000FFu << "clRed";
    QTest::newRow("hex is lime") << "$0000FF00" << true << 0x0000FF00u << "clLime";
    QTest::newRow("name in any case") << "clwhite" << true << 0x00FFFFFFu << "clWhite";
    QTest::newRow("system colour") << "clBtnFace" << true << 0xFF00000Fu << "clBtnFace";
    QTest::newRow("no name") << "$00FFEAD7" << true << 0x00FFEAD7u << "$00FFEAD7";
    QTest::newRow("lower-case hex written upper")
        << "$00abcdef" << true << 0x00ABCDEFu << "$00ABCDEF";
    QTest::newRow("negative decimal") << "-16777201" << true << 0xFF00000Fu << "clBtnFace";
    QTest::newRow("default colour") << "clDefault" << true << 0x20000000u << "clDefault";
    QTest::newRow("none") << "clNone" << true << 0x1FFFFFFFu << "clNone";
    QTest::newRow("unknown name") << "clPink" << false << 0u << "";
    QTest::newRow("empty") << "" << false << 0u << "";
}

void ParameterFileTest::colourTexts() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(uint, value);
    QFETCH(QString, writtenAgain);
    const auto parsed = parseColourText(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) {
        QCOMPARE(*parsed, ColourValue(value));
        QCOMPARE(colourText(*parsed), writtenAgain);
    }
}

void ParameterFileTest::savedFileStartsAsTheProgramHasAlwaysWrittenIt() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.ini"));
    QVERIFY(!saveParameterFile(path, AlbumParameters{}));
    const QByteArray bytes = testfiles::readBytes(path);
    QVERIFY(bytes.startsWith("[Info]\r\nInfo=Kadrela Settings\r\n[MainP]\r\nPArrange=2\r\n"
                             "OnPage=0\r\nColC=1\r\nCatS=0\r\nCatThW=100\r\nCatThH=100\r\n"
                             "TableFrame=0\r\nTableFrameW=1\r\nTableCol=clBlack\r\n"));
    QVERIFY(bytes.contains("TitleFName=Arial\r\nTitleFSize=20\r\nTitleFCol=clBlack\r\n"
                           "TitleFBold=1\r\nTitleFItalic=0\r\n[AlbumP]\r\n"));
    QVERIFY(bytes.contains("\r\nPFramCol=clBlack\r\nPFramType=0\r\n"));
    // The program's own settings follow, in a section that readers of the classic keys
    // pass over.
    QVERIFY(bytes.endsWith("TitleFBold=1\r\nTitleFItalic=0\r\n[Kadrela]\r\nPBckPath=\r\n"
                           "TBckPath=\r\nCBckPath=\r\nModern=0\r\nModernSize=2048\r\n"
                           "ModernOriginals=1\r\nModernNoLocation=1\r\n"));
    QCOMPARE(bytes.count("\r\n["), 5); // [MainP] [AlbumP] [Bckg] [PhotoP] [Kadrela]
    // Section lines, then the keys of each section with a font group counting five lines.
    QCOMPARE(bytes.count("\r\n"), 6 + 1 + (14 + 5) + (18 + 5 * 5) + 15 + (9 + 4 * 5) + 3 + 4);
}

void ParameterFileTest::roundTripKeepsEveryValueButFontExtras() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.ini"));
    AlbumParameters saved = unusualParameters();
    // A background picture from another folder than the parameter file's.
    saved.pageBackground.filePath = dir.filePath(QStringLiteral("elsewhere/tlo.jpg"));
    testfiles::writeBytes(saved.pageBackground.filePath, fixtures::jpegBytes(QSize(8, 8)));
    QVERIFY(!saveParameterFile(path, saved));

    const ParameterFileLoad load = loadParameterFile(path, AlbumParameters{}, 40);
    QCOMPARE(load.outcome, ParameterFileLoad::Outcome::Loaded);
    AlbumParameters expected = saved;
    expected.albumTitleFont.underline = false;
    expected.albumTitleFont.strikeOut = false;
    expected.albumTitleFont.charset = AlbumParameters{}.albumTitleFont.charset;
    QCOMPARE(load.parameters, expected);
    QCOMPARE(load.warnings, QStringList());
}

void ParameterFileTest::defaultsOnLoadAreTheFileFormats() {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[Info]\r\nInfo=Kadrela Settings\r\n");
    AlbumParameters current = unusualParameters();
    const ParameterFileLoad load = loadParameterFile(path, current, 7);
    QCOMPARE(load.outcome, ParameterFileLoad::Outcome::Loaded);
    const AlbumParameters& p = load.parameters;
    QCOMPARE(p.perPageCount, 7);     // no OnPage: the photo count
    QVERIFY(!p.albumTitleFont.bold); // unlike the start value
    QCOMPARE(p.albumTitleFont.pointSize, 20);
    QVERIFY(!p.pageTitleFont.bold);
    QVERIFY(p.brightenThumbnails);
    QCOMPARE(p.layoutMode, int(layoutByDirectory));
    QCOMPARE(p.thumbnailColumns, 4);
    QCOMPARE(p.pageBackground.colour, colourWhite);
    QCOMPARE(p.mainTableFrame.colour, colourBlack);
    QVERIFY(p.pageBackground.fileName.isEmpty());
    QVERIFY(p.pageBackground.filePath.isEmpty());
    // Character sets are not in the file and stay as they were.
    QCOMPARE(p.albumTitleFont.charset, current.albumTitleFont.charset);
}

void ParameterFileTest::loadReadsValuesLeniently_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("value");
    QTest::newRow("boolean 5 is true")
        << QByteArray("[PhotoP]\r\nDescr=5") << "photoDescription" << 1;
    QTest::newRow("boolean yes is the default")
        << QByteArray("[AlbumP]\r\nThumbB=yes") << "brightenThumbnails" << 1;
    QTest::newRow("hex integer") << QByteArray("[AlbumP]\r\nColC=$0A") << "thumbnailColumns" << 10;
    QTest::newRow("0x integer") << QByteArray("[AlbumP]\r\nColC=0x0B") << "thumbnailColumns" << 11;
    QTest::newRow("word gives the default")
        << QByteArray("[AlbumP]\r\nColC=many") << "thumbnailColumns" << 4;
    QTest::newRow("up-down keeps its range")
        << QByteArray("[MainP]\r\nColC=50") << "categoryColumns" << 10;
    QTest::newRow("list without such item")
        << QByteArray("[MainP]\r\nPArrange=5") << "layoutMode" << -1;
    QTest::newRow("negative list index")
        << QByteArray("[PhotoP]\r\nCreate=-1") << "photoPages" << -1;
    QTest::newRow("negative per-page count kept")
        << QByteArray("[MainP]\r\nOnPage=-3") << "perPageCount" << -3;
    QTest::newRow("colour 255 is red")
        << QByteArray("[MainP]\r\nTableCol=255") << "mainTableFrame.colour" << 0xFF;
}

void ParameterFileTest::loadReadsValuesLeniently() {
    QFETCH(QByteArray, lines);
    QFETCH(QString, member);
    QFETCH(int, value);
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[Info]\r\nInfo=Kadrela Settings\r\n" + lines + "\r\n");
    const AlbumParameters p = loadParameterFile(path, AlbumParameters{}, 0).parameters;
    const QHash<QString, int> members{
        {"photoDescription", p.photoDescription},
        {"brightenThumbnails", p.brightenThumbnails},
        {"thumbnailColumns", p.thumbnailColumns},
        {"categoryColumns", p.categoryColumns},
        {"layoutMode", p.layoutMode},
        {"photoPages", p.photoPages},
        {"perPageCount", p.perPageCount},
        {"mainTableFrame.colour", int(p.mainTableFrame.colour)},
    };
    QCOMPARE(members.value(member), value);
}

void ParameterFileTest::filesOfAnotherKindAreIgnored_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("letter case differs") << QByteArray("[Info]\r\nInfo=kadrela settings\r\n"
                                                       "[MainP]\r\nColC=5\r\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("another INI file") << QByteArray("[MainP]\r\nColC=5\r\n");
    QTest::newRow("binary bytes") << QByteArray("\x00\xff\x89PNG\r\n", 8);
}

void ParameterFileTest::filesOfAnotherKindAreIgnored() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const AlbumParameters current = unusualParameters();
    const ParameterFileLoad load = loadParameterFile(writeFile(dir, content), current, 3);
    QCOMPARE(load.outcome, ParameterFileLoad::Outcome::NotAParameterFile);
    QCOMPARE(load.parameters, current);
    // A name typed in the dialog that does not exist is ignored the same way.
    QCOMPARE(loadParameterFile(dir.filePath(QStringLiteral("none.ini")), current, 3).outcome,
             ParameterFileLoad::Outcome::NotAParameterFile);
}

void ParameterFileTest::badColourStopsTheLoadWhereItStands() {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[Info]\r\nInfo=Kadrela Settings\r\n"
                                        "[MainP]\r\nColC=3\r\nTableFrameW=9\r\nTableCol=pink\r\n"
                                        "TableType=2\r\n[AlbumP]\r\nColC=9\r\n");
    const ParameterFileLoad load = loadParameterFile(path, AlbumParameters{}, 0);
    QCOMPARE(load.outcome, ParameterFileLoad::Outcome::StoppedAtBadColour);
    QCOMPARE(load.error, QStringLiteral("'pink' is not a valid integer value (TableCol)"));
    QCOMPARE(load.parameters.categoryColumns, 3); // before the bad key
    QCOMPARE(load.parameters.mainTableFrame.width, 9);
    QCOMPARE(load.parameters.mainTableFrame.type, 0); // after it: not read
    QCOMPARE(load.parameters.thumbnailColumns, 4);
}

void ParameterFileTest::backgroundPathAgreesWithTheShownName_data() {
    QTest::addColumn<QString>("named");      // PBckP in the file
    QTest::addColumn<QString>("saved");      // PBckPath in the file's own section
    QTest::addColumn<QString>("held");       // the full path the window held before
    QTest::addColumn<QString>("expectPath"); // empty: the field is cleared, with a message
    // <dir> is the parameter file's folder; other/ a folder of pictures elsewhere.
    QTest::newRow("the saved path") << "pic.jpg"
                                    << "<dir>/other/pic.jpg"
                                    << ""
                                    << "<dir>/other/pic.jpg";
    QTest::newRow("the path the window held") << "pic.jpg"
                                              << ""
                                              << "<dir>/other/pic.jpg"
                                              << "<dir>/other/pic.jpg";
    QTest::newRow("beside the parameter file") << "beside.jpg"
                                               << ""
                                               << "<dir>/other/pic.jpg"
                                               << "<dir>/beside.jpg";
    QTest::newRow("a saved path to a picture that has gone: beside it") << "beside.jpg"
                                                                        << "<dir>/other/beside.jpg"
                                                                        << ""
                                                                        << "<dir>/beside.jpg";
    QTest::newRow("nowhere: said and cleared") << "gone.jpg"
                                               << "<dir>/other/gone.jpg"
                                               << ""
                                               << "";
    QTest::newRow("beside, but no picture") << "notes.jpg"
                                            << ""
                                            << ""
                                            << "";
    QTest::newRow("a saved path that is no picture") << "notes.jpg"
                                                     << "<dir>/notes.jpg"
                                                     << ""
                                                     << "";
    // Never a file from elsewhere, which would be copied into the album and published.
    QTest::newRow("an absolute path") << "/etc/passwd"
                                      << ""
                                      << ""
                                      << "";
    QTest::newRow("a way up") << "../../etc/hostname"
                              << ""
                              << ""
                              << "";
    QTest::newRow("a way up to a picture") << "../beside.jpg"
                                           << ""
                                           << ""
                                           << "";
}

void ParameterFileTest::backgroundPathAgreesWithTheShownName() {
    QFETCH(QString, named);
    QFETCH(QString, saved);
    QFETCH(QString, held);
    QFETCH(QString, expectPath);
    QTemporaryDir dir;
    for (const char* picture : {"beside.jpg", "other/pic.jpg"})
        testfiles::writeBytes(dir.filePath(QLatin1String(picture)),
                              fixtures::jpegBytes(QSize(8, 8)));
    testfiles::writeBytes(dir.filePath(QStringLiteral("notes.jpg")), "not a picture");
    for (QString* path : {&saved, &held, &expectPath})
        path->replace(QStringLiteral("<dir>"), dir.path());
    const QString path =
        writeFile(dir, "[Info]\r\nInfo=Kadrela Settings\r\n[Bckg]\r\nPBckP=" + named.toUtf8() +
                           "\r\n[Kadrela]\r\nPBckPath=" + saved.toUtf8() + "\r\n");
    AlbumParameters current;
    current.pageBackground.filePath = held;
    const ParameterFileLoad load = loadParameterFile(path, current, 0);
    QCOMPARE(load.outcome, ParameterFileLoad::Outcome::Loaded);
    QCOMPARE(load.parameters.pageBackground.filePath, expectPath);
    QCOMPARE(load.parameters.pageBackground.fileName, expectPath.isEmpty() ? QString() : named);
    QCOMPARE(load.warnings.size(), expectPath.isEmpty() ? 1 : 0);
    if (expectPath.isEmpty())
        QVERIFY2(load.warnings.first().contains(named), qPrintable(load.warnings.first()));
}

void ParameterFileTest::savingKeepsForeignKeysAndFailsWithoutHarm() {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[Info]\r\nInfo=Old\r\nNote=mine\r\n[Extra]\r\nA=1\r\n");
    QVERIFY(!saveParameterFile(path, AlbumParameters{}));
    const QByteArray bytes = testfiles::readBytes(path);
    QVERIFY(bytes.startsWith(
        "[Info]\r\nInfo=Kadrela Settings\r\nNote=mine\r\n[Extra]\r\nA=1\r\n[MainP]"));

    const QString unwritable = dir.filePath(QStringLiteral("no/folder/p.ini"));
    QCOMPARE(saveParameterFile(unwritable, AlbumParameters{}),
             std::optional<QString>(QStringLiteral("Unable to write to %1").arg(unwritable)));
}

void ParameterFileTest::resetGivesStartValuesAndKeepsCharsets() {
    AlbumParameters current = unusualParameters();
    current.pageDescriptionFont.charset = 186;
    current.pageBackground.filePath = QStringLiteral("/photos/tlo.jpg");
    const AlbumParameters reset = resetParameters(current, 45);
    AlbumParameters expected;
    expected.perPageCount = 45;
    expected.albumTitleFont.charset = current.albumTitleFont.charset;
    expected.photoTitleFont.charset = current.photoTitleFont.charset;
    expected.pageDescriptionFont.charset = 186;
    QCOMPARE(reset, expected);
    QVERIFY(reset.pageBackground.filePath.isEmpty()); // name and path empty together
}

// Names that are hard to keep: Polish letters, the escape character itself, "=", blanks
// and quotes at the ends, a line break and bytes that are not UTF-8.
void ParameterFileTest::projectKeepsPhotosTitleLocationAndParameters() {
    QTemporaryDir dir;
    const QStringList names = {QStringLiteral("Żółw na plaży.jpg"), QStringLiteral("100% a=b.jpg"),
                               QStringLiteral(" \"cudzysłów' .bmp"),
                               QStringLiteral("dwie\nlinie.png"),
                               decodeFileName("caf\xe9 \xff.jpg")};
    AlbumProject project;
    for (const QString& name : names) {
        const QString path = dir.path() + QStringLiteral("/zdjęcia/") + name;
        testfiles::writeBytes(
            path, name.endsWith(QLatin1String(".bmp"))   ? fixtures::bmpBytes(QSize(6, 4))
                  : name.endsWith(QLatin1String(".png")) ? fixtures::pngBytes(QSize(6, 4))
                                                         : fixtures::jpegBytes(QSize(6, 4)));
        project.photoPaths << path;
    }
    project.photoPaths << project.photoPaths.first(); // a photo twice stays twice
    project.title = QStringLiteral(" Wakacje \"2024\" 50% ");
    project.location = dir.path() + QStringLiteral("/albumy i [inne]/");
    project.parameters = unusualParameters();
    project.parameters.pageBackground.filePath = dir.filePath(QStringLiteral("tła/tlo.jpg"));
    testfiles::writeBytes(project.parameters.pageBackground.filePath,
                          fixtures::jpegBytes(QSize(8, 8)));
    const QString path = dir.filePath(QStringLiteral("Wakacje.kadrela"));
    QVERIFY(!saveAlbumProject(path, project));

    const AlbumProjectLoad load = loadAlbumProject(path, AlbumParameters{});
    QVERIFY2(load.loaded, qPrintable(load.error));
    QCOMPARE(load.project.photoPaths, project.photoPaths);
    QCOMPARE(load.project.title, project.title);
    QCOMPARE(load.project.location, project.location);
    AlbumParameters expected = project.parameters;
    expected.albumTitleFont.underline = false;
    expected.albumTitleFont.strikeOut = false;
    expected.albumTitleFont.charset = AlbumParameters{}.albumTitleFont.charset;
    QCOMPARE(load.project.parameters, expected);
    QCOMPARE(load.missing, QStringList());
    QCOMPARE(load.entries.size(), project.photoPaths.size());
    QVERIFY(load.missing.isEmpty());
    // The parameters are a parameter file's, for anything that reads one.
    QCOMPARE(loadParameterFile(path, AlbumParameters{}, 6).parameters.thumbnailColumns,
             project.parameters.thumbnailColumns);
    // A parameter file is no project.
    const QString parameters = dir.filePath(QStringLiteral("params.ini"));
    QVERIFY(!saveParameterFile(parameters, project.parameters));
    QVERIFY(!loadAlbumProject(parameters, AlbumParameters{}).loaded);
    QVERIFY(!loadAlbumProject(dir.filePath(QStringLiteral("none.kadrela")), {}).loaded);
}

void ParameterFileTest::projectLeavesOutVanishedPhotosOnce() {
    QTemporaryDir dir;
    AlbumProject project;
    for (const char* name : {"a.jpg", "gone.jpg", "b.jpg", "not-a-photo.jpg"}) {
        project.photoPaths << dir.filePath(QString::fromLatin1(name));
        testfiles::writeBytes(project.photoPaths.back(), fixtures::jpegBytes(QSize(4, 4)));
    }
    project.photoPaths << dir.filePath(QStringLiteral("gone.jpg"));
    const QString path = dir.filePath(QStringLiteral("p.kadrela"));
    QVERIFY(!saveAlbumProject(path, project));
    QFile::remove(dir.filePath(QStringLiteral("gone.jpg")));
    testfiles::writeBytes(dir.filePath(QStringLiteral("not-a-photo.jpg")), "plain text");

    const AlbumProjectLoad load = loadAlbumProject(path, AlbumParameters{});
    QVERIFY(load.loaded);
    QCOMPARE(load.entries.size(), 2);
    QVERIFY(load.entries[0].contains(QStringLiteral("/a.jpg<")));
    QVERIFY(load.entries[1].contains(QStringLiteral("/b.jpg<")));
    QCOMPARE(load.missing, QStringList({dir.filePath(QStringLiteral("gone.jpg")),
                                        dir.filePath(QStringLiteral("not-a-photo.jpg"))}));
    QVERIFY(missingPhotosMessage(path, load.missing).contains(QStringLiteral("gone.jpg")));
}

QTEST_GUILESS_MAIN(ParameterFileTest)
#include "ParameterFileTest.moc"

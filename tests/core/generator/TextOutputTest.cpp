#include "core/generator/TextOutput.h"
#include "core/generator/GenerationError.h"
#include "core/generator/HtmlText.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TextOutputTest : public QObject {
    Q_OBJECT
private slots:
    void writesWindows1250WithCrLf_data();
    void writesWindows1250WithCrLf();
    void replacesAnExistingFile();
    void failureNamesTheFile();
    void htmlCharacters_data();
    void htmlCharacters();
    void cssCharacters_data();
    void cssCharacters();
    void unencodableCharactersNeverBecomeQuestionMarks();
    void urlText_data();
    void urlText();
    void attributeText_data();
    void attributeText();
    void contentTypeLine_data();
    void contentTypeLine();
};

void TextOutputTest::writesWindows1250WithCrLf_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no lines, empty file") << QStringList() << QByteArray();
    QTest::newRow("last line ends too") << QStringList{"a", "b"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty line") << QStringList{"", "x"} << QByteArray("\r\nx\r\n");
    QTest::newRow("Polish letters as code page bytes, no BOM")
        << QStringList{"ąćęłńóśźż", "ĄĆĘŁŃÓŚŹŻ"}
        << QByteArray("\xb9\xe6\xea\xb3\xf1\xf3\x9c\x9f\xbf\r\n"
                      "\xa5\xc6\xca\xa3\xd1\xd3\x8c\x8f\xaf\r\n");
    QTest::newRow("euro sign and quotes of the code page")
        << QStringList{"€ „x”"} << QByteArray("\x80 \x84x\x94\r\n");
}

void TextOutputTest::writesWindows1250WithCrLf() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.html");
    writeTextLines(path, lines);
    QCOMPARE(testfiles::readBytes(path), bytes);
}

void TextOutputTest::replacesAnExistingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("style.css");
    testfiles::writeBytes(path, QByteArray(1000, 'x'));
    writeTextLines(path, {"a"});
    QCOMPARE(testfiles::readBytes(path), QByteArray("a\r\n"));
}

void TextOutputTest::failureNamesTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing-directory/p-0.html");
    try {
        writeTextLines(path, {"a"});
        QFAIL("no error for a file that cannot be created");
    } catch (const GenerationError& error) {
        QVERIFY2(error.message().contains(QDir::toNativeSeparators(path)),
                 qPrintable(error.message()));
    }
    QVERIFY(!QFile::exists(path));
}

void TextOutputTest::htmlCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ASCII untouched, English")
        << "<a href=\"x.jpg\">&</a>" << 0 << "<a href=\"x.jpg\">&</a>";
    QTest::newRow("Polish letters, English interface")
        << "Zażółć" << 0 << "Za&#380;&#243;&#322;&#263;";
    QTest::newRow("Polish letters, Polish interface") << "Zażółć" << 1 << "Zażółć";
    QTest::newRow("every character above U+007F, English")
        << "\u0080é€" << 0 << "&#128;&#233;&#8364;";
    QTest::newRow("code page characters stay, Polish") << "€ ü ß" << 1 << "€ ü ß";
    QTest::newRow("outside the code page, Polish") << "Peña" << 1 << "Pe&#241;a";
    QTest::newRow("CJK, Polish") << "字" << 1 << "&#23383;";
    QTest::newRow("code point, not UTF-16 halves") << "a😀b" << 1 << "a&#128512;b";
    QTest::newRow("code point, English") << "😀" << 0 << "&#128512;";
    QTest::newRow("any nonzero flag is Polish") << "ł" << 2 << "ł";
}

void TextOutputTest::htmlCharacters() {
    QFETCH(QString, text);
    QFETCH(int, language);
    QFETCH(QString, expected);
    QCOMPARE(::htmlCharacters(text, static_cast<qint8>(language)), expected);
}

void TextOutputTest::cssCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ASCII untouched") << "a { color : #000000; }" << 0 << "a { color : #000000; }";
    QTest::newRow("hex digit after an escape stays a letter, English")
        << "Łódź" << 0 << "\\141 \\f3 d\\17a ";
    QTest::newRow("blank after an escape kept as a second blank") << "ó Sans" << 0 << "\\f3  Sans";
    QTest::newRow("Polish letters, Polish interface") << "Łódź" << 1 << "Łódź";
    QTest::newRow("outside the code page, Polish") << "字体" << 1 << "\\5b57 \\4f53 ";
    QTest::newRow("beyond the BMP") << "😀" << 1 << "\\1f600 ";
}

void TextOutputTest::cssCharacters() {
    QFETCH(QString, text);
    QFETCH(int, language);
    QFETCH(QString, expected);
    QCOMPARE(::cssCharacters(text, static_cast<qint8>(language)), expected);
}

void TextOutputTest::unencodableCharactersNeverBecomeQuestionMarks() {
    QTemporaryDir dir;
    const QString path = dir.filePath("p-0.html");
    writeTextLines(path, ::htmlCharacters(QStringList{"<title>Peña – Łódź 字</title>"}, 1));
    QCOMPARE(testfiles::readBytes(path),
             QByteArray("<title>Pe&#241;a \x96 \xa3\xf3\x64\x9f &#23383;</title>\r\n"));
}

void TextOutputTest::urlText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ordinary name") << "DSC_0001.JPG"
                                   << "DSC_0001.JPG";
    QTest::newRow("blanks and Polish letters stay") << "zdjęcie z łąki.jpg"
                                                    << "zdjęcie z łąki.jpg";
    QTest::newRow("percent first, so it is not doubled") << "100%.jpg"
                                                         << "100%25.jpg";
    QTest::newRow("hash would start a fragment") << "#1.jpg"
                                                 << "%231.jpg";
    QTest::newRow("question mark would start a query") << "co?.jpg"
                                                       << "co%3F.jpg";
    QTest::newRow("quote would end the attribute") << "a\"b\".jpg"
                                                   << "a%22b%22.jpg";
    QTest::newRow("other punctuation stays") << "a&b'(c)+[d];e=f.jpg"
                                             << "a&b'(c)+[d];e=f.jpg";
    QTest::newRow("an escape already there is escaped again") << "a%20b.jpg"
                                                              << "a%2520b.jpg";
}

void TextOutputTest::urlText() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(::urlText(name), expected);
}

void TextOutputTest::attributeText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "x.jpg"
                           << "x.jpg";
    QTest::newRow("quotes") << "\"a\" b.jpg"
                            << "&quot;a&quot; b.jpg";
    QTest::newRow("URL characters stay in titles") << "50% #1?.jpg"
                                                   << "50% #1?.jpg";
    QTest::newRow("ampersand and apostrophe stay") << "a&b's.jpg"
                                                   << "a&b's.jpg";
}

void TextOutputTest::attributeText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(::attributeText(text), expected);
}

void TextOutputTest::contentTypeLine_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English names no character set")
        << 0 << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html\">";
    QTest::newRow("Polish")
        << 1 << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Windows-1250\">";
}

void TextOutputTest::contentTypeLine() {
    QFETCH(int, language);
    QFETCH(QString, expected);
    QCOMPARE(::contentTypeLine(static_cast<qint8>(language)), expected);
}

QTEST_GUILESS_MAIN(TextOutputTest)
#include "TextOutputTest.moc"

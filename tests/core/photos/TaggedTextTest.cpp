#include "core/photos/TaggedText.h"

#include <QtTest>

class TaggedTextTest : public QObject {
    Q_OBJECT

private slots:
    void closingTagInsertsSlashAfterFirstCharacter_data();
    void closingTagInsertsSlashAfterFirstCharacter();
    void tagValue_data();
    void tagValue();
};

void TaggedTextTest::closingTagInsertsSlashAfterFirstCharacter_data() {
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");
    QTest::newRow("one letter") << QStringLiteral("<w>") << QStringLiteral("</w>");
    QTest::newRow("two letters") << QStringLiteral("<dn>") << QStringLiteral("</dn>");
    QTest::newRow("empty") << QString() << QString();
}

void TaggedTextTest::closingTagInsertsSlashAfterFirstCharacter() {
    QFETCH(QString, opening);
    QFETCH(QString, closing);
    QCOMPARE(closingTag(opening), closing);
}

void TaggedTextTest::tagValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("value");
    const QString formA = QStringLiteral("<n>x.jpg</n><w>10</w><h>20</h><r>1.00 KB</r>");
    const QString formB = QStringLiteral("<n>/foto/b.gif</n><r>512.00 B</r><ns>");
    QTest::newRow("height of form A") << formA << QStringLiteral("<h>") << QStringLiteral("20");
    QTest::newRow("path of form A") << formA << QStringLiteral("<n>") << QStringLiteral("x.jpg");
    QTest::newRow("size of form B") << formB << QStringLiteral("<r>") << QStringLiteral("512.00 B");
    QTest::newRow("path is not confused with <ns>")
        << formB << QStringLiteral("<n>") << QStringLiteral("/foto/b.gif");
    QTest::newRow("tag not held") << formB << QStringLiteral("<w>") << QString();
    QTest::newRow("marker without value") << formB << QStringLiteral("<ns>") << QString();
    QTest::newRow("tags are case-sensitive") << formA << QStringLiteral("<W>") << QString();
    QTest::newRow("closing tag missing runs to the end")
        << QStringLiteral("<a>1</a><b>tail end") << QStringLiteral("<b>")
        << QStringLiteral("tail end");
    QTest::newRow("opening tag at the very end")
        << QStringLiteral("abc<w>") << QStringLiteral("<w>") << QString();
    QTest::newRow("closing before opening gives nothing")
        << QStringLiteral("</w>junk<w>5</w>") << QStringLiteral("<w>") << QString();
    QTest::newRow("first occurrence counts")
        << QStringLiteral("<w>1</w><w>2</w>") << QStringLiteral("<w>") << QStringLiteral("1");
    QTest::newRow("empty value") << QStringLiteral("<w></w>") << QStringLiteral("<w>") << QString();
    QTest::newRow("longer tag name") << QStringLiteral("<dn>/a/b</dn><c>3</c>")
                                     << QStringLiteral("<dn>") << QStringLiteral("/a/b");
    QTest::newRow("non-Latin value")
        << QStringLiteral("<n>/zdjęcia/żółw.jpg</n>") << QStringLiteral("<n>")
        << QStringLiteral("/zdjęcia/żółw.jpg");
    QTest::newRow("empty text") << QString() << QStringLiteral("<w>") << QString();
    QTest::newRow("empty tag") << formA << QString() << QString();
}

void TaggedTextTest::tagValue() {
    QFETCH(QString, text);
    QFETCH(QString, tag);
    QFETCH(QString, value);
    QCOMPARE(::tagValue(text, tag), value);
}

QTEST_APPLESS_MAIN(TaggedTextTest)
#include "TaggedTextTest.moc"

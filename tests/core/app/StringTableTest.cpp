#include "core/app/StringTable.h"

#include <QtTest>

class StringTableTest : public QObject {
    Q_OBJECT
private slots:
    void everyIdHasBothLanguages();
    void picksTheTextByLanguage_data();
    void picksTheTextByLanguage();
    void unknownIdsGiveEmptyText();
};

void StringTableTest::everyIdHasBothLanguages() {
    QList<int> ids;
    for (int id = 101; id <= 182; ++id)
        ids << id;
    ids << 184 << 185 << 186 << 187 << 188 << 189 << 195 << 196 << 197 << 198 << 199;
    for (int id = 300; id <= 310; ++id)
        ids << id;
    ids << 312;
    for (int id : ids) {
        QVERIFY2(hasTextId(id) && !textOfId(id).isEmpty(), qPrintable(QString::number(id)));
        QVERIFY2(hasTextId(id + 100) && !textOfId(id + 100).isEmpty(),
                 qPrintable(QString::number(id + 100)));
    }
}

void StringTableTest::picksTheTextByLanguage_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("count label keeps its blank") << 106 << 1 << QStringLiteral("Ilość zdjęć : ");
    QTest::newRow("english count label") << 106 << 0 << QStringLiteral("Picture count : ");
    QTest::newRow("typo kept") << 115 << 1 << QStringLiteral("Tytuł abumu :");
    QTest::newRow("english typo kept") << 131 << 0 << QStringLiteral("Franes : ");
    QTest::newRow("two lines") << 189 << 1
                               << QStringLiteral("Album został utworzony\nCzy otworzyć go w "
                                                 "domyślnej przeglądarce ?");
    QTest::newRow("english two lines") << 189 << 0
                                       << QStringLiteral("Album has been created\nDo You want "
                                                         "to open it in default browser ?");
    QTest::newRow("three hundreds") << 309 << 1 << QStringLiteral("Ilość zdjęć na 1 stronie : ");
    QTest::newRow("english four hundreds") << 310 << 0 << QStringLiteral(" pictures on page");
    QTest::newRow("any nonzero flag is Polish") << 137 << 7 << QStringLiteral("Linia ciągła");
    QTest::newRow("settings hint") << 312 << 0 << QStringLiteral("Program settings");
}

void StringTableTest::picksTheTextByLanguage() {
    QFETCH(int, id);
    QFETCH(int, language);
    QFETCH(QString, text);
    QCOMPARE(interfaceText(id, qint8(language)), text);
}

void StringTableTest::unknownIdsGiveEmptyText() {
    for (int id : {0, 100, 183, 190, 283, 311, 411, 500})
        QVERIFY2(!hasTextId(id) && textOfId(id).isEmpty(), qPrintable(QString::number(id)));
}

QTEST_GUILESS_MAIN(StringTableTest)
#include "StringTableTest.moc"

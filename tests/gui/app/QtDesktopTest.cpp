#include "gui/app/QtDesktop.h"

#include <QRegularExpression>
#include <QtTest>

class QtDesktopTest : public QObject {
    Q_OBJECT
private slots:
    void filterKeepsDescriptionsAndMatchesAnyLetterCase();
};

void QtDesktopTest::filterKeepsDescriptionsAndMatchesAnyLetterCase() {
    const QStringList filters = qtNameFilters(
        QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.png;*.gif)|*.jpg;*.jpeg;*.bmp;*.png;*.gif|"
                       "JPEG Image File (*.jpg)|*.jpg|Wszystkie pliki (*.*)|*.*"));
    QCOMPARE(filters.size(), 3);
    QVERIFY(filters[0].startsWith(QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.png;*.gif) (")));
    QCOMPARE(filters[2], QStringLiteral("Wszystkie pliki (*.*) (*.*)"));

    // The patterns, as a file dialog applies them.
    const QString patterns =
        filters[0].mid(filters[0].lastIndexOf(QLatin1Char('(')) + 1).chopped(1);
    const auto matches = [&](const QString& name) {
        for (const QString& pattern : patterns.split(QLatin1Char(' '))) {
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern));
            if (re.match(name).hasMatch())
                return true;
        }
        return false;
    };
    QVERIFY(matches(QStringLiteral("A.JPG")));
    QVERIFY(matches(QStringLiteral("b.Jpeg")));
    QVERIFY(matches(QStringLiteral("c.gif")));
    QVERIFY(!matches(QStringLiteral("notes.txt")));
    QVERIFY(!matches(QStringLiteral("a.jpg.txt")));
}

QTEST_GUILESS_MAIN(QtDesktopTest)
#include "QtDesktopTest.moc"

#include "core/params/ParameterFile.h"
#include "core/params/ProfileFile.h"

#include "TestFiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// Arbitrary and damaged files fed to the profile reader and the parameter loader. The run
// is deterministic (fixed seeds) so a failure can be replayed; under the sanitizer build it
// also proves that no input reads or writes out of bounds.
class ParameterFileFuzzTest : public QObject {
    Q_OBJECT
private slots:
    void randomBytesNeverCrash();
    void mutatedParameterFilesNeverCrash();
};

namespace {

QByteArray randomBytes(QRandomGenerator& random, int maxLength) {
    static const char characters[] =
        "[]=;\r\n $0xX-+19afAFclBlackWhiteInfoKadrela Settings\"'\t\x00\xff\xb9";
    static const QByteArray alphabet(characters, sizeof characters - 1);
    QByteArray bytes;
    const int length = int(random.bounded(maxLength));
    for (int i = 0; i < length; ++i)
        bytes += random.bounded(4) == 0 ? char(random.bounded(256))
                                        : alphabet[int(random.bounded(alphabet.size()))];
    return bytes;
}

void exercise(const QString& path) {
    const ProfileFile file(path);
    for (const char* key : {"Info", "PArrange", "TableCol", "TitleFName", "x"}) {
        file.readString(QStringLiteral("Info"), QLatin1String(key), {}, 2047);
        file.readInteger(QStringLiteral("MainP"), QLatin1String(key), 3);
        file.readBool(QStringLiteral("Bckg"), QLatin1String(key), true);
    }
    const ParameterFileLoad load = loadParameterFile(path, AlbumParameters{}, 5);
    // Whatever was read, the values stay within what the controls can show.
    const AlbumParameters& p = load.parameters;
    QVERIFY(p.layoutMode >= -1 && p.layoutMode <= 2);
    QVERIFY(p.categoryColumns >= 1 && p.categoryColumns <= 10);
    QVERIFY(p.thumbnailWidth >= 10 && p.thumbnailWidth <= 1000);
    QVERIFY(p.photoFrame.type >= -1 && p.photoFrame.type <= 7);
    QVERIFY(p.pageBackground.fileName.size() <= 2047);
}

} // namespace

void ParameterFileFuzzTest::randomBytesNeverCrash() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.ini"));
    QRandomGenerator random(20261208);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = randomBytes(random, 600);
        if (round % 2 == 0)
            bytes.prepend("[Info]\r\nInfo=Kadrela Settings\r\n");
        testfiles::writeBytes(path, bytes);
        exercise(path);
    }
}

void ParameterFileFuzzTest::mutatedParameterFilesNeverCrash() {
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("original.ini"));
    AlbumParameters parameters;
    parameters.pageBackground.fileName = QStringLiteral("tło.jpg");
    QVERIFY(!saveParameterFile(original, parameters));
    const QByteArray valid = testfiles::readBytes(original);
    const QString path = dir.filePath(QStringLiteral("mutated.ini"));
    QRandomGenerator random(7);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = valid;
        const int edits = 1 + int(random.bounded(8));
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = int(random.bounded(bytes.size()));
            switch (random.bounded(4)) {
            case 0:
                bytes[at] = char(random.bounded(256));
                break;
            case 1:
                bytes.remove(at, int(random.bounded(40)));
                break;
            case 2:
                bytes.insert(at, randomBytes(random, 30));
                break;
            default:
                bytes.truncate(at);
            }
        }
        testfiles::writeBytes(path, bytes);
        exercise(path);
    }
}

QTEST_GUILESS_MAIN(ParameterFileFuzzTest)
#include "ParameterFileFuzzTest.moc"

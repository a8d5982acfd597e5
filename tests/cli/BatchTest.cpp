#include "core/generator/AlbumRun.h"
#include "core/generator/RunObserver.h"
#include "core/params/AlbumProject.h"
#include "core/params/ColourConversion.h"
#include "core/params/ParameterFile.h"
#include "core/params/PerPageAnswer.h"
#include "core/photos/DirectoryScan.h"
#include "core/photos/PathParts.h"
#include "core/photos/PhotoAdding.h"

#include "AlbumFixtures.h"
#include "JpegFixtures.h"
#include "MetadataFixtures.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

// kadrela-batch run as a script runs it: a separate process, its exit status, its two output
// streams and the files it leaves.
class BatchTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void layoutModes_data();
    void layoutModes();
    void setUpOrder_data();
    void setUpOrder();
    void photoOrder_data();
    void photoOrder();
    void projectGivesPhotosTitleAndFolder_data();
    void projectGivesPhotosTitleAndFolder();

    void refusals_data();
    void refusals();
    void unusableInputs_data();
    void unusableInputs();
    void failures_data();
    void failures();
    void publishedLocation_data();
    void publishedLocation();
    void stopSignalErasesTheAlbum_data();
    void stopSignalErasesTheAlbum();

    void progressAsLines_data();
    void progressAsLines();
    void progressRedrawnOnATerminal();
    void helpAndVersion();

    void sameAlbumAsTheWindow_data();
    void sameAlbumAsTheWindow();

private:
    struct Outcome {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    Outcome run(const QStringList& arguments, const QString& command = QString());
    Outcome runOnSmallDisk(const QStringList& arguments, bool fillFirst, const char* size);
    QString photo(const QString& relativePath, QSize size = QSize(64, 48));
    QString parameterFile(const QByteArray& keys);
    QString mainPage() const { return m_out + "/album-Wakacje.html"; }
    QString album() const { return m_out + "/album-Wakacje/"; }
    QStringList albumArguments() const { return {"-t", "Wakacje", "-o", m_out}; }

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_src; // the photos
    QString m_out; // the album location, empty at the start of every test
};

namespace {

const QString program = QStringLiteral(KADRELA_BATCH_PATH);

QStringList filesMatching(const QString& dir, const QString& pattern) {
    return QDir(dir).entryList({pattern}, QDir::Files, QDir::Name);
}

// The photo files the thumbnail page of a one-page album shows, in order.
QStringList shownPhotos(const QString& thumbnailPage) {
    QStringList names;
    static const QRegularExpression thumbnail(QStringLiteral("src=\"th_([^\"]+)\""));
    const QString page = QString::fromLatin1(testfiles::readBytes(thumbnailPage));
    for (const QRegularExpressionMatch& match : thumbnail.globalMatch(page))
        names << match.captured(1);
    return names;
}

QByteArrayList errorLines(const QByteArray& err) {
    QByteArrayList lines = err.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// What the window's run reports and how it is stopped do not matter here.
class SilentObserver : public RunObserver {
public:
    void setCaption(const QString&) override {}
    void setMaximum(int) override {}
    void step() override {}
    void pump() override {}
    bool abortRequested() const override { return false; }
};

const QByteArray infoSection = "[Info]\r\nInfo=Kadrela Settings\r\n";

} // namespace

void BatchTest::init() {
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_src = m_root->filePath("src");
    m_out = m_root->filePath("out");
    QVERIFY(QDir().mkpath(m_src));
    QVERIFY(QDir().mkpath(m_out));
}

BatchTest::Outcome BatchTest::run(const QStringList& arguments, const QString& command) {
    QProcess process;
    process.setWorkingDirectory(m_root->path());
    process.start(command.isEmpty() ? program : command, arguments);
    Outcome outcome;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        QTest::qFail("kadrela-batch did not finish", __FILE__, __LINE__);
        return outcome;
    }
    outcome.status = process.exitCode();
    outcome.out = process.readAllStandardOutput();
    outcome.err = process.readAllStandardError();
    return outcome;
}

QString BatchTest::photo(const QString& relativePath, QSize size) {
    const QString path = m_src + "/" + relativePath;
    testfiles::writeBytes(path, fixtures::jpegBytes(size));
    return path;
}

QString BatchTest::parameterFile(const QByteArray& keys) {
    const QString path = m_root->filePath("album.ini");
    testfiles::writeBytes(path, keys);
    return path;
}

void BatchTest::layoutModes_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("thumbnailPages");
    QTest::newRow("one page") << QStringList{"-m", "one-page"} << QStringList{"main.html"};
    QTest::newRow("per page") << QStringList{"--layout", "per-page", "--per-page", "2"}
                              << QStringList{"main-1.html", "main-2.html"};
    QTest::newRow("directories") << QStringList{"--layout=directories"}
                                 << QStringList{"main-1.html", "main-2.html"};
    QTest::newRow("start value: directories")
        << QStringList{} << QStringList{"main-1.html", "main-2.html"};
}

void BatchTest::layoutModes() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, thumbnailPages);
    photo("Lato/a.jpg");
    photo("Lato/b.jpg");
    photo("Zima/c.jpg");

    const Outcome outcome = run(albumArguments() + options + QStringList{m_src});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.out, QFile::encodeName(mainPage()) + "\n");
    QVERIFY(QFileInfo(mainPage()).isFile());
    QCOMPARE(filesMatching(album(), "main*.html"), thumbnailPages);
    QCOMPARE(filesMatching(album(), "p-*.html"), (QStringList{"p-0.html", "p-1.html", "p-2.html"}));
}

// Five photos in one folder; the number of thumbnail pages shows the per-page count used.
void BatchTest::setUpOrder_data() {
    QTest::addColumn<QByteArray>("file"); // parameter file keys; none when empty
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("pages"); // 0: the one-page layout's main.html

    const QByteArray perPageTwo = infoSection + "[MainP]\r\nPArrange=1\r\nOnPage=2\r\n";
    const QByteArray perPageWithoutCount = infoSection + "[MainP]\r\nPArrange=1\r\n";
    const QByteArray onePage = infoSection + "[MainP]\r\nPArrange=0\r\nOnPage=2\r\n";
    const QByteArray noLayout = infoSection + "[MainP]\r\nPArrange=7\r\nOnPage=1\r\n";

    QTest::newRow("file: per page, 2") << perPageTwo << QStringList{} << 3;
    QTest::newRow("file without OnPage: the photo count")
        << perPageWithoutCount << QStringList{} << 1;
    QTest::newRow("answer after the file") << perPageTwo << QStringList{"-n", "4"} << 2;
    QTest::newRow("file: one page") << onePage << QStringList{} << 0;
    QTest::newRow("layout after the file keeps its count")
        << onePage << QStringList{"-m", "per-page"} << 3;
    QTest::newRow("layout mends a file without one")
        << noLayout << QStringList{"-m", "per-page"} << 5;
    QTest::newRow("layout alone: 0 corrected by the run")
        << QByteArray() << QStringList{"-m", "per-page"} << 1;

    // The answer to the window's question; given before the layout option, it counts too.
    const QList<std::pair<const char*, int>> answers{{"1", 5},   {"2", 3},  {"5", 1},   {"6", 1},
                                                     {"0", 1},   {"-3", 1}, {"abc", 1}, {"2,5", 1},
                                                     {"2.5", 1}, {"", 1}};
    for (const auto& [answer, pages] : answers)
        QTest::addRow("answer '%s'", answer)
            << QByteArray() << QStringList{"-n", answer, "-m", "per-page"} << pages;
}

void BatchTest::setUpOrder() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(int, pages);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
        photo(name);
    QStringList arguments = albumArguments() + options;
    if (!file.isEmpty())
        arguments << "-p" << parameterFile(file);

    const Outcome outcome = run(arguments + QStringList{m_src});
    QVERIFY2(outcome.status == 0, outcome.err.constData());
    QStringList expected;
    for (int page = 1; page <= pages; ++page)
        expected << QString("main-%1.html").arg(page);
    if (pages == 0)
        expected << "main.html";
    QCOMPARE(filesMatching(album(), "main*.html"), expected);
}

void BatchTest::photoOrder_data() {
    QTest::addColumn<QStringList>("arguments"); // relative to the photo folder
    QTest::addColumn<bool>("sort");
    QTest::addColumn<QStringList>("shown"); // the copies' names, in page order

    QTest::newRow("argument order")
        << QStringList{"b.jpg", "A.jpg"} << false << QStringList{"b.jpg", "A.jpg"};
    QTest::newRow("sorted") << QStringList{"b.jpg", "A.jpg"} << true
                            << QStringList{"A.jpg", "b.jpg"};
    QTest::newRow("sorted by folder")
        << QStringList{"z/x.jpg", "a/y.jpg"} << true << QStringList{"y.jpg", "x.jpg"};
    // The folder "a" comes before "A.jpg": a name ignoring case, then a shorter one first.
    QTest::newRow("folder: names ignoring case, subfolders in place, others skipped")
        << QStringList{"."} << false
        << QStringList{"y.jpg", "A.jpg", "b.jpg", "d.jpg", "caf&#233;.jpg", "x.jpg"};
    QTest::newRow("file, folder, the same file again")
        << QStringList{"b.jpg", "c", "b.jpg"} << false << QStringList{"b.jpg", "d.jpg", "b_.jpg"};
    // "caf\xe9.jpg", in Latin-1 bytes: found, copied as "café.jpg" and linked as such.
    QTest::newRow("a name that is not UTF-8, in a folder")
        << QStringList{"e"} << false << QStringList{"caf&#233;.jpg"};
    QTest::newRow("a name that is not UTF-8, given")
        << QStringList{"e/caf<E9>.jpg"} << false << QStringList{"caf&#233;.jpg"};
}

void BatchTest::photoOrder() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, sort);
    QFETCH(QStringList, shown);
    for (const char* name : {"b.jpg", "A.jpg", "z/x.jpg", "a/y.jpg", "c/d.jpg"})
        photo(name);
    QDir(m_src).mkpath("e");
    QFile latin1;
    const QByteArray latin1Path = QFile::encodeName(m_src) + "/e/caf\xe9.jpg";
    QVERIFY(latin1.open(::open(latin1Path.constData(), O_WRONLY | O_CREAT, 0644),
                        QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    latin1.write(fixtures::jpegBytes(QSize(64, 48)));
    latin1.close();
    testfiles::writeBytes(m_src + "/notes.txt", "not a photo");
    testfiles::writeBytes(m_src + "/c/broken.jpg", "not a JPEG either");

    QStringList options = albumArguments() + QStringList{"-m", "one-page", "-q"};
    if (sort)
        options << "--sort";
    for (const QString& argument : arguments)
        options << QDir::cleanPath(m_src + "/" + argument);
    // Arguments reach the program through a shell, which turns <E9> into the byte itself.
    QString command = "exec \"$0\"";
    for (QString argument : options)
        command +=
            " '" + argument.replace("'", "'\\''").replace("<E9>", "'$(printf '\\351')'") + "'";

    const Outcome outcome = run({"-c", command, program}, "sh");
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.err, QByteArray()); // skipped files pass without a word
    QCOMPARE(shownPhotos(album() + "main.html"), shown);
}

void BatchTest::projectGivesPhotosTitleAndFolder_data() {
    QTest::addColumn<QStringList>("arguments"); // after --project FILE; "<src>" is m_src
    QTest::addColumn<QString>("mainPage");      // relative to the test's root
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("the project alone")
        << QStringList{} << "projekt/album-Z_projektu.html" << QStringList{"b.jpg", "a.jpg"};
    QTest::newRow("photos given are added after the project's")
        << QStringList{"<src>/c.jpg"} << "projekt/album-Z_projektu.html"
        << QStringList{"b.jpg", "a.jpg", "c.jpg"};
    QTest::newRow("title and folder given override the project's")
        << QStringList{"-t", "Inne", "-o", "out"} << "out/album-Inne.html"
        << QStringList{"b.jpg", "a.jpg"};
}

void BatchTest::projectGivesPhotosTitleAndFolder() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, mainPage);
    QFETCH(QStringList, shown);
    AlbumProject project;
    project.photoPaths = {photo("b.jpg"), photo("gone.jpg"), photo("a.jpg")};
    photo("c.jpg");
    QFile::remove(m_src + "/gone.jpg");
    project.title = "Z projektu";
    project.location = m_root->filePath("projekt") + "/";
    QVERIFY(QDir().mkpath(project.location));
    project.parameters.layoutMode = layoutOnePage;
    const QString path = m_root->filePath("album.kadrela");
    QVERIFY(!saveAlbumProject(path, project));

    arguments.replaceInStrings("<src>", m_src);
    const Outcome outcome = run(QStringList{"-q", "--project", path} + arguments);
    QVERIFY2(outcome.status == 0, outcome.err.constData());
    QCOMPARE(outcome.out.trimmed(), QFile::encodeName(m_root->filePath(mainPage)));
    QVERIFY(outcome.err.contains("gone.jpg"));
    QCOMPARE(shownPhotos(QFileInfo(m_root->filePath(mainPage)).path() + "/" +
                         QFileInfo(mainPage).completeBaseName() + "/main.html"),
             shown);
}

void BatchTest::refusals_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("photos");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");

    const QString src = "<src>";
    // In the language of -l, English without it.
    const QString noLayout = "No layout of the photos in the album is chosen";
    const QString noPhotos = "No photos on the list";
    const QString noTitle = "No album title is given";
    const QString noLocation = "No folder for the album is chosen";
    const QByteArray badLayout = infoSection + "[MainP]\r\nPArrange=3\r\n";

    QTest::newRow("title missing") << QStringList{"-o", "<out>"} << true << QByteArray() << noTitle;
    QTest::newRow("title missing, in Polish") << QStringList{"-o", "<out>", "-l", "pl"} << true
                                              << QByteArray() << "Brak ustawionego tytułu albumu";
    QTest::newRow("title empty") << QStringList{"-t", "", "-o", "<out>"} << true << QByteArray()
                                 << noTitle;
    QTest::newRow("location missing")
        << QStringList{"-t", "Wakacje"} << true << QByteArray() << noLocation;
    QTest::newRow("location empty")
        << QStringList{"-t", "Wakacje", "--location="} << true << QByteArray() << noLocation;
    QTest::newRow("title before location") << QStringList{} << true << QByteArray() << noTitle;
    QTest::newRow("photos before title") << QStringList{} << false << QByteArray() << noPhotos;
    QTest::newRow("layout from the file first") << QStringList{} << false << badLayout << noLayout;
    QTest::newRow("layout with everything else given")
        << QStringList{"-t", "Wakacje", "-o", "<out>"} << true << badLayout << noLayout;
}

void BatchTest::refusals() {
    QFETCH(QStringList, options);
    QFETCH(bool, photos);
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    testfiles::writeBytes(m_src + "/notes.txt", "not a photo");
    if (photos)
        photo("a.jpg");
    options.replaceInStrings("<out>", m_out);
    if (!file.isEmpty())
        options << "-p" << parameterFile(file);

    const Outcome outcome = run(options + QStringList{m_src});
    QCOMPARE(outcome.status, 1);
    QCOMPARE(QString::fromUtf8(outcome.err), message + "\n");
    QCOMPARE(outcome.out, QByteArray());
    QCOMPARE(QDir(m_out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void BatchTest::unusableInputs_data() {
    QTest::addColumn<QStringList>("arguments"); // "<photo>" for a photo that is there
    QTest::addColumn<QByteArray>("file");       // "<file>" in the arguments
    QTest::addColumn<QString>("message");       // the first line of standard error
    QTest::addColumn<bool>("usage");            // the usage line follows

    const QStringList album{"-t", "Wakacje", "-o", "<out>"};
    QTest::newRow("unknown option") << QStringList{"--colour", "red", "<photo>"} << QByteArray()
                                    << "kadrela-batch: unknown option '--colour'" << true;
    QTest::newRow("unknown short option") << QStringList{"-x", "<photo>"} << QByteArray()
                                          << "kadrela-batch: unknown option '-x'" << true;
    QTest::newRow("value missing") << QStringList{"<photo>", "-t"} << QByteArray()
                                   << "kadrela-batch: option '-t' needs a value" << true;
    QTest::newRow("language") << album + QStringList{"-l", "de", "<photo>"} << QByteArray()
                              << "kadrela-batch: unknown language 'de' (pl or en)" << true;
    QTest::newRow("language in capitals")
        << album + QStringList{"--language=PL", "<photo>"} << QByteArray()
        << "kadrela-batch: unknown language 'PL' (pl or en)" << true;
    QTest::newRow("layout") << album + QStringList{"-mgrid", "<photo>"} << QByteArray()
                            << "kadrela-batch: unknown layout 'grid' "
                               "(one-page, per-page or directories)"
                            << true;
    QTest::newRow("display size")
        << album + QStringList{"--modern", "--display-size=1000", "<photo>"} << QByteArray()
        << "kadrela-batch: '1000' is not a display size (1280, 1600, 2048, 2560, full)" << true;
    QTest::newRow("switch with a value")
        << album + QStringList{"--sort=yes", "<photo>"} << QByteArray()
        << "kadrela-batch: option '--sort' takes no value" << true;
    QTest::newRow("no photos named")
        << album << QByteArray() << "kadrela-batch: no photo or directory given" << true;
    QTest::newRow("photo not there")
        << album + QStringList{"<photo>", "gone.jpg"} << QByteArray()
        << "kadrela-batch: gone.jpg: no such file or directory" << false;
    QTest::newRow("parameter file not there")
        << album + QStringList{"-p", "gone.ini", "<photo>"} << QByteArray()
        << "The parameter file gone.ini does not exist." << false;
    QTest::newRow("not a parameter file")
        << album + QStringList{"-p", "<file>", "<photo>"}
        << QByteArray("[Info]\r\nInfo=Something else\r\n[MainP]\r\nPArrange=0\r\n")
        << "The file <file> is not an album parameter file: its [Info] section does not hold "
           "Info=Kadrela Settings."
        << false;
    QTest::newRow("colour the window refuses")
        << album + QStringList{"-p", "<file>", "<photo>"}
        << infoSection + "[MainP]\r\nPArrange=0\r\nTableCol=zielony\r\n"
        << "'zielony' is not a valid integer value (TableCol)" << false;
    // Never read: a pipe would hang the program, a device or a huge file exhaust its memory.
    QTest::newRow("a named pipe") << album + QStringList{"-p", "<fifo>", "<photo>"} << QByteArray()
                                  << "The parameter file <fifo> cannot be read (not a regular "
                                     "file)."
                                  << false;
    QTest::newRow("a device") << album + QStringList{"-p", "/dev/zero", "<photo>"} << QByteArray()
                              << "The parameter file /dev/zero cannot be read (not a regular "
                                 "file)."
                              << false;
    QTest::newRow("a file larger than any parameter file")
        << album + QStringList{"-p", "<huge>", "<photo>"} << QByteArray()
        << "The parameter file <huge> cannot be read (larger than 4194304 bytes)." << false;
    QTest::newRow("a colour with control characters is shown escaped")
        << album + QStringList{"-p", "<file>", "<photo>"}
        << infoSection + "[MainP]\r\nPArrange=0\r\nTableCol=\x1b[31mred\x07\r\n"
        << "'\\x1b[31mred\\x07' is not a valid integer value (TableCol)" << false;
}

void BatchTest::unusableInputs() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(bool, usage);
    arguments.replaceInStrings("<out>", m_out);
    arguments.replaceInStrings("<photo>", photo("a.jpg"));
    if (!file.isEmpty()) {
        const QString path = parameterFile(file);
        arguments.replaceInStrings("<file>", path);
        message.replace("<file>", path);
    }
    const QString fifo = m_root->filePath("pipe.ini");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    arguments.replaceInStrings("<fifo>", fifo);
    message.replace("<fifo>", fifo);
    QFile huge(m_root->filePath("huge.ini")); // sparse: a gigabyte that takes no room
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 30));
    arguments.replaceInStrings("<huge>", huge.fileName());
    message.replace("<huge>", huge.fileName());

    const Outcome outcome = run(arguments);
    QCOMPARE(outcome.status, 2);
    QCOMPARE(outcome.out, QByteArray());
    const QByteArrayList lines = errorLines(outcome.err);
    QVERIFY(!lines.isEmpty());
    QCOMPARE(QString::fromUtf8(lines.first()), message);
    QCOMPARE(lines.size() > 1 && lines[1].startsWith("Usage: kadrela-batch [OPTIONS]"), usage);
    QCOMPARE(QDir(m_out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void BatchTest::failures_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("named");
    QTest::newRow("location not there") << "location"
                                        << "album-Wakacje";
    QTest::newRow("style sheet blocked by a folder") << "style"
                                                     << "style.css";
    QTest::newRow("photo cannot be decoded") << "undecodable"
                                             << "bad.jpg";
    // On a small file system of its own: nothing may claim to be done with nothing in it.
    QTest::newRow("disk full") << "disk full"
                               << "No space left on device";
    QTest::newRow("disk full on a second run: the first album stays") << "disk full again"
                                                                      << "No space left on device";
    QTest::newRow("disk full while updating: the album in place stays whole")
        << "disk full again, updating"
        << "No space left on device";
    // A PNG is copied and never read: its copy's failure is the only sign of it.
    QTest::newRow("disk full while copying a PNG") << "disk full copying"
                                                   << "noise.png cannot be copied";
}

void BatchTest::failures() {
    QFETCH(QString, damage);
    QFETCH(QString, named);
    QStringList arguments{"-t", "Wakacje", "-o", m_out, "-m", "one-page", "-q", photo("a.jpg")};
    const bool updating = damage.endsWith("updating");
    if (updating)
        arguments << "--update";
    if (damage == "location")
        arguments[3] = m_out + "/not/there";
    if (damage == "style")
        QVERIFY(QDir().mkpath(album() + "style.css"));
    if (damage == "disk full copying") {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        fixtures::noisePicture(QSize(160, 120)).save(&png, "PNG"); // 57 KB, more than is free
        arguments << fixtures::writeFixture(m_src, "noise.png", png.data());
    }
    if (damage == "undecodable") {
        // The header reads well, so the photo gets into the list, but its components name a
        // quantisation table the file never defines: decoding stops before the first row.
        QByteArray jpeg = fixtures::jpegBytes(QSize(64, 48));
        const qsizetype frame = jpeg.indexOf("\xff\xc0");
        QVERIFY(frame > 0);
        const int components = static_cast<uchar>(jpeg[frame + 9]);
        for (int c = 0; c < components; ++c)
            jpeg[frame + 10 + 3 * c + 2] = 3;
        arguments << fixtures::writeFixture(m_src, "bad.jpg", jpeg);
    }

    const bool fullDisk = damage.startsWith("disk full");
    const Outcome outcome = fullDisk
                                ? runOnSmallDisk(arguments, damage.startsWith("disk full again"),
                                                 damage == "disk full" ? "12k" : "48k")
                                : run(arguments);
    QCOMPARE(outcome.status, 3);
    QCOMPARE(outcome.out, QByteArray());
    const QByteArrayList lines = errorLines(outcome.err);
    QVERIFY2(QString::fromUtf8(lines.first()).contains(named), lines.first().constData());
    // What the run left is taken back, as after Ctrl+C, and said so; a run that made nothing
    // has nothing to take back.
    const bool madeSomething = damage != "location" && !damage.startsWith("disk full again");
    QCOMPARE(lines.mid(1),
             madeSomething ? QByteArrayList{"The unfinished album was erased."} : QByteArrayList{});
    if (damage == "undecodable")
        QVERIFY(!QFileInfo::exists(album()));
    if (fullDisk) {
        // What the small disk held afterwards: no empty file, no page through to half.
        const QString after = m_root->filePath("after");
        for (const QString& file : albumfixtures::filesBelow(after))
            QVERIFY2(QFileInfo(after + "/" + file).size() > 0, qPrintable(file));
        if (damage == "disk full again")
            QCOMPARE(testfiles::readBytes(after + "/album-Wakacje/style.css"),
                     testfiles::readBytes(m_root->filePath("first/album-Wakacje/style.css")));
        if (updating)
            QVERIFY(albumfixtures::treeBelow(after) ==
                    albumfixtures::treeBelow(m_root->filePath("first")));
    }
}

// Runs kadrela-batch with the album location on a new file system of the given size, in a
// mount namespace of its own; the location's files are then copied to <root>/after. With
// fillFirst the album is made once, copied to <root>/first, and the disk filled up before the
// run whose outcome counts.
BatchTest::Outcome BatchTest::runOnSmallDisk(const QStringList& arguments, bool fillFirst,
                                             const char* size) {
    if (QProcess::execute("unshare", {"--user", "--map-root-user", "--mount", "true"}) != 0)
        QTest::qSkip("no mount namespace to make a small file system in", __FILE__, __LINE__);
    const QString script = QStringLiteral(R"(
        out=$1 after=$2 first=$3 fill=$4 size=$5; shift 5
        mount -t tmpfs -o size=$size tmpfs "$out" || exit 99
        if [ "$fill" = 1 ]; then
            "$@" >/dev/null 2>&1 || exit 98
            cp -a "$out/." "$first"
            head -c 1M /dev/zero > "$out/filler" 2>/dev/null
        fi
        "$@"; status=$?
        rm -f "$out/filler"
        cp -a "$out/." "$after"
        exit $status)");
    QDir(m_root->path()).mkpath("after");
    QDir(m_root->path()).mkpath("first");
    return run(QStringList{"--user", "--map-root-user", "--mount", "sh", "-c", script, "sh", m_out,
                           m_root->filePath("after"), m_root->filePath("first"),
                           fillFirst ? "1" : "0", size, program} +
                   arguments,
               "unshare");
}

// A photo that says where it was taken, published by a modern album: its full-size copy keeps
// the picture and its other metadata but not the place, unless the user chooses otherwise.
void BatchTest::publishedLocation_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("locationLeftOut");
    QTest::newRow("modern") << QStringList{"--modern"} << true;
    QTest::newRow("modern, location kept") << QStringList{"--modern", "--keep-location"} << false;
    QTest::newRow("classic") << QStringList{} << false;
}

void BatchTest::publishedLocation() {
    QFETCH(QStringList, options);
    QFETCH(bool, locationLeftOut);
    fixtures::PhotoTags tags;
    tags.exif = {{"Exif.Image.Model", "EOS 5D"},
                 {"Exif.GPSInfo.GPSLatitudeRef", "N"},
                 {"Exif.GPSInfo.GPSLatitude", "52/1 13/1 30/1"}};
    tags.xmp = {{"Xmp.exif.GPSLongitude", "21,0.75E"}};
    const QByteArray original = fixtures::withTags(fixtures::jpegBytes(QSize(64, 48)), tags);
    testfiles::writeBytes(m_src + "/dom.jpg", original);
    photo("plain.jpg");

    const Outcome outcome = run(albumArguments() + options + QStringList{"-m", "one-page", m_src});
    QVERIFY2(outcome.status == 0, outcome.err.constData());
    QCOMPARE(outcome.err.contains("Location left out of 1 published photos."), locationLeftOut);
    const QByteArray copy = testfiles::readBytes(album() + "dom.jpg");
    const QStringList keys = fixtures::metadataKeys(copy);
    QVERIFY(keys.contains("Exif.Image.Model"));
    QCOMPARE(keys.filter("GPS").isEmpty(), locationLeftOut);
    QCOMPARE(copy == original, !locationLeftOut);
    QVERIFY(copy.endsWith(original.mid(fixtures::scanDataOffset(original))));
    QCOMPARE(testfiles::readBytes(m_src + "/dom.jpg"), original); // the user's photo untouched
}

void BatchTest::stopSignalErasesTheAlbum_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void BatchTest::stopSignalErasesTheAlbum() {
    QFETCH(int, signalNumber);
    const QByteArray bytes = fixtures::jpegBytes(fixtures::noisePicture(QSize(800, 600)));
    for (int i = 0; i < 60; ++i)
        fixtures::writeFixture(m_src, QString("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), bytes);
    // Something of the user's in the location must stay.
    testfiles::writeBytes(m_out + "/other.html", "mine");

    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(program, albumArguments() + QStringList{"-l", "pl", m_src});
    QVERIFY(process.waitForStarted());
    QByteArray err;
    while (!err.contains('\n') && process.waitForReadyRead(30000))
        err += process.readAllStandardError();
    QVERIFY2(err.startsWith("Tworzenie albumu 0/183\n"), err.constData());
    QCOMPARE(::kill(static_cast<pid_t>(process.processId()), signalNumber), 0);

    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 130);
    err += process.readAllStandardError();
    QVERIFY2(err.endsWith("\nPrzerwano tworzenie albumu\n"), err.constData());
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
    QCOMPARE(QDir(m_out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"other.html"});
}

void BatchTest::progressAsLines_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("captions"); // empty: quiet
    QTest::addColumn<int>("maximum");

    const QStringList english{"Creating album", "Copying album pictures", "Creating album styles",
                              "Creating album indexes", "Creating album main page"};
    const QStringList polish{"Tworzenie albumu", "Kopiowanie zdjęć albumu",
                             "Tworzenie stylu albumu", "Tworzenie indeksów",
                             "Tworzenie strony głownej albumu"};
    QTest::newRow("English by default") << QStringList{} << english << 3 * 2 + 3;
    QTest::newRow("English") << QStringList{"-l", "en"} << english << 3 * 2 + 3;
    QTest::newRow("Polish") << QStringList{"--language", "pl"} << polish << 3 * 2 + 3;
    QTest::newRow("no photo pages") << QStringList{"-p", "<links>"} << english << 2 * 2 + 3;
    QTest::newRow("quiet") << QStringList{"--quiet"} << QStringList{} << 0;
}

void BatchTest::progressAsLines() {
    QFETCH(QStringList, options);
    QFETCH(QStringList, captions);
    QFETCH(int, maximum);
    photo("a.jpg");
    photo("b.jpg");
    options.replaceInStrings("<links>", parameterFile(infoSection + "[MainP]\r\nPArrange=0\r\n"
                                                                    "[PhotoP]\r\nCreate=1\r\n"));

    const Outcome outcome = run(albumArguments() + options + QStringList{m_src});
    QCOMPARE(outcome.status, 0);
    if (captions.isEmpty()) {
        QCOMPARE(outcome.err, QByteArray());
        return;
    }
    QVERIFY(!outcome.err.contains('\r'));
    const QByteArrayList lines = errorLines(outcome.err);
    QCOMPARE(QString::fromUtf8(lines.first()), captions.first() + QString(" 0/%1").arg(maximum));
    QCOMPARE(QString::fromUtf8(lines.last()), captions.last() + QString(" %1/%1").arg(maximum));
    // Each line is a caption and the position, the captions in stage order, the position
    // going up by at most one from line to line.
    static const QRegularExpression shape(QStringLiteral("^(.+) (\\d+)/(\\d+)$"));
    qsizetype stage = 0;
    int position = 0;
    for (const QByteArray& line : lines) {
        const QRegularExpressionMatch match = shape.match(QString::fromUtf8(line));
        QVERIFY2(match.hasMatch(), line.constData());
        while (stage < captions.size() && captions[stage] != match.captured(1))
            ++stage;
        QVERIFY2(stage < captions.size(), line.constData());
        const int now = match.captured(2).toInt();
        QVERIFY2(now == position || now == position + 1, line.constData());
        position = now;
        QCOMPARE(match.captured(3).toInt(), maximum);
    }
}

void BatchTest::progressRedrawnOnATerminal() {
    photo("a.jpg");
    photo("b.jpg");
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
    const QString terminal = QString::fromLocal8Bit(ptsname(master));
    // Held open here so that the terminal's output stays readable after the run; raw, so
    // that it comes through byte for byte.
    const int slave = ::open(QFile::encodeName(terminal).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(slave >= 0);
    termios mode{};
    QCOMPARE(tcgetattr(slave, &mode), 0);
    cfmakeraw(&mode);
    QCOMPARE(tcsetattr(slave, TCSANOW, &mode), 0);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    QByteArray shown;
    const auto drain = [&] {
        char buffer[4096];
        for (ssize_t got; (got = ::read(master, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, got);
    };
    QProcess process;
    process.setStandardErrorFile(terminal);
    process.start(program, albumArguments() + QStringList{m_src});
    while (!process.waitForFinished(20))
        drain();
    drain();
    ::close(slave);
    ::close(master);

    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QFile::encodeName(mainPage()) + "\n");
    // One line, drawn again and again, ended once.
    QCOMPARE(shown.count('\n'), 1);
    QVERIFY(shown.endsWith("\x1b[K\n"));
    const QByteArrayList redraws = shown.chopped(4).split('\r');
    QVERIFY(redraws.first().isEmpty());
    QVERIFY(redraws.size() > 5);
    QCOMPARE(redraws[1], QByteArray("Creating album 0/9\x1b[K"));
    QCOMPARE(redraws.last(), QByteArray("Creating album main page 9/9"));
}

void BatchTest::helpAndVersion() {
    const Outcome version = run({"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray("kadrela-batch " KADRELA_VERSION "\n"));

    // Help wins over what follows it, a mistake included.
    const Outcome help = run({"-h", "--no-such-option"});
    QCOMPARE(help.status, 0);
    QCOMPARE(help.err, QByteArray());
    for (const char* option :
         {"--title", "--location", "--params", "--language", "--layout", "--per-page", "--sort",
          "--quiet", "--modern", "--display-size", "--no-originals", "--help", "--version", "130"})
        QVERIFY2(help.out.contains(option), option);
    QCOMPARE(run({"--help"}).out, help.out);
}

// The window's run on the same inputs, in this process: the entries through the same gate
// into the list, the parameter file loaded the same way, the window's palette and locale.
void BatchTest::sameAlbumAsTheWindow_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("layoutMode");
    QTest::addColumn<QString>("perPageAnswer"); // none when null
    QTest::addColumn<qint8>("languageFlag");
    QTest::newRow("directories, Polish")
        << QStringList{"-l", "pl"} << int(layoutByDirectory) << QString() << qint8(1);
    QTest::newRow("per page, English") << QStringList{"-m", "per-page", "-n", "3"}
                                       << int(layoutFixedCount) << QString("3") << qint8(0);
    QTest::newRow("one page, Polish")
        << QStringList{"-m", "one-page", "-l", "pl"} << int(layoutOnePage) << QString() << qint8(1);
}

void BatchTest::sameAlbumAsTheWindow() {
    QFETCH(QStringList, options);
    QFETCH(int, layoutMode);
    QFETCH(QString, perPageAnswer);
    QFETCH(qint8, languageFlag);

    photo("Lato 2023/plaża.jpg", QSize(640, 480));
    photo("Lato 2023/Góry/szczyt.jpg", QSize(300, 800));
    photo("Lato 2023/b.jpg", QSize(120, 90));
    fixtures::writeFixture(m_src + "/Lato 2023", "ikona.png", fixtures::pngBytes(QSize(40, 40)));
    fixtures::writeFixture(m_src + "/Lato 2023/Góry", "mapa.bmp",
                           fixtures::bmpBytes(QSize(90, 60)));
    const QString extra = photo("zima.jpg", QSize(200, 150));

    // Parameters unlike the start values, a system colour among them.
    AlbumParameters saved;
    saved.layoutMode = layoutByDirectory;
    saved.categorySign = signFirstPhoto;
    saved.categoryColumns = 2;
    saved.mainTableFrame = FrameParameters{true, 3, 0x0000FF, 2};
    saved.thumbnailCellFrame = FrameParameters{true, 1, systemColourFlag | 15, 5};
    saved.albumTitleFont.colour = systemColourFlag | 8;
    saved.photoInformation = true;
    saved.photoInformationType = 1;
    saved.tableFileName.shown = true;
    saved.tableSize.shown = true;
    saved.thumbnailColumns = 3;
    saved.thumbnailWidth = 80;
    saved.pageBackground.enabled = true;
    saved.pageBackground.colour = 0x80FFFF;
    saved.photoDescription = true;
    saved.pageDimensions.shown = true;
    const QString parameters = m_root->filePath("album.ini");
    QCOMPARE(saveParameterFile(parameters, saved), std::nullopt);

    const QString title = "Wakacje nad morzem – żółć";
    const QString batchOut = m_out + "/batch";
    const QString windowOut = m_out + "/window";
    QVERIFY(QDir().mkpath(batchOut));
    QVERIFY(QDir().mkpath(windowOut));

    const Outcome outcome = run(QStringList{"-t", title, "-o", batchOut, "-p", parameters, "-q"} +
                                options + QStringList{m_src + "/Lato 2023", extra});
    QVERIFY2(outcome.status == 0, outcome.err.constData());

    RunInput input;
    const auto add = [&input](const QString& path) {
        if (const std::optional<QString> entry = entryToAdd(path))
            input.photoEntries << *entry;
    };
    scanDirectory(withTrailingSeparator(m_src + "/Lato 2023"), add);
    add(extra);
    QCOMPARE(input.photoEntries.size(), 6);
    const int photoCount = int(input.photoEntries.size());
    const ParameterFileLoad load = loadParameterFile(parameters, AlbumParameters(), photoCount);
    QCOMPARE(load.outcome, ParameterFileLoad::Outcome::Loaded);
    input.parameters = load.parameters;
    input.parameters.layoutMode = layoutMode;
    if (!perPageAnswer.isNull())
        input.parameters.perPageCount = perPageCountFromAnswer(perPageAnswer, photoCount);
    input.albumTitle = title;
    input.albumLocation = windowOut + "/";
    input.languageFlag = languageFlag;
    input.palette = QGuiApplication::palette();
    input.collationLocale = QLocale();
    input.randomSeed = 1;
    SilentObserver observer;
    const RunResult result = runAlbumBuild(input, observer);
    QCOMPARE(result.outcome, RunOutcome::Finished);
    QCOMPARE(outcome.out,
             QFile::encodeName(batchOut + "/" + fileNamePart(result.mainPagePath)) + "\n");

    const QStringList files = albumfixtures::filesBelow(windowOut);
    QCOMPARE(albumfixtures::filesBelow(batchOut), files);
    QVERIFY(files.size() > 20);
    for (const QString& file : files)
        QVERIFY2(testfiles::readBytes(batchOut + "/" + file) ==
                     testfiles::readBytes(windowOut + "/" + file),
                 qPrintable(file));
}

int main(int argc, char* argv[]) {
    // The window's palette as it is without a desktop, which is what kadrela-batch uses.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    BatchTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "BatchTest.moc"

#include "AlbumFixtures.h"

#include "core/photos/PhotoEntry.h"
#include "core/photos/TaggedText.h"
#include "JpegFixtures.h"
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

namespace albumfixtures {

namespace {
QString entryOf(const QString& path) {
    const std::optional<QString> entry = buildPhotoEntry(path, QLocale::c());
    if (!entry)
        qFatal("no photo entry for %s", qPrintable(path));
    return *entry;
}
} // namespace

QString jpegPhoto(const QString& dir, const QString& name, QSize size) {
    QDir().mkpath(dir);
    return entryOf(fixtures::writeFixture(QDir::cleanPath(dir), name, fixtures::jpegBytes(size)));
}

QString pngPhoto(const QString& dir, const QString& name, QSize size) {
    QDir().mkpath(dir);
    return entryOf(fixtures::writeFixture(QDir::cleanPath(dir), name, fixtures::pngBytes(size)));
}

QStringList jpegPhotos(const QString& dir, const QString& prefix, int count) {
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries << jpegPhoto(dir, prefix + QString::number(i) + ".jpg");
    return entries;
}

RunInput buildInput(const QStringList& entries, const QString& location, int layoutMode) {
    RunInput input;
    input.photoEntries = entries;
    input.parameters.layoutMode = layoutMode;
    input.albumTitle = "Wakacje";
    input.albumLocation = location + "/";
    input.languageFlag = 1;
    input.collationLocale = QLocale(QLocale::Polish, QLocale::Poland);
    input.randomSeed = 7;
    return input;
}

QStringList filesBelow(const QString& dir) {
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArrayList fileLines(const QString& path) {
    QByteArrayList lines = testfiles::readBytes(path).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

QByteArray lineWith(const QString& path, const QByteArray& text) {
    for (const QByteArray& line : fileLines(path))
        if (line.contains(text))
            return line;
    return {};
}

QString jpegEntry(const QString& path, int width, int height, const QString& size) {
    return QStringLiteral("<n>%1</n><w>%2</w><h>%3</h><r>%4</r>")
        .arg(path)
        .arg(width)
        .arg(height)
        .arg(size);
}

QString gifEntry(const QString& path, const QString& size) {
    return QStringLiteral("<n>%1</n><r>%2</r><ns>").arg(path, size);
}

QStringList pathsOf(const QStringList& entries) {
    QStringList paths;
    for (const QString& entry : entries)
        paths << tagValue(entry, QStringLiteral("<n>"));
    return paths;
}

QByteArrayList thumbnailPageHead(const QByteArray& caption) {
    return {
        "<html><head>",
        "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">",
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Windows-1250\">",
        "<title>Wakacje - " + caption + "</title>",
        "</head><body>",
        "<h1 align=\"center\" class=\"td01\">Wakacje</h1>",
        "<h2 align=\"center\" class=\"td02\">" + caption + "</h2>",
        "<hr size=\"1\" noshade>",
        "<center>",
        "<table class=\"td1\" cellspacing=\"2\" cellpadding=\"2\">",
    };
}

QMap<QString, QByteArray> treeBelow(const QString& dir) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString name = QDir(dir).relativeFilePath(entry.filePath());
        if (entry.isSymLink())
            tree[name] = "link to " + entry.symLinkTarget().toUtf8();
        else if (entry.isDir())
            tree[name] = "folder";
        else
            tree[name] = testfiles::readBytes(entry.filePath());
    }
    return tree;
}

} // namespace albumfixtures

#include "core/generator/LinkCheck.h"

#include "core/files/FileNames.h"
#include "core/files/FileReading.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace {

// What an attribute value names: character references and the entities the pages write,
// then the %XX escapes of the URL.
QString linkedName(const QString& value) {
    static const QRegularExpression reference(QStringLiteral("&#(\\d+);"));
    QString text = value;
    for (;;) {
        const QRegularExpressionMatch match = reference.match(text);
        if (!match.hasMatch())
            break;
        const char32_t codePoint = match.captured(1).toUInt();
        text.replace(match.capturedStart(), match.capturedLength(),
                     QString::fromUcs4(&codePoint, 1));
    }
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return QUrl::fromPercentEncoding(text.toUtf8());
}

} // namespace

QStringList brokenLinks(const QStringList& pagePaths) {
    static const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    QStringList broken;
    for (const QString& page : pagePaths) {
        QString reason;
        const std::optional<QByteArray> bytes = readRegularFile(page, 64 * 1024 * 1024, &reason);
        if (!bytes) {
            broken << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(page), reason);
            continue;
        }
        QStringDecoder windows1250("windows-1250");
        const QString text = windows1250.decode(*bytes);
        const QDir folder = QFileInfo(page).dir();
        for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
            const QString target = linkedName(match.captured(1));
            if (!pathStatus(QDir::cleanPath(folder.filePath(target))).isFile)
                broken << QStringLiteral("%1 → %2").arg(QDir::toNativeSeparators(page), target);
        }
    }
    return broken;
}

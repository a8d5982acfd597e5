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
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return QUrl::fromPercentEncoding(text.toUtf8());
}

// Pages that declare UTF-8 are read as UTF-8, as a browser reads them.
QString pageText(const QByteArray& bytes) {
    if (bytes.left(1024).toLower().contains(R"(<meta charset="utf-8">)"))
        return QString::fromUtf8(bytes);
    QStringDecoder windows1250("windows-1250");
    return windows1250.decode(bytes);
}

// The files an attribute names: one, or for srcset each candidate's.
QStringList linkedNames(const QString& attribute, const QString& value) {
    if (attribute != QLatin1String("srcset"))
        return {linkedName(value)};
    QStringList names;
    for (const QString& candidate : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString trimmed = candidate.trimmed();
        names << linkedName(trimmed.left(trimmed.indexOf(QLatin1Char(' '))));
    }
    return names;
}

} // namespace

QStringList brokenLinks(const QStringList& pagePaths) {
    static const QRegularExpression link(QStringLiteral(R"re(\s(href|src|srcset)="([^"]*)")re"));
    QStringList broken;
    for (const QString& page : pagePaths) {
        QString reason;
        const std::optional<QByteArray> bytes = readRegularFile(page, 64 * 1024 * 1024, &reason);
        if (!bytes) {
            broken << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(page), reason);
            continue;
        }
        const QString text = pageText(*bytes);
        const QDir folder = QFileInfo(page).dir();
        for (const QRegularExpressionMatch& match : link.globalMatch(text))
            for (const QString& target : linkedNames(match.captured(1), match.captured(2)))
                if (!pathStatus(QDir::cleanPath(folder.filePath(target))).isFile)
                    broken << QStringLiteral("%1 → %2").arg(QDir::toNativeSeparators(page), target);
    }
    return broken;
}

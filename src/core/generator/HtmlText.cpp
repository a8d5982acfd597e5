#include "core/generator/HtmlText.h"

QString urlText(const QString& name) {
    QString result;
    result.reserve(name.size());
    for (const QChar c : name) {
        switch (c.unicode()) {
        case u'%':
            result += QLatin1String("%25");
            break;
        case u'#':
            result += QLatin1String("%23");
            break;
        case u'?':
            result += QLatin1String("%3F");
            break;
        case u'"':
            result += QLatin1String("%22");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString attributeText(const QString& text) {
    QString result = text;
    result.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return result;
}

QString contentTypeLine(qint8 languageFlag) {
    if (languageFlag != 0)
        return QStringLiteral(
            R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=Windows-1250">)");
    return QStringLiteral(R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html">)");
}

QString htmlEscaped(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            result += QLatin1String("&amp;");
            break;
        case u'<':
            result += QLatin1String("&lt;");
            break;
        case u'>':
            result += QLatin1String("&gt;");
            break;
        case u'"':
            result += QLatin1String("&quot;");
            break;
        default:
            result += c;
        }
    }
    return result;
}

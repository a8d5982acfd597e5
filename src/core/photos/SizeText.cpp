#include "core/photos/SizeText.h"

#include "core/files/FileNames.h"

#include <array>
#include <charconv>

namespace {

// Plain "%.2f" of the C locale; std::to_chars ignores whatever the process locale says, so
// the only separator that can appear is the one put in below.
QString fixedTwoDecimals(double value, const QLocale& locale) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

} // namespace

QString sizeText(qint64 bytes, const QLocale& locale) {
    constexpr qint64 kibi = 1024;
    constexpr qint64 mebi = kibi * 1024;
    constexpr qint64 gibi = mebi * 1024;
    // A negative size only comes from a file system that could not answer; show it as nothing.
    if (bytes < 0)
        bytes = 0;
    const auto value = static_cast<double>(bytes);
    if (bytes < kibi)
        return fixedTwoDecimals(value, locale) + QStringLiteral(" B");
    if (bytes < mebi)
        return fixedTwoDecimals(value / kibi, locale) + QStringLiteral(" KB");
    if (bytes < gibi)
        return fixedTwoDecimals(value / mebi, locale) + QStringLiteral(" MB");
    return fixedTwoDecimals(value / gibi, locale) + QStringLiteral(" GB");
}

QString fileSizeText(const QString& path, const QLocale& locale) {
    const PathStatus status = pathStatus(path);
    return sizeText(status.isFile ? status.size : 0, locale);
}

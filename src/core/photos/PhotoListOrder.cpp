#include "core/photos/PhotoListOrder.h"

#include "core/photos/PhotoEntry.h"

#include "core/photos/PathParts.h"
#include "core/photos/TaggedText.h"

#include <algorithm>

namespace {

QString photoPath(const QString& entry) {
    return tagValue(entry, QStringLiteral("<n>"));
}

} // namespace

QString displayText(const QString& entry, DisplayMode mode) {
    const QString path = photoPath(entry);
    return mode == DisplayMode::FullPath ? path : fileNamePart(path);
}

QCollator photoListCollator(const QLocale& locale) {
    // The C locale (Debian's default when none is set up) would compare code points: "ż"
    // after "z" and every capital before every small letter. English has no collation of its
    // own, so it gives the language-neutral root order.
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

bool directoryRecordLess(const QCollator& collator, const QString& a, const QString& b) {
    // Directory part first, then the index: a collation may weigh accents (and, for a file
    // system that tells case apart, letter case) only after every base letter of the whole
    // text, which would let the index digits interleave the records of two directories.
    const auto collatedLess = [&collator](const QString& x, const QString& y) {
        const int order = collator.compare(x, y);
        return order != 0 ? order < 0 : x < y;
    };
    const QString closing = QStringLiteral("</dn>");
    const qsizetype endA = a.indexOf(closing) + closing.size();
    const qsizetype endB = b.indexOf(closing) + closing.size();
    const QString directoryA = a.left(endA);
    const QString directoryB = b.left(endB);
    if (directoryA != directoryB)
        return collatedLess(directoryA, directoryB);
    return collatedLess(a.mid(endA), b.mid(endB));
}

QString directoryRecord(const QString& entry, qsizetype index) {
    return QStringLiteral("<dn>") + directoryPart(photoPath(entry)) + QStringLiteral("</dn><dp>") +
           QString::number(index) + QStringLiteral("</dp>");
}

QStringList sortedPhotoList(const QStringList& entries, const QCollator& collator) {
    if (entries.size() < 2)
        return entries;
    const auto before = [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    };

    QStringList records;
    records.reserve(entries.size());
    for (qsizetype k = 0; k < entries.size(); ++k)
        records << directoryRecord(entries[k], k);
    std::sort(records.begin(), records.end(), [&collator](const QString& a, const QString& b) {
        return directoryRecordLess(collator, a, b);
    });

    QStringList byDirectory;
    byDirectory.reserve(entries.size());
    for (const QString& record : std::as_const(records)) {
        bool isNumber = false;
        const qsizetype k = tagValue(record, QStringLiteral("<dp>")).toLongLong(&isNumber);
        if (isNumber && k >= 0 && k < entries.size())
            byDirectory << entries[k];
    }
    records.clear();

    // Directories that only the collation calls equal ("/A" and "/a") stay apart here: a group
    // is a run of entries whose directories match byte for byte.
    QStringList sorted;
    sorted.reserve(byDirectory.size());
    qsizetype groupStart = 0;
    while (groupStart < byDirectory.size()) {
        const QString directory = directoryPart(photoPath(byDirectory[groupStart]));
        qsizetype groupEnd = groupStart + 1;
        while (groupEnd < byDirectory.size() &&
               directoryPart(photoPath(byDirectory[groupEnd])) == directory)
            ++groupEnd;
        QStringList group = byDirectory.mid(groupStart, groupEnd - groupStart);
        std::stable_sort(group.begin(), group.end(), before);
        sorted << group;
        groupStart = groupEnd;
    }
    return sorted;
}

QStringList sortedByDateTaken(const QStringList& entries, const QCollator& collator) {
    QStringList sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), [&collator](const QString& a, const QString& b) {
        const QString dateA = photoDateTaken(a);
        const QString dateB = photoDateTaken(b);
        if (dateA.isEmpty() != dateB.isEmpty())
            return !dateA.isEmpty();
        if (dateA != dateB)
            return dateA < dateB; // "YYYY-MM-DD HH:MM:SS" orders as text
        return collator.compare(displayText(a, DisplayMode::FileName),
                                displayText(b, DisplayMode::FileName)) < 0;
    });
    return sorted;
}

QString photoToolTip(const QString& entry) {
    QStringList lines;
    for (const QString& line : {photoDateTaken(entry), photoCaption(entry)})
        if (!line.isEmpty())
            lines << line;
    return lines.join(u'\n');
}

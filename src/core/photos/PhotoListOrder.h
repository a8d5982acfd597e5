#pragma once

#include <QCollator>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <utility>

// The order and the look of the photo list: what a row shows, moving selected rows, sorting.
// Rows are whole photo entries; nothing here ever changes an entry's text.

enum class DisplayMode { FileName, FullPath };

// The "<n>" path of the entry, or only its file name.
QString displayText(const QString& entry, DisplayMode mode);

// Every selected row moves one place towards the top; a block of adjacent selected rows moves
// as a block and the selection travels with the rows. Nothing happens (false) when nothing is
// selected, there are fewer than two rows, the first row is selected, or the flags do not
// match the rows.
template <typename Row> bool moveSelectedUp(QList<Row>& rows, QList<bool>& selected) {
    if (rows.size() < 2 || selected.size() != rows.size() || !selected.contains(true) ||
        selected.first())
        return false;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (!selected[i])
            continue;
        std::swap(rows[i], rows[i - 1]);
        selected[i - 1] = true;
        selected[i] = false;
    }
    return true;
}

// The same towards the bottom; blocked by a selected last row.
template <typename Row> bool moveSelectedDown(QList<Row>& rows, QList<bool>& selected) {
    if (rows.size() < 2 || selected.size() != rows.size() || !selected.contains(true) ||
        selected.last())
        return false;
    for (qsizetype i = rows.size() - 2; i >= 0; --i) {
        if (!selected[i])
            continue;
        std::swap(rows[i], rows[i + 1]);
        selected[i + 1] = true;
        selected[i] = false;
    }
    return true;
}

// The comparison the sort uses: the locale's collation with letter case ignored.
QCollator photoListCollator(const QLocale& locale = QLocale());

// "<dn>directory</dn><dp>index</dp>": what the sort orders the directories by. The markup takes
// part in the comparison, so "</dn>" decides between a directory and a longer one it prefixes.
// The order of directory records: by directory, then by index compared as text.
bool directoryRecordLess(const QCollator& collator, const QString& a, const QString& b);
QString directoryRecord(const QString& entry, qsizetype index);

// Groups the photos by directory, the groups in the order of their directory records, and
// orders each group by whole entry text. Fewer than two entries come back unchanged.
QStringList sortedPhotoList(const QStringList& entries, const QCollator& collator);

// The photos in the order they were taken (by the date their metadata records); photos without
// a date come after those with one, by file name. Equal keys keep their order.
QStringList sortedByDateTaken(const QStringList& entries, const QCollator& collator);

// What a row's tooltip says of its photo: the date it was taken and its caption, a line each;
// empty when the photo records neither.
QString photoToolTip(const QString& entry);

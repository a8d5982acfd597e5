#pragma once

#include "core/photos/PhotoListOrder.h"

#include <QListView>
#include <QStringList>

class PhotoListModel;

// ListBox1: the photo list itself. Its rows are the photo entries, in album order; each row
// is drawn by hand as its display text (file name or full path) on 17-pixel rows.
class PhotoListBox : public QListView {
    Q_OBJECT
public:
    explicit PhotoListBox(QWidget* parent = nullptr);

    const QStringList& entries() const;
    int count() const;
    void appendEntry(const QString& entry);

    // Rows selected (true) or not, one flag per row.
    QList<bool> selectionFlags() const;
    void setSelectionFlags(const QList<bool>& selected);
    void removeSelectedRows();
    // Both give false, and change nothing, when the move is blocked.
    bool moveSelectedRowsUp();
    bool moveSelectedRowsDown();
    // Puts the same entries in a new order; no row is selected afterwards.
    void reorder(const QStringList& entries);

    DisplayMode displayMode() const { return m_displayMode; }
    void setDisplayMode(DisplayMode mode);

    // The width the rows can be scrolled over sideways: the widest display text as it was
    // when last refreshed. It is refreshed on purpose, not after every row, so that adding
    // thousands of photos does not measure every row thousands of times.
    int horizontalExtent() const { return m_horizontalExtent; }
    int widestDisplayText() const;
    void refreshHorizontalExtent();

    // The row with the keyboard caret, or -1.
    int focusedRow() const;

    static constexpr int rowHeight = 17;
    static const QColor backgroundColour;
    static const QColor selectionColour;

signals:
    // The person moved the caret, by a click or from the keyboard; moves and sorts made by
    // the program do not count.
    void focusedRowChosen(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool applyMove(bool (*move)(QList<int>&, QList<bool>&));

    PhotoListModel* m_model = nullptr;
    DisplayMode m_displayMode = DisplayMode::FileName;
    int m_horizontalExtent = 0;
};

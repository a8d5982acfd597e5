#include "gui/photos/PhotoListBox.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextDocument>

#include <numeric>

const QColor PhotoListBox::backgroundColour = QColor(0xFF, 0xFF, 0xF4);
const QColor PhotoListBox::selectionColour = QColor(0xD7, 0xEA, 0xFF);

class PhotoListModel : public QAbstractListModel {
public:
    PhotoListModel(const PhotoListBox* box, QObject* parent)
        : QAbstractListModel(parent)
        , m_box(box) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_entries.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= m_entries.size())
            return {};
        const QString& entry = m_entries[index.row()];
        switch (role) {
        case Qt::DisplayRole: // also what type-ahead search and accessibility read
            return displayText(entry, m_box->displayMode());
        case Qt::ToolTipRole: {
            // A caption is the photo's own text: shown as it is, never taken for markup.
            const QString tip = photoToolTip(entry);
            return tip.isEmpty() ? QVariant()
                                 : QVariant(Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal));
        }
        case Qt::UserRole:
            return entry;
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    const QStringList& entries() const { return m_entries; }

    void append(const QString& entry) {
        const int row = int(m_entries.size());
        beginInsertRows({}, row, row);
        m_entries.append(entry);
        endInsertRows();
    }

    void removeRuns(const QList<bool>& selected) {
        for (qsizetype last = m_entries.size() - 1; last >= 0; --last) {
            if (!selected.value(last))
                continue;
            qsizetype first = last;
            while (first > 0 && selected.value(first - 1))
                --first;
            beginRemoveRows({}, int(first), int(last));
            m_entries.remove(first, last - first + 1);
            endRemoveRows();
            last = first;
        }
    }

    // Same number of rows, new texts: the views keep their rows and only repaint.
    void replaceTexts(const QStringList& entries) {
        if (entries.size() != m_entries.size())
            return;
        m_entries = entries;
        if (!m_entries.isEmpty())
            emit dataChanged(index(0), index(int(m_entries.size()) - 1));
    }

    void displayTextsChanged() {
        if (!m_entries.isEmpty())
            emit dataChanged(index(0), index(int(m_entries.size()) - 1), {Qt::DisplayRole});
    }

private:
    const PhotoListBox* m_box;
    QStringList m_entries;
};

namespace {

constexpr int textMargin = 2;

class PhotoRowDelegate : public QStyledItemDelegate {
public:
    explicit PhotoRowDelegate(PhotoListBox* box)
        : QStyledItemDelegate(box)
        , m_box(box) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        // The text starts textMargin in; as much again after it, so that the list scrolls
        // far enough to show its last letter.
        return QSize(m_box->horizontalExtent() + 2 * textMargin, PhotoListBox::rowHeight);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        // A row is as wide as the widest text, which may be narrower than the list: the
        // colour goes on to the list's right edge.
        QRect row = option.rect;
        row.setRight(std::max(row.right(), m_box->viewport()->width() - 1 +
                                               m_box->horizontalScrollBar()->value()));
        painter->fillRect(row, selected ? PhotoListBox::selectionColour
                                        : PhotoListBox::backgroundColour);
        // The selection colour is a pale blue: the desktop's highlighted-text colour (white on
        // most themes) would vanish on it, so selected rows keep the list's black text.
        painter->setPen(QColor(Qt::black));
        painter->setFont(option.font);
        painter->drawText(row.adjusted(textMargin, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            // Inverting the pixels keeps the dots visible on both row colours.
            painter->save();
            painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(row.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }

private:
    PhotoListBox* m_box;
};

} // namespace

PhotoListBox::PhotoListBox(QWidget* parent)
    : QListView(parent)
    , m_model(new PhotoListModel(this, this)) {
    setObjectName(QStringLiteral("ListBox1"));
    setModel(m_model);
    setItemDelegate(new PhotoRowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, backgroundColour);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    connect(this, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& index) { emit focusedRowChosen(index.row()); });
}

const QStringList& PhotoListBox::entries() const {
    return m_model->entries();
}

int PhotoListBox::count() const {
    return int(m_model->entries().size());
}

void PhotoListBox::appendEntry(const QString& entry) {
    m_model->append(entry);
}

QList<bool> PhotoListBox::selectionFlags() const {
    QList<bool> selected(count(), false);
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (row >= 0 && row < selected.size())
                selected[row] = true;
    return selected;
}

void PhotoListBox::setSelectionFlags(const QList<bool>& selected) {
    QItemSelection selection;
    for (int row = 0; row < count(); ++row) {
        if (!selected.value(row))
            continue;
        int last = row;
        while (last + 1 < count() && selected.value(last + 1))
            ++last;
        selection.select(m_model->index(row), m_model->index(last));
        row = last;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void PhotoListBox::removeSelectedRows() {
    m_model->removeRuns(selectionFlags());
}

bool PhotoListBox::applyMove(bool (*move)(QList<int>&, QList<bool>&)) {
    // The move runs on row numbers, so that the caret can follow the photo it was on.
    QList<int> order(count());
    std::iota(order.begin(), order.end(), 0);
    QList<bool> selected = selectionFlags();
    if (!move(order, selected))
        return false;
    const QStringList& before = m_model->entries();
    QStringList after;
    after.reserve(order.size());
    for (const int row : std::as_const(order))
        after << before[row];
    const int caret = focusedRow();
    m_model->replaceTexts(after);
    if (caret >= 0)
        selectionModel()->setCurrentIndex(m_model->index(int(order.indexOf(caret))),
                                          QItemSelectionModel::NoUpdate);
    setSelectionFlags(selected);
    return true;
}

bool PhotoListBox::moveSelectedRowsUp() {
    return applyMove(&moveSelectedUp<int>);
}

bool PhotoListBox::moveSelectedRowsDown() {
    return applyMove(&moveSelectedDown<int>);
}

void PhotoListBox::reorder(const QStringList& entries) {
    selectionModel()->clearSelection();
    m_model->replaceTexts(entries);
}

void PhotoListBox::setDisplayMode(DisplayMode mode) {
    m_displayMode = mode;
    m_model->displayTextsChanged();
    viewport()->update();
}

int PhotoListBox::widestDisplayText() const {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& entry : m_model->entries())
        widest = std::max(widest, metrics.horizontalAdvance(displayText(entry, m_displayMode)));
    return widest;
}

void PhotoListBox::refreshHorizontalExtent() {
    m_horizontalExtent = widestDisplayText();
    doItemsLayout();
}

int PhotoListBox::focusedRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void PhotoListBox::keyPressEvent(QKeyEvent* event) {
    const int before = focusedRow();
    QListView::keyPressEvent(event);
    const int after = focusedRow();
    if (after >= 0 && after != before)
        emit focusedRowChosen(after);
}

#include "gui/app/PageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {
constexpr int iconSize = 16;
constexpr int horizontalPadding = 14;
constexpr int iconTextGap = 4;
constexpr int pageMargin = 4;
} // namespace

PageControl::PageControl(QWidget* parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this)) {
    setFocusPolicy(Qt::TabFocus);
    connect(m_stack, &QStackedWidget::currentChanged, this, [this](int index) {
        layoutTabs();
        update();
        emit currentChanged(index);
    });
}

int PageControl::addPage(QWidget* page, const QIcon& icon, const QString& caption) {
    m_tabs.append(Tab{icon, caption, {}});
    const int index = m_stack->addWidget(page);
    layoutTabs();
    update();
    return index;
}

int PageControl::count() const {
    return int(m_tabs.size());
}

QWidget* PageControl::page(int index) const {
    return m_stack->widget(index);
}

QString PageControl::tabText(int index) const {
    return index >= 0 && index < count() ? m_tabs[index].text : QString();
}

void PageControl::setTabText(int index, const QString& text) {
    if (index < 0 || index >= count())
        return;
    m_tabs[index].text = text;
    layoutTabs();
    update();
}

int PageControl::currentIndex() const {
    return m_stack->currentIndex();
}

void PageControl::setCurrentIndex(int index) {
    if (index >= 0 && index < count())
        m_stack->setCurrentIndex(index);
}

QRect PageControl::tabRect(int index) const {
    return index >= 0 && index < count() ? m_tabs[index].rect : QRect();
}

int PageControl::tabRowCount() const {
    return m_rows;
}

int PageControl::heightForPageHeight(int pageHeight) const {
    return 2 + m_rows * tabRowHeight() + 2 * pageMargin + pageHeight;
}

QSize PageControl::sizeHint() const {
    return QSize(400, 300);
}

int PageControl::tabRowHeight() const {
    return qMax(iconSize, fontMetrics().height()) + 6;
}

int PageControl::naturalTabWidth(const Tab& tab) const {
    int width = fontMetrics().horizontalAdvance(tab.text) + 2 * horizontalPadding;
    if (!tab.icon.isNull())
        width += iconSize + iconTextGap;
    return width;
}

void PageControl::layoutTabs() {
    const int available = qMax(1, width() - 4);
    // Greedy rows in tab order, each row then stretched to the full width.
    QList<QList<int>> rows;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = naturalTabWidth(m_tabs[i]);
        if (rows.isEmpty() || (used + w > available && !rows.back().isEmpty())) {
            rows.append(QList<int>());
            used = 0;
        }
        rows.back().append(i);
        used += w;
    }
    m_rows = qMax(1, int(rows.size()));

    // The rows stay where they are whichever tab is current: a row that jumped to the page
    // would put another tab under the pointer for the next click.
    const int rowHeight = tabRowHeight();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QList<int>& row = rows[r];
        int natural = 0;
        for (int index : row)
            natural += naturalTabWidth(m_tabs[index]);
        const int extra = available - natural;
        int x = 2;
        for (qsizetype k = 0; k < row.size(); ++k) {
            const int index = row[k];
            int w = naturalTabWidth(m_tabs[index]);
            if (rows.size() > 1 && extra > 0) // several rows are justified, like the original
                w += extra / int(row.size()) + (k < extra % row.size() ? 1 : 0);
            m_tabs[index].rect = QRect(x, 2 + int(r) * rowHeight, w, rowHeight);
            x += w;
        }
    }
    const int barHeight = 2 + m_rows * rowHeight;
    m_stack->setGeometry(pageMargin, barHeight + pageMargin, width() - 2 * pageMargin,
                         height() - barHeight - 2 * pageMargin);
}

void PageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int barHeight = 2 + m_rows * tabRowHeight();
    const QPalette& colours = palette();
    const QColor border = colours.color(QPalette::Mid);

    // The page's frame; the current tab opens into it.
    const QRect frame(0, barHeight - 1, width() - 1, height() - barHeight);
    painter.setPen(border);
    painter.setBrush(colours.color(QPalette::Window));
    painter.drawRect(frame);

    const int current = currentIndex();
    auto drawTab = [&](int index) {
        const bool selected = index == current;
        QRect rect = m_tabs[index].rect.adjusted(0, 0, -1, 0);
        if (!selected)
            rect.adjust(1, 2, -1, -1);
        painter.setPen(border);
        painter.setBrush(colours.color(selected ? QPalette::Window : QPalette::Button));
        painter.drawRoundedRect(rect, 2, 2);
        if (selected) {
            // Marked along its top; where it touches the page, the two are one surface.
            painter.fillRect(rect.left() + 1, rect.top() + 1, rect.width() - 1, 3,
                             colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::Highlight));
            if (rect.bottom() >= barHeight - 3)
                painter.fillRect(rect.left() + 1, rect.bottom() - 1, rect.width() - 1, 3,
                                 colours.color(QPalette::Window));
        }

        QRect content = rect.adjusted(horizontalPadding / 2, 0, -horizontalPadding / 2, 0);
        const QString& text = m_tabs[index].text;
        const int textWidth = fontMetrics().horizontalAdvance(text);
        const bool hasIcon = !m_tabs[index].icon.isNull();
        const int contentWidth = textWidth + (hasIcon ? iconSize + iconTextGap : 0);
        int x = content.left() + qMax(0, (content.width() - contentWidth) / 2);
        if (hasIcon) {
            const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
            m_tabs[index].icon.paint(
                &painter, QRect(x, rect.center().y() - iconSize / 2 + 1, iconSize, iconSize),
                Qt::AlignCenter, mode);
            x += iconSize + iconTextGap;
        }
        painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                     QPalette::ButtonText));
        painter.drawText(QRect(x, rect.top(), content.right() - x + 1, rect.height()),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
        if (selected && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect.adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    };
    for (int i = 0; i < count(); ++i)
        if (i != current)
            drawTab(i);
    if (current >= 0)
        drawTab(current);
}

void PageControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    for (int i = 0; i < count(); ++i) {
        if (m_tabs[i].rect.contains(event->position().toPoint())) {
            setCurrentIndex(i);
            return;
        }
    }
}

void PageControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left && currentIndex() > 0)
        setCurrentIndex(currentIndex() - 1);
    else if (event->key() == Qt::Key_Right && currentIndex() + 1 < count())
        setCurrentIndex(currentIndex() + 1);
    else
        QWidget::keyPressEvent(event);
}

void PageControl::resizeEvent(QResizeEvent*) {
    layoutTabs();
}

void PageControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layoutTabs();
    QWidget::changeEvent(event);
}

#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class QStackedWidget;

// Tab pages whose tabs wrap onto several rows when they do not fit side by side, so every
// caption stays readable in full. As on the desktop the program came from, the row that
// holds the current tab is drawn next to the page.
class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    int addPage(QWidget* page, const QIcon& icon, const QString& caption);
    int count() const;
    QWidget* page(int index) const;
    QString tabText(int index) const;
    void setTabText(int index, const QString& text);
    int currentIndex() const;
    void setCurrentIndex(int index);
    // The rectangle of a tab in this widget's coordinates (empty for a bad index).
    QRect tabRect(int index) const;
    int tabRowCount() const;
    // The height that leaves a page pageHeight pixels under the tabs as they lie now.
    int heightForPageHeight(int pageHeight) const;

    QSize sizeHint() const override;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Tab {
        QIcon icon;
        QString text;
        QRect rect;
    };

    void layoutTabs();
    int tabRowHeight() const;
    int naturalTabWidth(const Tab& tab) const;

    QList<Tab> m_tabs;
    QStackedWidget* m_stack = nullptr;
    int m_rows = 1;
};

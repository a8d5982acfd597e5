#include "photos/PhotoListTab.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

QLabel* makeLabel(QWidget* parent, const char* objectName, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* objectName, const QRect& geometry,
                    const QColor& background) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    edit->setGeometry(geometry);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, background);
    edit->setPalette(colours);
    return edit;
}

// The frame behind the preview: a soft raised border around a dark well.
QPixmap previewFramePicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(QColor(0x6b, 0x7f, 0x99));
    QPainter painter(&picture);
    painter.setPen(QColor(0xc9, 0xd6, 0xe8));
    painter.drawLine(0, 0, size.width() - 1, 0);
    painter.drawLine(0, 0, 0, size.height() - 1);
    painter.setPen(QColor(0x3b, 0x4a, 0x5e));
    painter.drawLine(size.width() - 1, 0, size.width() - 1, size.height() - 1);
    painter.drawLine(0, size.height() - 1, size.width() - 1, size.height() - 1);
    painter.fillRect(QRect(4, 4, size.width() - 8, size.height() - 8), QColor(0x26, 0x2b, 0x33));
    return picture;
}

} // namespace

PhotoListTab::PhotoListTab(QWidget* page)
    : QObject(page) {
    makeLabel(page, "Label12", QStringLiteral("Lista zdjęć"), 3, 5);
    m_countLabel = makeLabel(page, "Label14", QStringLiteral("Ilość zdjęć : 0"), 123, 5);
    m_countLabel->setMinimumWidth(125);
    makeLabel(page, "Label13", QStringLiteral("Podgląd zdjęcia :"), 256, 5);

    m_listPanel = new QFrame(page);
    m_listPanel->setObjectName(QStringLiteral("Panel9"));
    m_listPanel->setGeometry(3, 24, 238, 219);
    auto* toolBar = new QWidget(m_listPanel);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setGeometry(m_listPanel->width() - toolButtonSize, 0, toolButtonSize,
                         m_listPanel->height());
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_FileIcon,
        QStyle::SP_DirIcon,
        QStyle::SP_TrashIcon,
        QStyle::SP_ArrowUp,
        QStyle::SP_ArrowDown,
        QStyle::SP_FileDialogListView,
        QStyle::SP_MessageBoxInformation,
        QStyle::SP_FileDialogDetailedView,
    };
    for (int i = 0; i < 8; ++i) {
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(i + 1));
        button->setIcon(page->style()->standardIcon(icons[i]));
        button->setAutoRaise(true);
        button->setGeometry(0, i * toolButtonSize, toolButtonSize, toolButtonSize);
        m_toolButtons << button;
    }

    m_previewFrame = new QLabel(page);
    m_previewFrame->setObjectName(QStringLiteral("Image2"));
    m_previewFrame->setGeometry(252, 24, 245, 221);
    m_previewFrame->setPixmap(previewFramePicture(m_previewFrame->size()));
    m_preview = new QLabel(page);
    m_preview->setObjectName(QStringLiteral("Image1"));
    m_preview->setGeometry(256, 28, 237, 213);
    m_preview->setAlignment(Qt::AlignCenter);

    makeLabel(page, "Label11", QStringLiteral("Tytuł abumu :"), 3, 249);
    m_albumTitle = makeEdit(page, "Edit9", QRect(3, 268, 494, 21), QColor(0xF2, 0xF9, 0xFF));
    makeLabel(page, "Label1", QStringLiteral("Katalog zapisu albumu :"), 3, 295);
    m_albumLocation = makeEdit(page, "Edit1", QRect(3, 314, 454, 21), QColor(0xF9, 0xFF, 0xF9));
    m_albumLocation->setReadOnly(true);
    m_albumLocationButton = new QPushButton(page);
    m_albumLocationButton->setObjectName(QStringLiteral("BitBtn1"));
    m_albumLocationButton->setGeometry(469, 311, 28, 28);
    m_albumLocationButton->setIcon(page->style()->standardIcon(QStyle::SP_DirOpenIcon));
}

QToolButton* PhotoListTab::toolButton(int number) const {
    return number >= 1 && number <= m_toolButtons.size() ? m_toolButtons[number - 1] : nullptr;
}

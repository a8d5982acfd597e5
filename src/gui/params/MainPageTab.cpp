#include "gui/params/MainPageTab.h"

#include <QComboBox>
#include <QGroupBox>

MainPageTab::MainPageTab(QWidget* page)
    : ParameterTab(page) {
    // Grouping of the photos, left, beside the picture that stands for a category.
    QGroupBox* layout = addGroupBox(page, "GroupBox5", QRect(4, 4, 239, 94));
    m_layoutMode = addComboBox(layout, "ComboBox2", QRect(6, 21, 227, 22));
    addLabel(layout, "Label3", QRect(6, 66, 150, 22));
    m_categoryColumns = addSpinEdit(layout, "UpDown7", "Edit12", 1, 10, QRect(158, 66, 44, 23));

    QGroupBox* sign = addGroupBox(page, "GroupBox6", QRect(247, 4, 256, 94));
    m_categorySign = addComboBox(sign, "ComboBox10", QRect(6, 21, 244, 22));
    addLabel(sign, "Label5", QRect(6, 45, 244, 18));
    addLabel(sign, "Label31", QRect(6, 66, 63, 22));
    m_categoryThumbnailWidth =
        addSpinEdit(sign, "UpDown8", "Edit13", 10, 1000, QRect(70, 66, 56, 23));
    addLabel(sign, "Label32", QRect(130, 66, 63, 22));
    m_categoryThumbnailHeight =
        addSpinEdit(sign, "UpDown9", "Edit14", 10, 1000, QRect(194, 66, 56, 23));

    QGroupBox* frames = addGroupBox(page, "GroupBox7", QRect(4, 102, 499, 114));
    m_tableFrame = addFrameColumn(frames, QPoint(8, 21),
                                  {"CheckBox18", "Label33", "UpDown10", "Edit15", "Label34",
                                   "Panel7", "Label35", "ComboBox11"});
    m_cellFrame = addFrameColumn(frames, QPoint(256, 21),
                                 {"CheckBox19", "Label36", "UpDown11", "Edit16", "Label37",
                                  "Panel8", "Label38", "ComboBox12"});

    QGroupBox* title = addGroupBox(page, "GroupBox8", QRect(4, 220, 499, 126));
    m_titleFont = addFontSample(title, "Label4", QRect(6, 20, 487, 100), Qt::AlignCenter);
    m_titleFont->setToolTip(QStringLiteral("Zmień czcionkę"));
}

void MainPageTab::showParameters(const AlbumParameters& parameters) {
    const auto silence = silenceControls();
    m_layoutMode->setCurrentIndex(parameters.layoutMode);
    m_categoryColumns->setValue(parameters.categoryColumns);
    m_categorySign->setCurrentIndex(parameters.categorySign);
    m_categoryThumbnailWidth->setValue(parameters.categoryThumbnailWidth);
    m_categoryThumbnailHeight->setValue(parameters.categoryThumbnailHeight);
    m_tableFrame.show(parameters.mainTableFrame);
    m_cellFrame.show(parameters.mainCellFrame);
    m_titleFont->setFontSpec(parameters.albumTitleFont);
}

void MainPageTab::readParameters(AlbumParameters& parameters) const {
    parameters.layoutMode = m_layoutMode->currentIndex();
    parameters.categoryColumns = m_categoryColumns->value();
    parameters.categorySign = m_categorySign->currentIndex();
    parameters.categoryThumbnailWidth = m_categoryThumbnailWidth->value();
    parameters.categoryThumbnailHeight = m_categoryThumbnailHeight->value();
    parameters.mainTableFrame = m_tableFrame.read();
    parameters.mainCellFrame = m_cellFrame.read();
    parameters.albumTitleFont = m_titleFont->fontSpec();
}

#include "gui/params/AlbumPagesTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

AlbumPagesTab::AlbumPagesTab(QWidget* page)
    : ParameterTab(page) {
    QGroupBox* frames = addGroupBox(page, "GroupBox3", QRect(4, 4, 499, 114));
    m_tableFrame = addFrameColumn(
        frames, QPoint(8, 21),
        {"CheckBox5", "Label6", "UpDown2", "Edit3", "Label24", "Panel5", "Label26", "ComboBox8"});
    m_cellFrame = addFrameColumn(
        frames, QPoint(256, 21),
        {"CheckBox1", "Label15", "UpDown5", "Edit10", "Label25", "Panel6", "Label27", "ComboBox9"});

    // Photo information: the switch and the kind of description on the left, the pieces of
    // information with their fonts in the middle, the columns of the table on the right.
    QGroupBox* table = addGroupBox(page, "GroupBox9", QRect(4, 122, 499, 86));
    m_photoInformation = addCheckBox(table, "CheckBox9", QRect(6, 21, 224, 19));
    addLabel(table, "Label41", QRect(6, 42, 224, 16));
    m_photoInformationType = addComboBox(table, "ComboBox13", QRect(6, 59, 180, 22));
    m_photoInformationType->setToolTip(
        QStringLiteral("Opcja interaktywnych opisów nie działa dobrze pod Internet Explorerem"));

    m_fileName = addInfoRow(table, {236, 21}, "CheckBox10", "Label28");
    m_dimensions = addInfoRow(table, {236, 41}, "CheckBox11", "Label29");
    m_size = addInfoRow(table, {236, 61}, "CheckBox12", "Label30");

    addLabel(table, "Label2", QRect(400, 21, 93, 16));
    m_columns = addSpinEdit(table, "UpDown1", "Edit2", 1, 100, QRect(400, 39, 50, 23));

    // One row; the size captions sit above their spin edits so that the long list item
    // and the switch still fit beside them.
    QGroupBox* thumbnails = addGroupBox(page, "GroupBox4", QRect(4, 212, 499, 62));
    m_thumbnailKind = addComboBox(thumbnails, "ComboBox1", QRect(6, 36, 214, 22));
    addLabel(thumbnails, "Label8", QRect(230, 20, 64, 16));
    m_thumbnailWidth =
        addSpinEdit(thumbnails, "UpDown3", "Edit7", 10, 1000, QRect(230, 36, 56, 23));
    addLabel(thumbnails, "Label9", QRect(302, 20, 64, 16));
    m_thumbnailHeight =
        addSpinEdit(thumbnails, "UpDown4", "Edit8", 10, 1000, QRect(302, 36, 56, 23));
    m_brighten = addCheckBox(thumbnails, "CheckBox20", QRect(378, 37, 110, 19));
    m_brighten->setToolTip(QStringLiteral("Opcja pozwala ustawić przyciemnienie miniatur zdjęć i "
                                          "rozjaśnianie ich po najechaniu kursorem"));

    QGroupBox* pageTitle = addGroupBox(page, "GroupBox10", QRect(4, 278, 247, 68));
    m_pageTitleFont = addFontSample(pageTitle, "Label10", QRect(6, 20, 235, 44), Qt::AlignCenter);
    QGroupBox* description = addGroupBox(page, "GroupBox12", QRect(256, 278, 247, 68));
    m_pageDescriptionFont =
        addFontSample(description, "Label40", QRect(6, 20, 235, 44), Qt::AlignCenter);
}

void AlbumPagesTab::showParameters(const AlbumParameters& parameters) {
    const auto silence = silenceControls();
    m_tableFrame.show(parameters.thumbnailTableFrame);
    m_cellFrame.show(parameters.thumbnailCellFrame);
    m_photoInformation->setChecked(parameters.photoInformation);
    m_photoInformationType->setCurrentIndex(parameters.photoInformationType);
    m_fileName.show(parameters.tableFileName);
    m_dimensions.show(parameters.tableDimensions);
    m_size.show(parameters.tableSize);
    m_columns->setValue(parameters.thumbnailColumns);
    m_thumbnailKind->setCurrentIndex(parameters.thumbnailKind);
    m_thumbnailWidth->setValue(parameters.thumbnailWidth);
    m_thumbnailHeight->setValue(parameters.thumbnailHeight);
    m_brighten->setChecked(parameters.brightenThumbnails);
    m_pageTitleFont->setFontSpec(parameters.pageTitleFont);
    m_pageDescriptionFont->setFontSpec(parameters.pageDescriptionFont);
}

void AlbumPagesTab::readParameters(AlbumParameters& parameters) const {
    parameters.thumbnailTableFrame = m_tableFrame.read();
    parameters.thumbnailCellFrame = m_cellFrame.read();
    parameters.photoInformation = m_photoInformation->isChecked();
    parameters.photoInformationType = m_photoInformationType->currentIndex();
    parameters.tableFileName = m_fileName.read();
    parameters.tableDimensions = m_dimensions.read();
    parameters.tableSize = m_size.read();
    parameters.thumbnailColumns = m_columns->value();
    parameters.thumbnailKind = m_thumbnailKind->currentIndex();
    parameters.thumbnailWidth = m_thumbnailWidth->value();
    parameters.thumbnailHeight = m_thumbnailHeight->value();
    parameters.brightenThumbnails = m_brighten->isChecked();
    parameters.pageTitleFont = m_pageTitleFont->fontSpec();
    parameters.pageDescriptionFont = m_pageDescriptionFont->fontSpec();
}

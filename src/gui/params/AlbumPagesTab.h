#pragma once

#include "gui/params/ParameterControls.h"

class QComboBox;

// The tab "Strony albumu (tabele, miniaturki)": the thumbnail pages, their table, the
// information shown with each photo and the thumbnails themselves.
class AlbumPagesTab : public ParameterTab {
    Q_OBJECT
public:
    // Builds the controls as children of the page, which is 507 × 350 pixels.
    explicit AlbumPagesTab(QWidget* page);

    // Sets every control of the page without sending any signal; the window applies its
    // enabling rules afterwards.
    void showParameters(const AlbumParameters& parameters);
    void readParameters(AlbumParameters& parameters) const;

private:
    FrameControls m_tableFrame;
    FrameControls m_cellFrame;
    QCheckBox* m_photoInformation = nullptr;
    QComboBox* m_photoInformationType = nullptr;
    InfoControls m_fileName;
    InfoControls m_dimensions;
    InfoControls m_size;
    SpinEdit* m_columns = nullptr;
    QComboBox* m_thumbnailKind = nullptr;
    SpinEdit* m_thumbnailWidth = nullptr;
    SpinEdit* m_thumbnailHeight = nullptr;
    QCheckBox* m_brighten = nullptr;
    FontSampleLabel* m_pageTitleFont = nullptr;
    FontSampleLabel* m_pageDescriptionFont = nullptr;
};

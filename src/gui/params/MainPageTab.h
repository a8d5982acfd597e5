#pragma once

#include "gui/params/ParameterControls.h"

class QComboBox;

// The tab "Strona główna, układ zdjęć": how photos are grouped into categories and how the
// main page's category table looks.
class MainPageTab : public ParameterTab {
    Q_OBJECT
public:
    // Builds the controls as children of the page, which is 507 × 350 pixels.
    explicit MainPageTab(QWidget* page);

    // Sets every control of the page without sending any signal; the window applies its
    // enabling rules afterwards.
    void showParameters(const AlbumParameters& parameters);
    void readParameters(AlbumParameters& parameters) const;

    // The layout mode list (ComboBox2), whose item 1 changes its caption with the
    // per-page count.
    QComboBox* layoutModeList() const { return m_layoutMode; }

private:
    QComboBox* m_layoutMode = nullptr;
    SpinEdit* m_categoryColumns = nullptr;
    QComboBox* m_categorySign = nullptr;
    SpinEdit* m_categoryThumbnailWidth = nullptr;
    SpinEdit* m_categoryThumbnailHeight = nullptr;
    FrameControls m_tableFrame;
    FrameControls m_cellFrame;
    FontSampleLabel* m_titleFont = nullptr;
};

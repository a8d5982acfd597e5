#pragma once

#include "gui/params/ParameterControls.h"

#include <array>

class QComboBox;
class QPushButton;

// The tab "Tła albumu, strony zdjęć": backgrounds of pages, tables and cells, and the
// pages that show one photo each.
class BackgroundsTab : public ParameterTab {
    Q_OBJECT
public:
    // The background rows, top to bottom.
    enum BackgroundRow { PageRow = 0, TableRow = 1, CellRow = 2 };

    // Builds the controls as children of the page, which is 507 × 350 pixels.
    explicit BackgroundsTab(QWidget* page);

    // Sets every control of the page without sending any signal; the window applies its
    // enabling rules afterwards.
    void showParameters(const AlbumParameters& parameters);
    void readParameters(AlbumParameters& parameters) const;

    // The field that shows the background picture of a row (Edit4, Edit5, Edit6).
    BackgroundFileField* backgroundFileField(int row) const;

signals:
    // The user asked to choose the picture of a row, with its button or by double-clicking
    // its field.
    void backgroundFileRequested(int row);

private:
    struct BackgroundControls {
        QCheckBox* enabled = nullptr;
        ColourPanel* colour = nullptr;
        QCheckBox* fromFile = nullptr;
        BackgroundFileField* file = nullptr;
        QPushButton* choose = nullptr;
        QComboBox* placement = nullptr;

        void show(const BackgroundParameters& background) const;
        BackgroundParameters read() const;
    };

    std::array<BackgroundControls, 3> m_backgrounds;
    QComboBox* m_photoPages = nullptr;
    QCheckBox* m_photoDescription = nullptr;
    InfoControls m_fileName;
    InfoControls m_dimensions;
    InfoControls m_size;
    FrameControls m_photoFrame;
    FontSampleLabel* m_photoTitleFont = nullptr;
};

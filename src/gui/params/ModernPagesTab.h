#pragma once

#include "gui/params/ParameterControls.h"

class QComboBox;

// The tab "Nowoczesne strony": whether the album is made of pages for today's screens
// instead of the classic ones, how large a photo is shown on its page, and whether the
// full-size photo is published besides.
class ModernPagesTab : public ParameterTab {
    Q_OBJECT
public:
    // Builds the controls as children of the page, which is 507 × 350 pixels.
    explicit ModernPagesTab(QWidget* page);

    // Sets every control of the page without sending any signal; the window applies its
    // enabling rules afterwards.
    void showParameters(const AlbumParameters& parameters);
    void readParameters(AlbumParameters& parameters) const;

private:
    QCheckBox* m_enabled = nullptr;
    QComboBox* m_displaySize = nullptr;
    QCheckBox* m_publishOriginals = nullptr;
    QCheckBox* m_removeLocation = nullptr;
};

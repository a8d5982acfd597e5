#pragma once

#include "core/params/AlbumParameters.h"

#include <QDialog>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// Chooses a font sample's font: face, size, bold, italic, underline, strike-out and colour
// together, as the album's fonts have a colour of their own. The character set is kept.
class FontChooserDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontChooserDialog(const FontSpec& initial, QWidget* parent = nullptr);

    FontSpec chosenFont() const;

private:
    void chooseColour();
    void updateSample();

    FontSpec m_font;
    QFontComboBox* m_face = nullptr;
    QSpinBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strikeOut = nullptr;
    QPushButton* m_colour = nullptr;
    QLabel* m_sample = nullptr;
};

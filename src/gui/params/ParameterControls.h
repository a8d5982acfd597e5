#pragma once

#include "core/params/AlbumParameters.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;

// An edit with an attached up-down. The up-down is the spin box itself (UpDownN), its edit
// is the spin box's line edit (EditN), so both names find a widget and disabling the
// up-down greys the edit with it. Steps of 1; it stops at its bounds instead of wrapping.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(const QString& upDownName, const QString& editName, int minimum, int maximum,
             QWidget* parent);
};

// A colour swatch that opens the colour chooser when clicked.
class ColourPanel : public QFrame {
    Q_OBJECT
public:
    ColourPanel(const QString& objectName, QWidget* parent);

    ColourValue colour() const { return m_colour; }
    void setColour(ColourValue colour);

signals:
    void clicked();
    void colourChanged(ColourValue colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ColourValue m_colour = colourBlack;
    bool m_pressed = false;
};

// A sample text drawn in a chosen font and colour; clicking it opens the font chooser.
// Underline, strike-out and the character set are kept with the font even though only the
// first two show.
class FontSampleLabel : public QLabel {
    Q_OBJECT
public:
    FontSampleLabel(const QString& objectName, const QString& sampleText, QWidget* parent);

    const FontSpec& fontSpec() const { return m_spec; }
    void setFontSpec(const FontSpec& fontSpec);

    // A sample in a large font, or on a desktop whose fonts run larger, is drawn smaller
    // until it fits: it is always seen whole. So it needs no particular size.
    QSize minimumSizeHint() const override { return {}; }

signals:
    void clicked();
    void fontSpecChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    FontSpec m_spec;
    bool m_pressed = false;
};

// A background picture: the field shows the file's name and keeps its full path as the
// tooltip. The user cannot type into it; a double click asks for a file instead.
class BackgroundFileField : public QLineEdit {
    Q_OBJECT
public:
    BackgroundFileField(const QString& objectName, QWidget* parent);

    QString fileName() const { return text(); }
    QString filePath() const { return toolTip(); }
    void setFile(const QString& fileName, const QString& filePath);

signals:
    void doubleClicked();
    void fileChanged();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The controls of one frame: switch, width, colour and line type.
struct FrameControls {
    QCheckBox* enabled = nullptr;
    SpinEdit* width = nullptr;
    ColourPanel* colour = nullptr;
    QComboBox* type = nullptr;

    void show(const FrameParameters& frame) const;
    FrameParameters read() const;
};

// The object names of one frame column, in the order the column shows them.
struct FrameColumnNames {
    const char* checkBox;
    const char* widthLabel;
    const char* upDown;
    const char* edit;
    const char* colourLabel;
    const char* panel;
    const char* typeLabel;
    const char* typeList;
};

// A piece of photo information: its switch and the sample of its font.
struct InfoControls {
    QCheckBox* shown = nullptr;
    FontSampleLabel* font = nullptr;

    void show(const InfoItem& item) const;
    InfoItem read() const;
};

// What the parameter tab pages share: building their controls at fixed places on a
// page, telling the window when the user changed something, and passing on clicks on
// colour panels and font samples to whoever runs the choosers.
class ParameterTab : public QObject {
    Q_OBJECT
public:
    explicit ParameterTab(QWidget* page);

    QWidget* page() const { return m_page; }

signals:
    // The user changed a value on this page (never sent while values are being shown).
    void parametersChanged();
    void colourPanelClicked(ColourPanel* panel);
    void fontSampleClicked(FontSampleLabel* label);

protected:
    // Captions and list items are the window's Polish texts of the interface string table,
    // found by the control's name; the language switch replaces them.
    QGroupBox* addGroupBox(QWidget* parent, const char* name, const QRect& geometry);
    QLabel* addLabel(QWidget* parent, const char* name, const QRect& geometry);
    QCheckBox* addCheckBox(QWidget* parent, const char* name, const QRect& geometry);
    QComboBox* addComboBox(QWidget* parent, const char* name, const QRect& geometry);
    SpinEdit* addSpinEdit(QWidget* parent, const char* upDownName, const char* editName,
                          int minimum, int maximum, const QRect& geometry);
    ColourPanel* addColourPanel(QWidget* parent, const char* name, const QRect& geometry);
    FontSampleLabel* addFontSample(QWidget* parent, const char* name, const QRect& geometry,
                                   Qt::Alignment alignment);
    BackgroundFileField* addBackgroundFileField(QWidget* parent, const char* name,
                                                const QRect& geometry);

    // A frame column: the switch with the width, colour and type rows under it; the column
    // is frameColumnWidth wide.
    FrameControls addFrameColumn(QWidget* parent, QPoint topLeft, const FrameColumnNames& names);
    static constexpr int frameColumnWidth = 214; // and 89 pixels high

    // A piece of photo information: its check box with the sample of its font beside it.
    InfoControls addInfoRow(QWidget* parent, QPoint topLeft, const char* checkBoxName,
                            const char* sampleName);

    // While the returned blockers live, no control of this page sends a signal: showing
    // values must not look like the user changing them.
    std::vector<QSignalBlocker> silenceControls() const;

private:
    void watch(QObject* control);

    QWidget* m_page;
    QList<QObject*> m_controls;
};

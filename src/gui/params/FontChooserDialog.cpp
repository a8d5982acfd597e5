#include "gui/params/FontChooserDialog.h"

#include "core/params/ColourConversion.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QIcon colourSwatch(const QColor& colour) {
    QPixmap swatch(28, 14);
    swatch.fill(colour);
    return QIcon(swatch);
}

} // namespace

FontChooserDialog::FontChooserDialog(const FontSpec& initial, QWidget* parent)
    : QDialog(parent)
    , m_font(initial) {
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(tr("Font"));

    m_face = new QFontComboBox(this);
    m_face->setObjectName(QStringLiteral("fontFace"));
    m_face->setCurrentFont(QFont(initial.face));
    // A face that is not installed here is still offered under its own name.
    if (m_face->currentText() != initial.face) {
        m_face->setEditable(true);
        m_face->setEditText(initial.face);
    }
    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("fontSize"));
    m_size->setRange(1, 500);
    m_size->setSuffix(QStringLiteral(" pt"));
    m_size->setValue(initial.pointSize);

    m_bold = new QCheckBox(tr("Bold"), this);
    m_bold->setObjectName(QStringLiteral("fontBold"));
    m_bold->setChecked(initial.bold);
    m_italic = new QCheckBox(tr("Italic"), this);
    m_italic->setObjectName(QStringLiteral("fontItalic"));
    m_italic->setChecked(initial.italic);
    m_underline = new QCheckBox(tr("Underline"), this);
    m_underline->setObjectName(QStringLiteral("fontUnderline"));
    m_underline->setChecked(initial.underline);
    m_strikeOut = new QCheckBox(tr("Strike-out"), this);
    m_strikeOut->setObjectName(QStringLiteral("fontStrikeOut"));
    m_strikeOut->setChecked(initial.strikeOut);

    m_colour = new QPushButton(tr("Colour…"), this);
    m_colour->setObjectName(QStringLiteral("fontColour"));
    connect(m_colour, &QPushButton::clicked, this, &FontChooserDialog::chooseColour);

    m_sample = new QLabel(QStringLiteral("AaBbĄąĘęŻż 123"), this);
    m_sample->setObjectName(QStringLiteral("fontSample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(320, 80);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAutoFillBackground(true);

    auto* styles = new QHBoxLayout;
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strikeOut})
        styles->addWidget(box);
    auto* form = new QFormLayout;
    form->addRow(tr("Face"), m_face);
    form->addRow(tr("Size"), m_size);
    form->addRow(tr("Style"), styles);
    form->addRow(tr("Colour"), m_colour);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);

    connect(m_face, &QFontComboBox::currentTextChanged, this, &FontChooserDialog::updateSample);
    connect(m_size, &QSpinBox::valueChanged, this, &FontChooserDialog::updateSample);
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strikeOut})
        connect(box, &QCheckBox::toggled, this, &FontChooserDialog::updateSample);
    updateSample();
}

FontSpec FontChooserDialog::chosenFont() const {
    FontSpec font = m_font;
    font.face = m_face->currentText();
    font.pointSize = m_size->value();
    font.bold = m_bold->isChecked();
    font.italic = m_italic->isChecked();
    font.underline = m_underline->isChecked();
    font.strikeOut = m_strikeOut->isChecked();
    return font;
}

void FontChooserDialog::chooseColour() {
    const QColor chosen = QColorDialog::getColor(toQColor(m_font.colour, palette()), this);
    if (chosen.isValid()) {
        m_font.colour = fromQColor(chosen);
        updateSample();
    }
}

void FontChooserDialog::updateSample() {
    const FontSpec font = chosenFont();
    m_sample->setFont(toQFont(font));
    QPalette colours = m_sample->palette();
    colours.setColor(QPalette::WindowText, toQColor(font.colour, palette()));
    colours.setColor(QPalette::Window, Qt::white);
    m_sample->setPalette(colours);
    m_colour->setIcon(colourSwatch(toQColor(font.colour, palette())));
}

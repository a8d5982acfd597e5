#include "gui/params/ParameterControls.h"

#include "core/app/InterfaceTexts.h"
#include "core/params/ColourConversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

// Row geometry shared by every page: a check box line, and a line holding a list, a spin
// edit or a colour panel beside its label.
constexpr int checkBoxHeight = 19;
constexpr int controlHeight = 22;
constexpr int spinHeight = 23;
constexpr int frameLabelWidth = 90;
constexpr int frameControlLeft = frameLabelWidth + 2;
constexpr int frameSpinWidth = 50;
constexpr int framePanelWidth = 50;
constexpr int frameListWidth = 122;

} // namespace

SpinEdit::SpinEdit(const QString& upDownName, const QString& editName, int minimum, int maximum,
                   QWidget* parent)
    : QSpinBox(parent) {
    setObjectName(upDownName);
    lineEdit()->setObjectName(editName);
    setRange(minimum, maximum);
    setSingleStep(1);
    setWrapping(false);
}

ColourPanel::ColourPanel(const QString& objectName, QWidget* parent)
    : QFrame(parent) {
    setObjectName(objectName);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setCursor(Qt::PointingHandCursor);
}

void ColourPanel::setColour(ColourValue colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
    emit colourChanged(colour);
}

void ColourPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QColor fill = toQColor(m_colour, palette());
    if (!isEnabled() && fill.alpha() != 0) {
        // Washed out towards the background, as greyed captions are, yet still telling
        // which colour is kept.
        const QColor background = palette().color(QPalette::Disabled, QPalette::Window);
        fill = QColor((fill.red() + 2 * background.red()) / 3,
                      (fill.green() + 2 * background.green()) / 3,
                      (fill.blue() + 2 * background.blue()) / 3);
    }
    painter.fillRect(contentsRect(), fill);
    painter.end();
    QFrame::paintEvent(event);
}

void ColourPanel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
    if (m_pressed)
        event->accept();
}

void ColourPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QFrame::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

FontSampleLabel::FontSampleLabel(const QString& objectName, const QString& sampleText,
                                 QWidget* parent)
    : QLabel(sampleText, parent) {
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFontSpec(m_spec);
}

void FontSampleLabel::setFontSpec(const FontSpec& fontSpec) {
    const bool changed = !(fontSpec == m_spec);
    m_spec = fontSpec;
    setFont(toQFont(fontSpec));
    // Only the active and inactive looks take the colour; a disabled sample greys out
    // like every other caption.
    QPalette colours = palette();
    const QColor colour = toQColor(fontSpec.colour, colours);
    colours.setColor(QPalette::Active, QPalette::WindowText, colour);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    setPalette(colours);
    if (changed)
        emit fontSpecChanged();
}

void FontSampleLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = contentsRect();
    const QFontMetricsF metrics(font());
    const QSizeF needed(metrics.horizontalAdvance(text()) + 2, metrics.height());
    const qreal scale =
        std::min({1.0, area.width() / needed.width(), area.height() / needed.height()});
    painter.translate(area.center());
    painter.scale(scale, scale);
    painter.translate(-area.center());
    // The text's room, grown by as much as the drawing shrinks, around the same centre.
    QRectF room(QPointF(), area.size() / scale);
    room.moveCenter(area.center());
    style()->drawItemText(&painter, room.toAlignedRect(), int(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
}

void FontSampleLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
    if (m_pressed)
        event->accept();
}

void FontSampleLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

BackgroundFileField::BackgroundFileField(const QString& objectName, QWidget* parent)
    : QLineEdit(parent) {
    setObjectName(objectName);
    setReadOnly(true);
}

void BackgroundFileField::setFile(const QString& fileName, const QString& filePath) {
    if (fileName == text() && filePath == toolTip())
        return;
    setText(fileName);
    setCursorPosition(0);
    setToolTip(filePath);
    emit fileChanged();
}

void BackgroundFileField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void FrameControls::show(const FrameParameters& frame) const {
    enabled->setChecked(frame.enabled);
    width->setValue(frame.width);
    colour->setColour(frame.colour);
    type->setCurrentIndex(frame.type);
}

FrameParameters FrameControls::read() const {
    FrameParameters frame;
    frame.enabled = enabled->isChecked();
    frame.width = width->value();
    frame.colour = colour->colour();
    frame.type = type->currentIndex();
    return frame;
}

void InfoControls::show(const InfoItem& item) const {
    shown->setChecked(item.shown);
    font->setFontSpec(item.font);
}

InfoItem InfoControls::read() const {
    return InfoItem{shown->isChecked(), font->fontSpec()};
}

ParameterTab::ParameterTab(QWidget* page)
    : QObject(page)
    , m_page(page) {}

QGroupBox* ParameterTab::addGroupBox(QWidget* parent, const char* name, const QRect& geometry) {
    auto* box = new QGroupBox(formText(name), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QLabel* ParameterTab::addLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(formText(name), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QCheckBox* ParameterTab::addCheckBox(QWidget* parent, const char* name, const QRect& geometry) {
    auto* box = new QCheckBox(formText(name), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    connect(box, &QCheckBox::toggled, this, &ParameterTab::parametersChanged);
    watch(box);
    return box;
}

QComboBox* ParameterTab::addComboBox(QWidget* parent, const char* name, const QRect& geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(formItems(name));
    list->setGeometry(geometry);
    connect(list, &QComboBox::currentIndexChanged, this, &ParameterTab::parametersChanged);
    watch(list);
    return list;
}

SpinEdit* ParameterTab::addSpinEdit(QWidget* parent, const char* upDownName, const char* editName,
                                    int minimum, int maximum, const QRect& geometry) {
    auto* spin =
        new SpinEdit(QLatin1String(upDownName), QLatin1String(editName), minimum, maximum, parent);
    spin->setGeometry(geometry);
    connect(spin, &QSpinBox::valueChanged, this, &ParameterTab::parametersChanged);
    watch(spin);
    return spin;
}

ColourPanel* ParameterTab::addColourPanel(QWidget* parent, const char* name,
                                          const QRect& geometry) {
    auto* panel = new ColourPanel(QLatin1String(name), parent);
    panel->setGeometry(geometry);
    connect(panel, &ColourPanel::clicked, this, [this, panel] { emit colourPanelClicked(panel); });
    connect(panel, &ColourPanel::colourChanged, this, &ParameterTab::parametersChanged);
    watch(panel);
    return panel;
}

FontSampleLabel* ParameterTab::addFontSample(QWidget* parent, const char* name,
                                             const QRect& geometry, Qt::Alignment alignment) {
    auto* label = new FontSampleLabel(QLatin1String(name), formText(name), parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    connect(label, &FontSampleLabel::clicked, this,
            [this, label] { emit fontSampleClicked(label); });
    connect(label, &FontSampleLabel::fontSpecChanged, this, &ParameterTab::parametersChanged);
    watch(label);
    return label;
}

BackgroundFileField* ParameterTab::addBackgroundFileField(QWidget* parent, const char* name,
                                                          const QRect& geometry) {
    auto* field = new BackgroundFileField(QLatin1String(name), parent);
    field->setGeometry(geometry);
    connect(field, &BackgroundFileField::fileChanged, this, &ParameterTab::parametersChanged);
    watch(field);
    return field;
}

FrameControls ParameterTab::addFrameColumn(QWidget* parent, QPoint topLeft,
                                           const FrameColumnNames& names) {
    const int x = topLeft.x();
    const int y = topLeft.y();
    FrameControls frame;
    frame.enabled =
        addCheckBox(parent, names.checkBox, QRect(x, y, frameColumnWidth, checkBoxHeight));
    addLabel(parent, names.widthLabel, QRect(x, y + 21, frameLabelWidth, controlHeight));
    frame.width = addSpinEdit(parent, names.upDown, names.edit, 1, 100,
                              QRect(x + frameControlLeft, y + 21, frameSpinWidth, spinHeight));
    addLabel(parent, names.colourLabel, QRect(x, y + 44, frameLabelWidth, controlHeight));
    frame.colour = addColourPanel(parent, names.panel,
                                  QRect(x + frameControlLeft, y + 45, framePanelWidth, 20));
    addLabel(parent, names.typeLabel, QRect(x, y + 67, frameLabelWidth, controlHeight));
    frame.type = addComboBox(parent, names.typeList,
                             QRect(x + frameControlLeft, y + 67, frameListWidth, controlHeight));
    return frame;
}

std::vector<QSignalBlocker> ParameterTab::silenceControls() const {
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(std::size_t(m_controls.size()));
    for (QObject* control : m_controls)
        blockers.emplace_back(control);
    return blockers;
}

void ParameterTab::watch(QObject* control) {
    m_controls.append(control);
}

InfoControls ParameterTab::addInfoRow(QWidget* parent, QPoint topLeft, const char* checkBoxName,
                                      const char* sampleName) {
    InfoControls info;
    info.shown = addCheckBox(parent, checkBoxName, QRect(topLeft.x(), topLeft.y(), 96, 19));
    info.font = addFontSample(parent, sampleName, QRect(topLeft.x() + 98, topLeft.y(), 60, 19),
                              Qt::AlignLeft | Qt::AlignVCenter);
    return info;
}

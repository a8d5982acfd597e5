#include "gui/params/BackgroundsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>

namespace {

struct BackgroundRowNames {
    const char* enabled;
    const char* panel;
    const char* fromFile;
    const char* field;
    const char* button;
    const char* placementLabel;
    const char* placementList;
};

} // namespace

void BackgroundsTab::BackgroundControls::show(const BackgroundParameters& background) const {
    enabled->setChecked(background.enabled);
    colour->setColour(background.colour);
    fromFile->setChecked(background.fromFile);
    file->setFile(background.fileName, background.filePath);
    placement->setCurrentIndex(background.placement);
}

BackgroundParameters BackgroundsTab::BackgroundControls::read() const {
    BackgroundParameters background;
    background.enabled = enabled->isChecked();
    background.colour = colour->colour();
    background.fromFile = fromFile->isChecked();
    background.fileName = file->fileName();
    background.filePath = file->filePath();
    background.placement = placement->currentIndex();
    return background;
}

BackgroundsTab::BackgroundsTab(QWidget* page)
    : ParameterTab(page) {
    // Three like rows, each two lines high: the switch over its colour, "z pliku" over the
    // picture field and its button, the placement caption over its list.
    QGroupBox* backgrounds = addGroupBox(page, "GroupBox1", QRect(4, 4, 499, 153));
    const BackgroundRowNames rows[] = {
        {"CheckBox15", "Panel1", "CheckBox6", "Edit4", "BitBtn7", "Label21", "ComboBox5"},
        {"CheckBox16", "Panel2", "CheckBox7", "Edit5", "BitBtn8", "Label22", "ComboBox6"},
        {"CheckBox17", "Panel3", "CheckBox8", "Edit6", "BitBtn9", "Label23", "ComboBox7"},
    };
    const QIcon openIcon = page->style()->standardIcon(QStyle::SP_DialogOpenButton);
    for (int row = 0; row < 3; ++row) {
        const BackgroundRowNames& names = rows[row];
        BackgroundControls& controls = m_backgrounds[std::size_t(row)];
        const int top = 21 + row * 43;
        controls.enabled = addCheckBox(backgrounds, names.enabled, QRect(6, top, 100, 19));
        controls.colour = addColourPanel(backgrounds, names.panel, QRect(6, top + 21, 96, 20));
        controls.colour->setToolTip(QStringLiteral("Wybierz kolor tła"));

        controls.fromFile = addCheckBox(backgrounds, names.fromFile, QRect(112, top, 100, 19));
        controls.file =
            addBackgroundFileField(backgrounds, names.field, QRect(112, top + 20, 230, 22));
        controls.choose = new QPushButton(openIcon, QString(), backgrounds);
        controls.choose->setObjectName(QLatin1String(names.button));
        controls.choose->setGeometry(344, top + 20, 24, 22);
        controls.choose->setToolTip(QStringLiteral("Wybierz plik tła"));

        addLabel(backgrounds, names.placementLabel, QRect(378, top, 115, 19));
        controls.placement =
            addComboBox(backgrounds, names.placementList, QRect(378, top + 20, 115, 22));

        connect(controls.choose, &QPushButton::clicked, this,
                [this, row] { emit backgroundFileRequested(row); });
        connect(controls.file, &BackgroundFileField::doubleClicked, this,
                [this, row] { emit backgroundFileRequested(row); });
    }

    // Photo pages: whether there are any and what they carry on the left, the frame around
    // the photo on the right.
    QGroupBox* photoPages = addGroupBox(page, "GroupBox2", QRect(4, 160, 499, 125));
    m_photoPages = addComboBox(photoPages, "ComboBox3", QRect(6, 21, 222, 22));
    m_photoDescription = addCheckBox(photoPages, "CheckBox13", QRect(6, 45, 180, 19));
    m_fileName = addInfoRow(photoPages, {22, 64}, "CheckBox2", "Label7");
    m_dimensions = addInfoRow(photoPages, {22, 83}, "CheckBox3", "Label16");
    m_size = addInfoRow(photoPages, {22, 102}, "CheckBox4", "Label17");
    m_photoFrame = addFrameColumn(photoPages, QPoint(262, 21),
                                  {"CheckBox14", "Label18", "UpDown6", "Edit11", "Label19",
                                   "Panel4", "Label20", "ComboBox4"});

    QGroupBox* title = addGroupBox(page, "GroupBox11", QRect(4, 288, 499, 58));
    m_photoTitleFont = addFontSample(title, "Label39", QRect(6, 20, 487, 34), Qt::AlignCenter);
}

BackgroundFileField* BackgroundsTab::backgroundFileField(int row) const {
    if (row < 0 || row >= int(m_backgrounds.size()))
        return nullptr;
    return m_backgrounds[std::size_t(row)].file;
}

void BackgroundsTab::showParameters(const AlbumParameters& parameters) {
    const auto silence = silenceControls();
    m_backgrounds[PageRow].show(parameters.pageBackground);
    m_backgrounds[TableRow].show(parameters.tableBackground);
    m_backgrounds[CellRow].show(parameters.cellBackground);
    m_photoPages->setCurrentIndex(parameters.photoPages);
    m_photoDescription->setChecked(parameters.photoDescription);
    m_fileName.show(parameters.pageFileName);
    m_dimensions.show(parameters.pageDimensions);
    m_size.show(parameters.pageSize);
    m_photoFrame.show(parameters.photoFrame);
    m_photoTitleFont->setFontSpec(parameters.photoTitleFont);
}

void BackgroundsTab::readParameters(AlbumParameters& parameters) const {
    parameters.pageBackground = m_backgrounds[PageRow].read();
    parameters.tableBackground = m_backgrounds[TableRow].read();
    parameters.cellBackground = m_backgrounds[CellRow].read();
    parameters.photoPages = m_photoPages->currentIndex();
    parameters.photoDescription = m_photoDescription->isChecked();
    parameters.pageFileName = m_fileName.read();
    parameters.pageDimensions = m_dimensions.read();
    parameters.pageSize = m_size.read();
    parameters.photoFrame = m_photoFrame.read();
    parameters.photoTitleFont = m_photoTitleFont->fontSpec();
}

#include "gui/params/ModernPagesTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <iterator>

ModernPagesTab::ModernPagesTab(QWidget* page)
    : ParameterTab(page) {
    QGroupBox* group = addGroupBox(page, "GroupBoxModernPages", QRect(4, 4, 499, 196));
    m_enabled = addCheckBox(group, "CheckBoxModernPages", QRect(6, 21, 487, 19));
    QLabel* about = addLabel(group, "LabelModernPagesAbout", QRect(24, 42, 469, 72));
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    addLabel(group, "LabelDisplaySize", QRect(24, 122, 236, 19));
    m_displaySize = addComboBox(group, "ComboBoxDisplaySize", QRect(264, 120, 120, 22));
    // The sizes read the same in both languages; only "full size" is translated.
    for (int item = 0; item < m_displaySize->count(); ++item)
        if (const int size = modernDisplaySizes[item]; size > 0)
            m_displaySize->setItemText(item, QStringLiteral("%1 px").arg(size));
    m_publishOriginals = addCheckBox(group, "CheckBoxPublishOriginals", QRect(24, 146, 469, 19));
    m_removeLocation = addCheckBox(group, "CheckBoxRemoveLocation", QRect(24, 170, 469, 19));
}

void ModernPagesTab::showParameters(const AlbumParameters& parameters) {
    const auto silence = silenceControls();
    const ModernPagesParameters& modern = parameters.modern;
    m_enabled->setChecked(modern.enabled);
    const auto size = std::find(std::begin(modernDisplaySizes), std::end(modernDisplaySizes),
                                modern.displayLongSide);
    m_displaySize->setCurrentIndex(size == std::end(modernDisplaySizes)
                                       ? -1
                                       : int(std::distance(std::begin(modernDisplaySizes), size)));
    m_publishOriginals->setChecked(modern.publishOriginals);
    m_removeLocation->setChecked(modern.removeLocation);
}

void ModernPagesTab::readParameters(AlbumParameters& parameters) const {
    ModernPagesParameters& modern = parameters.modern;
    modern.enabled = m_enabled->isChecked();
    const int index = m_displaySize->currentIndex();
    if (index >= 0 && index < int(std::size(modernDisplaySizes)))
        modern.displayLongSide = modernDisplaySizes[index];
    modern.publishOriginals = m_publishOriginals->isChecked();
    modern.removeLocation = m_removeLocation->isChecked();
}

#include "gui/app/SettingsDialog.h"

#include "core/app/ProgramSettings.h"
#include "gui/app/Desktop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

#include <algorithm>

SettingsDialog::SettingsDialog(Desktop& desktop, const QString& settingsPath, qint8 languageFlag,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_desktop(desktop)
    , m_settingsPath(settingsPath)
    , m_languageFlag(languageFlag) {
    setObjectName(QStringLiteral("Form4"));
    QFont dialogFont(QStringLiteral("Tahoma"));
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    setFixedSize(250, 117);

    m_languageGroup = new QGroupBox(QStringLiteral("Język / Language :"), this);
    m_languageGroup->setObjectName(QStringLiteral("GroupBox1"));
    m_languageGroup->setGeometry(8, 6, 234, 56);
    m_languageList = new QComboBox(m_languageGroup);
    m_languageList->setObjectName(QStringLiteral("ComboBox1"));
    m_languageList->addItems({QStringLiteral("English"), QStringLiteral("Polski")});
    m_languageList->setGeometry(12, 22, 210, 22);

    m_versionCheck = new QCheckBox(this);
    m_versionCheck->setObjectName(QStringLiteral("CheckBox1"));
    m_versionCheck->setGeometry(8, 76, 238, 20);
    fitToTheLongerText();

    applyLanguage();
    m_languageList->setCurrentIndex(m_languageFlag == 1 ? 1 : 0);
    m_versionCheck->setChecked(readProgramSettings(m_settingsPath).versionCheck);

    connect(m_languageList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_languageFlag = qint8(index);
        emit languageChosen(m_languageFlag);
        applyLanguage();
    });
}

// The dialog is as the layout made it unless the desktop's fonts need more room for the check
// box's text in either language; then it grows, the same for both, so that switching the
// language does not make it jump.
void SettingsDialog::fitToTheLongerText() {
    int needed = 0;
    for (const QString& text : {QStringLiteral("Sprawdzaj wersję programu przy starcie"),
                                QStringLiteral("Check program version at startup")}) {
        m_versionCheck->setText(text);
        needed = std::max(needed, m_versionCheck->sizeHint().width());
    }
    const int width = std::max(m_versionCheck->width(), needed);
    m_versionCheck->resize(width,
                           std::max(m_versionCheck->height(), m_versionCheck->sizeHint().height()));
    setFixedSize(std::max(250, m_versionCheck->x() + width + 4), 117);
    m_languageGroup->resize(this->width() - 16, m_languageGroup->height());
}

void SettingsDialog::applyLanguage() {
    if (m_languageFlag == 1) {
        setWindowTitle(QStringLiteral("Ustawienia Programu"));
        m_versionCheck->setText(QStringLiteral("Sprawdzaj wersję programu przy starcie"));
    } else {
        setWindowTitle(QStringLiteral("Program Settings"));
        m_versionCheck->setText(QStringLiteral("Check program version at startup"));
    }
}

SettingsDialog::~SettingsDialog() {
    // A dialog torn down without being closed still keeps what the user chose.
    if (!m_written)
        writeProgramSettings(m_settingsPath,
                             ProgramSettings{m_languageFlag, m_versionCheck->isChecked()});
}

void SettingsDialog::writeSettings() {
    m_written = true;
    if (!writeProgramSettings(m_settingsPath,
                              ProgramSettings{m_languageFlag, m_versionCheck->isChecked()}))
        m_desktop.showMessage(this, QStringLiteral("Kadrela"),
                              QStringLiteral("Unable to write to %1").arg(m_settingsPath),
                              Desktop::Icon::Error);
}

void SettingsDialog::done(int result) {
    // Closing is saving: the close button, Escape and closing from outside all end here.
    if (!m_written)
        writeSettings();
    QDialog::done(result);
}

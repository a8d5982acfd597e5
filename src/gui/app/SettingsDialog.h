#pragma once

#include <QDialog>

class Desktop;
class QCheckBox;
class QComboBox;
class QGroupBox;

// Program settings: the interface language and the version check at start-up. There is no
// OK or Cancel: whatever way the dialog closes, both settings are written to kadrela.ini.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(Desktop& desktop, const QString& settingsPath, qint8 languageFlag,
                   QWidget* parent = nullptr);
    ~SettingsDialog() override;

    qint8 languageFlag() const { return m_languageFlag; }

    void done(int result) override;

signals:
    // A language was chosen in the list; the main window re-labels itself at once.
    void languageChosen(qint8 languageFlag);

private:
    void applyLanguage();
    void fitToTheLongerText();
    void writeSettings();

    Desktop& m_desktop;
    QString m_settingsPath;
    qint8 m_languageFlag;
    bool m_written = false;
    QGroupBox* m_languageGroup = nullptr; // GroupBox1
    QComboBox* m_languageList = nullptr;  // ComboBox1
    QCheckBox* m_versionCheck = nullptr;  // CheckBox1
};

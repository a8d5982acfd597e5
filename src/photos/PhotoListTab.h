#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class QFrame;

// The first tab page: the photo list with its tool bar, the preview, the album title and
// the album location.
class PhotoListTab : public QObject {
    Q_OBJECT
public:
    explicit PhotoListTab(QWidget* page);

    // ToolButton1 … ToolButton8: add files, add a folder, remove, up, down, sort, About,
    // program settings.
    QToolButton* toolButton(int number) const;
    QLabel* countLabel() const { return m_countLabel; }
    QLineEdit* albumTitleEdit() const { return m_albumTitle; }
    QLineEdit* albumLocationEdit() const { return m_albumLocation; }
    QPushButton* albumLocationButton() const { return m_albumLocationButton; }
    QFrame* listPanel() const { return m_listPanel; }
    QLabel* preview() const { return m_preview; }

    static constexpr int toolButtonSize = 26;

private:
    QLabel* m_countLabel = nullptr;
    QFrame* m_listPanel = nullptr;
    QList<QToolButton*> m_toolButtons;
    QLabel* m_previewFrame = nullptr;
    QLabel* m_preview = nullptr;
    QLineEdit* m_albumTitle = nullptr;
    QLineEdit* m_albumLocation = nullptr;
    QPushButton* m_albumLocationButton = nullptr;
};

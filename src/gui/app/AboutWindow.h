#pragma once

#include <QDialog>

class Desktop;
class QFrame;
class QLabel;

// The About window: program name and version, the author's mail and web links and a footer
// line on a borderless, translucent blue panel. A click on one of the two links asks the
// desktop to open it; a click anywhere else closes the window.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int clientWidth = 377;
    static constexpr int clientHeight = 229;

    AboutWindow(Desktop& desktop, qint8 languageFlag, QWidget* parent = nullptr);
    ~AboutWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What the labels and links show and open.
    static QString authorName();
    static QString authorAddress();
    static QString mailLink();
    static QString polishWebPage();
    static QString englishWebPage();
    static QString footerText();

    void buildLayout();
    void applyLanguage();
    void centreOnParent();
    bool isLink(const QObject* object) const;
    void openLink(const QObject* link);

    Desktop& m_desktop;
    qint8 m_languageFlag;
    QFrame* m_panel = nullptr;              // Panel1
    QLabel* m_nameLabel = nullptr;          // Label1
    QLabel* m_authorHeading = nullptr;      // Label2
    QLabel* m_authorLabel = nullptr;        // Label3
    QLabel* m_mailLink = nullptr;           // Label4
    QLabel* m_webLink = nullptr;            // Label5
    QLabel* m_footerLabel = nullptr;        // Label6
    QLabel* m_descriptionHeading = nullptr; // Label7
};

// Creates the About window over `parent`, runs it modally and destroys it once it closes.
void showAboutWindow(Desktop& desktop, qint8 languageFlag, QWidget* parent);

#include "core/app/StringTable.h"
#include "gui/app/LanguageSwitch.h"
#include "gui/params/AlbumPagesTab.h"
#include "gui/params/BackgroundsTab.h"
#include "gui/params/MainPageTab.h"
#include "gui/params/ModernPagesTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(AlbumParameters)

namespace {

// The parameter pages as the main window holds them: 507 × 350 pixels in the
// window's font, the start values shown.
class Tabs {
public:
    Tabs() {
        QFont windowFont(QStringLiteral("Tahoma"));
        windowFont.setPixelSize(11);
        for (QWidget& page : pages) {
            page.setFont(windowFont);
            page.setFixedSize(507, 350);
        }
        main = new MainPageTab(&pages[0]);
        album = new AlbumPagesTab(&pages[1]);
        backgrounds = new BackgroundsTab(&pages[2]);
        modern = new ModernPagesTab(&pages[3]);
        tabs = {main, album, backgrounds, modern};
        show(AlbumParameters{});
    }
    void show(const AlbumParameters& parameters) {
        main->showParameters(parameters);
        album->showParameters(parameters);
        backgrounds->showParameters(parameters);
        modern->showParameters(parameters);
    }
    AlbumParameters read() const {
        AlbumParameters parameters;
        main->readParameters(parameters);
        album->readParameters(parameters);
        backgrounds->readParameters(parameters);
        modern->readParameters(parameters);
        return parameters;
    }
    template <class T = QWidget> T* find(const QString& name) const {
        for (const QWidget& page : pages) {
            if (T* widget = page.findChild<T*>(name))
                return widget;
        }
        return nullptr;
    }
    ParameterTab* tabOf(const QWidget* widget) const {
        for (ParameterTab* tab : tabs) {
            if (tab->page()->isAncestorOf(widget))
                return tab;
        }
        return nullptr;
    }
    // The window's own language switch, page by page.
    void applyLanguage(qint8 languageFlag) {
        for (QWidget& page : pages)
            applyInterfaceLanguage(&page, languageFlag);
    }

    QWidget pages[4];
    MainPageTab* main;
    AlbumPagesTab* album;
    BackgroundsTab* backgrounds;
    ModernPagesTab* modern;
    QList<ParameterTab*> tabs;
};

FontSpec font(const char* face, int size, ColourValue colour, bool bold, bool italic,
              bool underline, bool strikeOut, int charset) {
    return FontSpec{QLatin1String(face), size, colour, bold, italic, underline, strikeOut, charset};
}

// Every member differs from its start value and from every other member of its kind, so a
// value shown or read through the wrong control cannot go unnoticed.
AlbumParameters everythingChanged() {
    AlbumParameters p;
    p.layoutMode = 1;
    p.categoryColumns = 7;
    p.categorySign = 2;
    p.categoryThumbnailWidth = 10;
    p.categoryThumbnailHeight = 1000;
    p.mainTableFrame = {true, 5, 0x000011, 1};
    p.mainCellFrame = {true, 6, 0x000022, 2};
    p.albumTitleFont = font("Verdana", 30, 0x0000FF, false, true, true, false, 0);
    p.thumbnailTableFrame = {true, 7, 0x000033, 3};
    p.thumbnailCellFrame = {true, 100, 0x000044, 4};
    p.photoInformation = true;
    p.photoInformationType = 1;
    p.tableFileName = {true, font("Courier New", 9, 0x010101, true, false, false, true, 1)};
    p.tableDimensions = {true, font("Georgia", 10, 0x020202, false, true, false, false, 1)};
    p.tableSize = {true, font("Impact", 11, 0x030303, true, true, true, true, 238)};
    p.thumbnailColumns = 100;
    p.thumbnailKind = 1;
    p.thumbnailWidth = 999;
    p.thumbnailHeight = 11;
    p.brightenThumbnails = false;
    p.pageTitleFont = font("Tahoma", 14, 0xFF00000F, false, false, false, false, 204);
    p.pageDescriptionFont = font("Garamond", 16, 0x00FF00, true, false, false, false, 161);
    p.pageBackground = {
        true, 0x101010, true, QStringLiteral("a.jpg"), QStringLiteral("/photos/a.jpg"), 1};
    p.tableBackground = {
        true, 0x202020, false, QStringLiteral("b c.bmp"), QStringLiteral("/other place/b c.bmp"),
        1};
    p.cellBackground = {false, 0x303030, true, QStringLiteral("ż.gif"), QString(), 1};
    p.photoPages = 1;
    p.photoDescription = true;
    p.pageFileName = {true, font("Arial", 12, 0x040404, false, false, true, false, 1)};
    p.pageDimensions = {true, font("Arial", 13, 0x050505, false, false, false, true, 1)};
    p.pageSize = {true, font("Arial", 14, 0x060606, true, true, false, false, 1)};
    p.photoFrame = {true, 8, 0x000055, 7};
    p.photoTitleFont = font("Symbol", 40, 0xFF000008, true, false, false, false, 2);
    p.modern = {true, 1600, false};
    return p;
}

AlbumParameters nothingSelected() {
    AlbumParameters p;
    for (int* index :
         {&p.layoutMode, &p.categorySign, &p.mainTableFrame.type, &p.mainCellFrame.type,
          &p.thumbnailTableFrame.type, &p.thumbnailCellFrame.type, &p.photoInformationType,
          &p.thumbnailKind, &p.pageBackground.placement, &p.tableBackground.placement,
          &p.cellBackground.placement, &p.photoPages, &p.photoFrame.type})
        *index = -1;
    return p;
}

} // namespace

class ParameterTabsTest : public QObject {
    Q_OBJECT
private slots:
    void namesSayTheKindAndAreUnique();
    void listsStartSelected_data();
    void listsStartSelected();
    void spinEdits_data();
    void spinEdits();
    void checkBoxesStartAsLaidDown();
    void colourPanels_data();
    void colourPanels();
    void fontSamples_data();
    void fontSamples();
    void backgroundFileRows();
    void showThenReadGivesTheSameValues_data();
    void showThenReadGivesTheSameValues();
    void showingSendsNoSignal();
    void userChangeIsReported_data();
    void userChangeIsReported();
    void choosersAreAskedFor_data();
    void choosersAreAskedFor();
    void fontSamplesShowTheirTextWhole();
    void everyCaptionFits_data();
    void everyCaptionFits();
};

void ParameterTabsTest::namesSayTheKindAndAreUnique() {
    const Tabs tabs;
    const QList<QPair<QString, const char*>> kinds = {
        {QStringLiteral("ComboBox"), "QComboBox"}, {QStringLiteral("CheckBox"), "QCheckBox"},
        {QStringLiteral("GroupBox"), "QGroupBox"}, {QStringLiteral("UpDown"), "SpinEdit"},
        {QStringLiteral("Edit"), "QLineEdit"},     {QStringLiteral("Panel"), "ColourPanel"},
        {QStringLiteral("BitBtn"), "QPushButton"}, {QStringLiteral("Label"), "QLabel"},
    };
    QSet<QString> seen;
    for (const QWidget& page : tabs.pages) {
        for (const QWidget* widget : page.findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(!seen.contains(name), qPrintable(name));
            seen.insert(name);
            const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const auto& kind) {
                return name.startsWith(kind.first);
            });
            QVERIFY2(kind != kinds.end(), qPrintable(name));
            QVERIFY2(widget->inherits(kind->second), qPrintable(name));
        }
    }
    // 14 lists, 23 check boxes, 13 groups, 11 spin edits with their edits, 3 file fields,
    // 8 panels, 3 buttons and 38 labels, font samples included.
    QCOMPARE(seen.size(), 14 + 23 + 13 + 22 + 3 + 8 + 3 + 38);
}

void ParameterTabsTest::listsStartSelected_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("start");
    QTest::newRow("layout mode") << "ComboBox2" << 3 << 2;
    QTest::newRow("category sign") << "ComboBox10" << 3 << 0;
    for (const char* name : {"ComboBox11", "ComboBox12", "ComboBox8", "ComboBox9", "ComboBox4"})
        QTest::newRow(name) << QString::fromLatin1(name) << 8 << 0;
    for (const char* name :
         {"ComboBox13", "ComboBox1", "ComboBox5", "ComboBox6", "ComboBox7", "ComboBox3"})
        QTest::newRow(name) << QString::fromLatin1(name) << 2 << 0;
    QTest::newRow("modern display size") << "ComboBoxDisplaySize" << 5 << 2;
}

void ParameterTabsTest::listsStartSelected() {
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(int, start);
    const Tabs tabs;
    auto* list = tabs.find<QComboBox>(name);
    QVERIFY(list);
    QCOMPARE(list->count(), count);
    QCOMPARE(list->currentIndex(), start);
    QVERIFY(!list->isEditable());
}

void ParameterTabsTest::spinEdits_data() {
    QTest::addColumn<QString>("upDown");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("start");
    QTest::newRow("category columns") << "UpDown7"
                                      << "Edit12" << 1 << 10 << 1;
    QTest::newRow("category width") << "UpDown8"
                                    << "Edit13" << 10 << 1000 << 100;
    QTest::newRow("category height") << "UpDown9"
                                     << "Edit14" << 10 << 1000 << 100;
    QTest::newRow("main table frame") << "UpDown10"
                                      << "Edit15" << 1 << 100 << 1;
    QTest::newRow("main cell frame") << "UpDown11"
                                     << "Edit16" << 1 << 100 << 1;
    QTest::newRow("thumbnail table frame") << "UpDown2"
                                           << "Edit3" << 1 << 100 << 1;
    QTest::newRow("thumbnail cell frame") << "UpDown5"
                                          << "Edit10" << 1 << 100 << 1;
    QTest::newRow("thumbnail columns") << "UpDown1"
                                       << "Edit2" << 1 << 100 << 4;
    QTest::newRow("thumbnail width") << "UpDown3"
                                     << "Edit7" << 10 << 1000 << 100;
    QTest::newRow("thumbnail height") << "UpDown4"
                                      << "Edit8" << 10 << 1000 << 100;
    QTest::newRow("photo frame") << "UpDown6"
                                 << "Edit11" << 1 << 100 << 1;
}

void ParameterTabsTest::spinEdits() {
    QFETCH(QString, upDown);
    QFETCH(QString, edit);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, start);
    const Tabs tabs;
    auto* spin = tabs.find<SpinEdit>(upDown);
    auto* field = tabs.find<QLineEdit>(edit);
    QVERIFY(spin && field);
    QVERIFY(spin->isAncestorOf(field));
    QCOMPARE(spin->value(), start);
    QCOMPARE(field->text(), QString::number(start));
    QCOMPARE(spin->singleStep(), 1);

    spin->setValue(maximum);
    spin->stepUp();
    QCOMPARE(spin->value(), maximum);
    spin->setValue(minimum);
    spin->stepDown();
    QCOMPARE(spin->value(), minimum);
    spin->setValue(maximum + 1);
    QCOMPARE(spin->value(), maximum);

    spin->setEnabled(false);
    QVERIFY(!field->isEnabled());
}

void ParameterTabsTest::checkBoxesStartAsLaidDown() {
    const Tabs tabs;
    for (int number = 1; number <= 20; ++number) {
        auto* box = tabs.find<QCheckBox>(QStringLiteral("CheckBox%1").arg(number));
        QVERIFY2(box, qPrintable(QString::number(number)));
        // Only the brightening of thumbnails starts on.
        QCOMPARE(box->isChecked(), number == 20);
    }
}

void ParameterTabsTest::colourPanels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint32>("start");
    QTest::addColumn<QString>("hint");
    for (const char* name : {"Panel4", "Panel5", "Panel6", "Panel7", "Panel8"})
        QTest::newRow(name) << QString::fromLatin1(name) << colourBlack << QString();
    for (const char* name : {"Panel1", "Panel2", "Panel3"})
        QTest::newRow(name) << QString::fromLatin1(name) << colourWhite
                            << QStringLiteral("Wybierz kolor tła");
}

void ParameterTabsTest::colourPanels() {
    QFETCH(QString, name);
    QFETCH(quint32, start);
    QFETCH(QString, hint);
    const Tabs tabs;
    auto* panel = tabs.find<ColourPanel>(name);
    QVERIFY(panel);
    QCOMPARE(panel->colour(), start);
    QCOMPARE(panel->toolTip(), hint);
    QCOMPARE(panel->cursor().shape(), Qt::PointingHandCursor);

    panel->setColour(0x0000FF);
    const QPoint middle = panel->rect().center();
    QCOMPARE(panel->grab().toImage().pixelColor(middle), QColor(255, 0, 0));
    panel->setEnabled(false);
    QVERIFY(panel->grab().toImage().pixelColor(middle) != QColor(255, 0, 0));
}

void ParameterTabsTest::fontSamples_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("large");
    QTest::newRow("album title") << "Label4"
                                 << "Tytuł albumu" << 20 << true;
    QTest::newRow("page title") << "Label10"
                                << "Tytuł" << 20 << true;
    QTest::newRow("page description") << "Label40"
                                      << "Opis" << 12 << true;
    QTest::newRow("photo title") << "Label39"
                                 << "Przykładowy tekst" << 20 << true;
    for (const char* name : {"Label28", "Label29", "Label30", "Label7", "Label16", "Label17"})
        QTest::newRow(name) << QString::fromLatin1(name) << "Czcionka" << 8 << false;
}

void ParameterTabsTest::fontSamples() {
    QFETCH(QString, name);
    QFETCH(QString, sample);
    QFETCH(int, pointSize);
    QFETCH(bool, large);
    const Tabs tabs;
    auto* label = tabs.find<FontSampleLabel>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), sample);
    const FontSpec fontSpec = label->fontSpec();
    QCOMPARE(fontSpec.face, QStringLiteral("Arial"));
    QCOMPARE(fontSpec.pointSize, pointSize);
    QCOMPARE(fontSpec.bold, large && pointSize == 20);
    QCOMPARE(fontSpec.colour, colourBlack);
    QCOMPARE(fontSpec.charset, large ? eastEuropeanCharset : defaultCharset);
    QCOMPARE(label->font().pointSize(), pointSize);
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(label->toolTip(),
             name == QLatin1String("Label4") ? QStringLiteral("Zmień czcionkę") : QString());

    // The sample is drawn in the colour of its font.
    FontSpec green = fontSpec;
    green.colour = 0x00FF00;
    green.bold = true;
    green.pointSize = 20;
    label->setFontSpec(green);
    const QImage image = label->grab().toImage();
    bool drawnInGreen = false;
    for (int y = 0; y < image.height() && !drawnInGreen; ++y) {
        for (int x = 0; x < image.width() && !drawnInGreen; ++x)
            drawnInGreen = image.pixelColor(x, y) == QColor(0, 255, 0);
    }
    QVERIFY(drawnInGreen);
}

void ParameterTabsTest::backgroundFileRows() {
    const Tabs tabs;
    QImage firstIcon;
    for (int row = 0; row < 3; ++row) {
        auto* field = tabs.find<BackgroundFileField>(QStringLiteral("Edit%1").arg(4 + row));
        QVERIFY(field);
        QCOMPARE(tabs.backgrounds->backgroundFileField(row), field);
        QVERIFY(field->isReadOnly());
        QVERIFY(field->text().isEmpty() && field->toolTip().isEmpty());

        auto* button = tabs.find<QPushButton>(QStringLiteral("BitBtn%1").arg(7 + row));
        QVERIFY(button);
        QCOMPARE(button->toolTip(), QStringLiteral("Wybierz plik tła"));
        const QImage icon = button->icon().pixmap(16, 16).toImage();
        QVERIFY(!icon.isNull());
        if (row == 0)
            firstIcon = icon;
        QCOMPARE(icon, firstIcon);
    }
}

void ParameterTabsTest::showThenReadGivesTheSameValues_data() {
    QTest::addColumn<AlbumParameters>("parameters");
    QTest::newRow("start values") << AlbumParameters{};
    QTest::newRow("everything changed") << everythingChanged();
    QTest::newRow("no item selected in any list") << nothingSelected();
}

void ParameterTabsTest::showThenReadGivesTheSameValues() {
    QFETCH(AlbumParameters, parameters);
    Tabs tabs;
    tabs.show(everythingChanged());
    tabs.show(parameters);
    QCOMPARE(tabs.read(), parameters);
    QCOMPARE(tabs.find<QLineEdit>(QStringLiteral("Edit12"))->text(),
             QString::number(parameters.categoryColumns));
    QCOMPARE(tabs.find<QLineEdit>(QStringLiteral("Edit5"))->text(),
             parameters.tableBackground.fileName);
    QCOMPARE(tabs.find<QLineEdit>(QStringLiteral("Edit5"))->toolTip(),
             parameters.tableBackground.filePath);
}

void ParameterTabsTest::showingSendsNoSignal() {
    Tabs tabs;
    QList<std::shared_ptr<QSignalSpy>> spies;
    for (ParameterTab* tab : tabs.tabs)
        spies.append(std::make_shared<QSignalSpy>(tab, &ParameterTab::parametersChanged));
    // The layout mode list asks a question when the user picks item 1; showing must not.
    spies.append(
        std::make_shared<QSignalSpy>(tabs.main->layoutModeList(), &QComboBox::currentIndexChanged));
    spies.append(std::make_shared<QSignalSpy>(tabs.find<QCheckBox>(QStringLiteral("CheckBox15")),
                                              &QCheckBox::toggled));
    tabs.show(everythingChanged());
    tabs.show(nothingSelected());
    for (const auto& spy : spies)
        QCOMPARE(spy->count(), 0);
}

void ParameterTabsTest::userChangeIsReported_data() {
    QTest::addColumn<QString>("name");
    const QStringList names = {"ComboBox2",
                               "ComboBox10",
                               "ComboBox11",
                               "ComboBox12",
                               "ComboBox8",
                               "ComboBox9",
                               "ComboBox13",
                               "ComboBox1",
                               "ComboBox5",
                               "ComboBox6",
                               "ComboBox7",
                               "ComboBox3",
                               "ComboBox4",
                               "UpDown7",
                               "UpDown8",
                               "UpDown9",
                               "UpDown10",
                               "UpDown11",
                               "UpDown2",
                               "UpDown5",
                               "UpDown1",
                               "UpDown3",
                               "UpDown4",
                               "UpDown6",
                               "Panel1",
                               "Panel8",
                               "Label4",
                               "Label17",
                               "Edit6",
                               "ComboBoxDisplaySize",
                               "CheckBoxModernPages",
                               "CheckBoxPublishOriginals",
                               "CheckBoxRemoveLocation"};
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << name;
    for (int number = 1; number <= 20; ++number)
        QTest::addRow("CheckBox%d", number) << QStringLiteral("CheckBox%1").arg(number);
}

void ParameterTabsTest::userChangeIsReported() {
    QFETCH(QString, name);
    Tabs tabs;
    QWidget* widget = tabs.find(name);
    QVERIFY(widget);
    QSignalSpy changed(tabs.tabOf(widget), &ParameterTab::parametersChanged);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        // On the check mark: a check box reacts to its mark and caption only.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        QTest::keyClick(list, list->currentIndex() + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        QTest::keyClick(spin, spin->value() < spin->maximum() ? Qt::Key_Up : Qt::Key_Down);
    } else if (auto* panel = qobject_cast<ColourPanel*>(widget)) {
        panel->setColour(0x123456); // what the colour chooser does on OK
    } else if (auto* label = qobject_cast<FontSampleLabel*>(widget)) {
        FontSpec chosen = label->fontSpec();
        chosen.underline = true;
        label->setFontSpec(chosen);
    } else if (auto* field = qobject_cast<BackgroundFileField*>(widget)) {
        field->setFile(QStringLiteral("x.png"), QStringLiteral("/x.png"));
    }
    QCOMPARE(changed.count(), 1);
}

void ParameterTabsTest::choosersAreAskedFor_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row"); // background row, -1 for panels and samples
    for (int number = 1; number <= 8; ++number)
        QTest::addRow("Panel%d", number) << QStringLiteral("Panel%1").arg(number) << -1;
    for (const char* name : {"Label4", "Label7", "Label10", "Label16", "Label17", "Label28",
                             "Label29", "Label30", "Label39", "Label40"})
        QTest::newRow(name) << QString::fromLatin1(name) << -1;
    for (int row = 0; row < 3; ++row) {
        QTest::addRow("BitBtn%d", 7 + row) << QStringLiteral("BitBtn%1").arg(7 + row) << row;
        QTest::addRow("Edit%d", 4 + row) << QStringLiteral("Edit%1").arg(4 + row) << row;
    }
}

void ParameterTabsTest::choosersAreAskedFor() {
    QFETCH(QString, name);
    QFETCH(int, row);
    Tabs tabs;
    QWidget* widget = tabs.find(name);
    QVERIFY(widget);
    ParameterTab* tab = tabs.tabOf(widget);
    QSignalSpy colours(tab, &ParameterTab::colourPanelClicked);
    QSignalSpy fonts(tab, &ParameterTab::fontSampleClicked);
    QSignalSpy files(tabs.backgrounds, &BackgroundsTab::backgroundFileRequested);
    QSignalSpy changed(tab, &ParameterTab::parametersChanged);

    if (qobject_cast<QLineEdit*>(widget))
        QTest::mouseDClick(widget, Qt::LeftButton);
    else
        QTest::mouseClick(widget, Qt::LeftButton);
    const int asked = colours.count() + fonts.count() + files.count();
    QCOMPARE(asked, 1);
    if (auto* panel = qobject_cast<ColourPanel*>(widget))
        QCOMPARE(colours.at(0).at(0).value<ColourPanel*>(), panel);
    else if (auto* label = qobject_cast<FontSampleLabel*>(widget))
        QCOMPARE(fonts.at(0).at(0).value<FontSampleLabel*>(), label);
    else
        QCOMPARE(files.at(0).at(0).toInt(), row);
    QCOMPARE(changed.count(), 0); // asking changes nothing yet

    // A greyed control cannot be operated.
    widget->setEnabled(false);
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mouseDClick(widget, Qt::LeftButton);
    QCOMPARE(colours.count() + fonts.count() + files.count(), 1);
}

// A sample in the largest font the chooser offers is still seen whole: the text's ink keeps
// clear of the sample's edges.
void ParameterTabsTest::fontSamplesShowTheirTextWhole() {
    Tabs tabs;
    auto* sample = tabs.find<FontSampleLabel>(QStringLiteral("Label39"));
    FontSpec huge = sample->fontSpec();
    huge.pointSize = 72;
    huge.colour = 0x000000;
    sample->setFontSpec(huge);
    QImage picture = sample->grab().toImage();
    const QRgb background = picture.pixel(0, 0);
    int left = picture.width();
    int right = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    QVERIFY(right > left); // something is drawn
    QVERIFY2(
        left > 0 && right < picture.width() - 1,
        qPrintable(
            QStringLiteral("ink from %1 to %2 of %3").arg(left).arg(right).arg(picture.width())));
}

void ParameterTabsTest::everyCaptionFits_data() {
    QTest::addColumn<int>("languageFlag");
    QTest::newRow("Polish") << 1;
    QTest::newRow("English") << 0;
}

void ParameterTabsTest::everyCaptionFits() {
    QFETCH(int, languageFlag);
    Tabs tabs;
    tabs.applyLanguage(qint8(languageFlag));
    // The longest form of the layout mode item that carries the per-page count.
    tabs.main->layoutModeList()->setItemText(
        1, QStringLiteral("9999") + interfaceText(textPerPageSuffix, qint8(languageFlag)));

    for (const QWidget& page : tabs.pages) {
        QList<const QWidget*> containers = {&page};
        for (const QGroupBox* group : page.findChildren<QGroupBox*>())
            containers.append(group);
        for (const QWidget* container : containers) {
            const QList<QWidget*> children =
                container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (const QWidget* child : children) {
                const QString name = child->objectName();
                QVERIFY2(container->contentsRect().contains(child->geometry()), qPrintable(name));
                for (const QWidget* other : children) {
                    QVERIFY2(other == child || !other->geometry().intersects(child->geometry()),
                             qPrintable(name + QLatin1Char('/') + other->objectName()));
                }
                QSize needed;
                if (auto* list = qobject_cast<const QComboBox*>(child)) {
                    for (int item = 0; item < list->count(); ++item) {
                        QComboBox probe;
                        probe.setFont(list->font());
                        probe.addItem(list->itemText(item));
                        needed = needed.expandedTo(probe.sizeHint());
                    }
                } else if (auto* button = qobject_cast<const QPushButton*>(child)) {
                    needed = button->iconSize() + QSize(4, 4); // a picture, no caption
                } else if (auto* label = qobject_cast<const QLabel*>(child);
                           label && label->wordWrap()) {
                    needed = QSize(child->width(), label->heightForWidth(child->width()));
                } else if (qobject_cast<const QGroupBox*>(child) ||
                           qobject_cast<const FontSampleLabel*>(child)) {
                    needed = child->minimumSizeHint(); // a sample shrinks its text to fit
                } else {
                    needed = child->sizeHint();
                }
                QVERIFY2(needed.width() <= child->width() && needed.height() <= child->height(),
                         qPrintable(QStringLiteral("%1 needs %2 × %3, has %4 × %5")
                                        .arg(name)
                                        .arg(needed.width())
                                        .arg(needed.height())
                                        .arg(child->width())
                                        .arg(child->height())));
            }
        }
    }
}

QTEST_MAIN(ParameterTabsTest)
#include "ParameterTabsTest.moc"

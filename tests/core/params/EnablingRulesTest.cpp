#include "core/params/EnablingRules.h"

#include <QSet>
#include <QtTest>

namespace {

QSet<QString> enabledControls(const AlbumParameters& parameters) {
    QSet<QString> enabled;
    for (const ControlState& state : dependentControlStates(parameters))
        if (state.enabled)
            enabled.insert(state.objectName);
    return enabled;
}

QSet<QString> names(std::initializer_list<const char*> list) {
    QSet<QString> result;
    for (const char* name : list)
        result.insert(QLatin1String(name));
    return result;
}

using Change = std::function<void(AlbumParameters&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class EnablingRulesTest : public QObject {
    Q_OBJECT
private slots:
    void eachControlAppearsOnce();
    void startValuesGiveTheStartStates();
    void statesFollowTheirSwitches_data();
    void statesFollowTheirSwitches();
    void photoPagesBackAndForthRestoreExactly_data();
    void photoPagesBackAndForthRestoreExactly();
};

void EnablingRulesTest::eachControlAppearsOnce() {
    QSet<QString> seen;
    for (const ControlState& state : dependentControlStates(AlbumParameters{})) {
        QVERIFY2(!seen.contains(state.objectName), qPrintable(state.objectName));
        seen.insert(state.objectName);
    }
    QCOMPARE(seen.size(), 82);
}

void EnablingRulesTest::startValuesGiveTheStartStates() {
    QCOMPARE(enabledControls(AlbumParameters{}),
             names({"Label5", "Label31", "Label32", "Edit13", "Edit14", "UpDown8", "UpDown9",
                    "CheckBox13", "CheckBox14", "Label39", "GroupBox11"}));
}

void EnablingRulesTest::statesFollowTheirSwitches_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QSet<QString>>("becomeEnabled");

    QTest::newRow("page background picture needs both switches") << Change([](AlbumParameters& p) {
        p.pageBackground.enabled = true;
        p.pageBackground.fromFile = true;
    }) << names({"Panel1", "CheckBox6", "Edit4", "BitBtn7", "Label21", "ComboBox5"});
    QTest::newRow("background switch off greys a checked picture row")
        << Change([](AlbumParameters& p) { p.pageBackground.fromFile = true; }) << QSet<QString>();
    QTest::newRow("background colour alone")
        << Change([](AlbumParameters& p) { p.tableBackground.enabled = true; })
        << names({"Panel2", "CheckBox7"});
    QTest::newRow("cell background picture") << Change([](AlbumParameters& p) {
        p.cellBackground.enabled = true;
        p.cellBackground.fromFile = true;
    }) << names({"Panel3", "CheckBox8", "Edit6", "BitBtn9", "Label23", "ComboBox7"});
    QTest::newRow("thumbnail table frame")
        << Change([](AlbumParameters& p) { p.thumbnailTableFrame.enabled = true; })
        << names({"Label6", "Label24", "Label26", "Panel5", "Edit3", "UpDown2", "ComboBox8"});
    QTest::newRow("thumbnail cell frame")
        << Change([](AlbumParameters& p) { p.thumbnailCellFrame.enabled = true; })
        << names({"Label15", "Label25", "Label27", "Panel6", "Edit10", "UpDown5", "ComboBox9"});
    QTest::newRow("main table frame")
        << Change([](AlbumParameters& p) { p.mainTableFrame.enabled = true; })
        << names({"Label33", "Label34", "Label35", "Panel7", "Edit15", "UpDown10", "ComboBox11"});
    QTest::newRow("main cell frame")
        << Change([](AlbumParameters& p) { p.mainCellFrame.enabled = true; })
        << names({"Label36", "Label37", "Label38", "Panel8", "Edit16", "UpDown11", "ComboBox12"});
    QTest::newRow("photo frame") << Change([](AlbumParameters& p) {
        p.photoFrame.enabled = true;
    }) << names({"Label18", "Label19", "Label20", "Edit11", "UpDown6", "Panel4", "ComboBox4"});
    QTest::newRow("photo description")
        << Change([](AlbumParameters& p) { p.photoDescription = true; })
        << names({"CheckBox2", "CheckBox3", "CheckBox4", "Label7", "Label16", "Label17"});
    QTest::newRow("interactive descriptions keep the table choices grey")
        << Change([](AlbumParameters& p) { p.photoInformation = true; })
        << names({"Label41", "ComboBox13"});
    QTest::newRow("descriptions in the table")
        << Change([](AlbumParameters& p) {
               p.photoInformation = true;
               p.photoInformationType = 1;
           })
        << names({"Label41", "ComboBox13", "Label28", "Label29", "Label30", "CheckBox10",
                  "CheckBox11", "CheckBox12"});
    QTest::newRow("table descriptions without information stay grey")
        << Change([](AlbumParameters& p) { p.photoInformationType = 1; }) << QSet<QString>();
    QTest::newRow("modern pages' choices")
        << Change([](AlbumParameters& p) { p.modern.enabled = true; })
        << names({"LabelDisplaySize", "ComboBoxDisplaySize", "CheckBoxPublishOriginals",
                  "CheckBoxRemoveLocation"});
}

void EnablingRulesTest::statesFollowTheirSwitches() {
    QFETCH(Change, change);
    QFETCH(QSet<QString>, becomeEnabled);
    AlbumParameters parameters;
    change(parameters);
    const QSet<QString> start = enabledControls(AlbumParameters{});
    QCOMPARE(enabledControls(parameters), start + becomeEnabled);
}

void EnablingRulesTest::photoPagesBackAndForthRestoreExactly_data() {
    QTest::addColumn<int>("withoutPhotoPages");
    QTest::newRow("links to the photos") << int(photoPagesLinksToPhotos);
    // The run makes no photo pages without a selection either, so their options are grey.
    QTest::newRow("no selection") << -1;
}

void EnablingRulesTest::photoPagesBackAndForthRestoreExactly() {
    QFETCH(int, withoutPhotoPages);
    AlbumParameters parameters;
    parameters.photoDescription = true;
    parameters.photoFrame.enabled = true;
    const QSet<QString> withPages = enabledControls(parameters);

    parameters.photoPages = withoutPhotoPages;
    const QSet<QString> photoPageGroup =
        names({"CheckBox13", "CheckBox14", "CheckBox2", "CheckBox3", "CheckBox4", "Label7",
               "Label16", "Label17", "Label18", "Label19", "Label20", "Edit11", "UpDown6", "Panel4",
               "ComboBox4", "Label39", "GroupBox11"});
    QCOMPARE(enabledControls(parameters) & photoPageGroup, QSet<QString>());
    QCOMPARE(enabledControls(parameters), withPages - photoPageGroup);

    parameters.photoPages = 0;
    QCOMPARE(enabledControls(parameters), withPages);

    // The category size spins follow the category sign list.
    parameters.categorySign = signDefaultIcon;
    QCOMPARE(enabledControls(parameters) &
                 names({"Label5", "Label31", "Label32", "Edit13", "Edit14", "UpDown8", "UpDown9"}),
             QSet<QString>());
}

QTEST_GUILESS_MAIN(EnablingRulesTest)
#include "EnablingRulesTest.moc"

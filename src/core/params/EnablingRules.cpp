#include "core/params/EnablingRules.h"

namespace {

void set(QList<ControlState>& states, std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names)
        states.append(ControlState{QLatin1String(name), enabled});
}

void frameRow(QList<ControlState>& states, std::initializer_list<const char*> names,
              const FrameParameters& frame) {
    set(states, names, frame.enabled);
}

// A background row: the colour and the "from file" switch follow the row's switch; the
// picture controls need both switches on.
void backgroundRow(QList<ControlState>& states, const char* colourPanel, const char* fromFile,
                   std::initializer_list<const char*> pictureControls,
                   const BackgroundParameters& row) {
    set(states, {colourPanel, fromFile}, row.enabled);
    set(states, pictureControls, row.enabled && row.fromFile);
}

} // namespace

QList<ControlState> dependentControlStates(const AlbumParameters& p) {
    QList<ControlState> states;

    backgroundRow(states, "Panel1", "CheckBox6", {"Edit4", "BitBtn7", "Label21", "ComboBox5"},
                  p.pageBackground);
    backgroundRow(states, "Panel2", "CheckBox7", {"Edit5", "BitBtn8", "Label22", "ComboBox6"},
                  p.tableBackground);
    backgroundRow(states, "Panel3", "CheckBox8", {"Edit6", "BitBtn9", "Label23", "ComboBox7"},
                  p.cellBackground);

    frameRow(states, {"Label6", "Label24", "Label26", "Panel5", "Edit3", "UpDown2", "ComboBox8"},
             p.thumbnailTableFrame);
    frameRow(states, {"Label15", "Label25", "Label27", "Panel6", "Edit10", "UpDown5", "ComboBox9"},
             p.thumbnailCellFrame);
    frameRow(states,
             {"Label33", "Label34", "Label35", "Panel7", "Edit15", "UpDown10", "ComboBox11"},
             p.mainTableFrame);
    frameRow(states,
             {"Label36", "Label37", "Label38", "Panel8", "Edit16", "UpDown11", "ComboBox12"},
             p.mainCellFrame);

    // Photo information on the thumbnail pages: the per-item choices matter only for
    // lines in the table.
    set(states, {"Label41", "ComboBox13"}, p.photoInformation);
    set(states, {"Label28", "Label29", "Label30", "CheckBox10", "CheckBox11", "CheckBox12"},
        p.photoInformation && p.photoInformationType == informationInTable);

    set(states, {"Label5", "Label31", "Label32", "Edit13", "Edit14", "UpDown8", "UpDown9"},
        p.categorySign != signDefaultIcon);

    // Photo pages: without them nothing of their group matters.
    const bool photoPagesMade = makesPhotoPages(p);
    set(states, {"CheckBox13", "CheckBox14", "Label39", "GroupBox11"}, photoPagesMade);
    set(states, {"CheckBox2", "CheckBox3", "CheckBox4", "Label7", "Label16", "Label17"},
        photoPagesMade && p.photoDescription);
    set(states, {"Label18", "Label19", "Label20", "Edit11", "UpDown6", "Panel4", "ComboBox4"},
        photoPagesMade && p.photoFrame.enabled);

    // The modern pages' own choices.
    set(states,
        {"LabelDisplaySize", "ComboBoxDisplaySize", "CheckBoxPublishOriginals",
         "CheckBoxRemoveLocation"},
        p.modern.enabled);
    return states;
}

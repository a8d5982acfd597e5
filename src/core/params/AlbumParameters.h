#pragma once

#include <QString>

// A colour as the album parameters hold it: 0x00BBGGRR (red in the low byte). Values of
// the form 0xFF0000nn name the desktop's system colour nn; they are resolved when used.
using ColourValue = quint32;

inline constexpr ColourValue colourBlack = 0x000000;
inline constexpr ColourValue colourWhite = 0xFFFFFF;

// Character sets a font sample can carry (kept on the sample, never written anywhere).
inline constexpr int defaultCharset = 1;
inline constexpr int eastEuropeanCharset = 238;

// The font of a font sample label.
struct FontSpec {
    QString face = QStringLiteral("Arial");
    int pointSize = 8;
    ColourValue colour = colourBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false; // kept on the sample only: not saved, not used in the album
    bool strikeOut = false; // likewise
    int charset = defaultCharset;

    bool operator==(const FontSpec&) const = default;
};

FontSpec largeSampleFont(int pointSize, bool bold); // Arial, East European character set

// The items of the lists, by index. Layout modes (ComboBox2):
enum LayoutMode : int { layoutOnePage = 0, layoutFixedCount = 1, layoutByDirectory = 2 };
// Category picture (ComboBox10).
enum CategorySign : int { signFirstPhoto = 0, signRandomPhoto = 1, signDefaultIcon = 2 };
// Photo information on the thumbnail pages (ComboBox13).
enum InformationType : int { informationPopUp = 0, informationInTable = 1 };
// Thumbnails (ComboBox1): thumbnail files, or the photos themselves shown smaller.
enum ThumbnailKind : int { thumbnailFiles = 0, thumbnailsResizedPhotos = 1 };
// Background picture placement (ComboBox5, ComboBox6, ComboBox7).
enum BackgroundPlacement : int { placementTiled = 0, placementCentred = 1 };
// Photo pages (ComboBox3): a page per photo, or thumbnails linking straight to the photos.
enum PhotoPagesChoice : int { photoPagesMade = 0, photoPagesLinksToPhotos = 1 };

// A frame: switch, width in pixels, colour and line type (border type list index).
struct FrameParameters {
    bool enabled = false;
    int width = 1;
    ColourValue colour = colourBlack;
    int type = 0; // 0 solid … 7 outset; -1 when the list has no selection

    bool operator==(const FrameParameters&) const = default;
};

// One row of the background group: colour switch, colour, picture from a file, placement.
struct BackgroundParameters {
    bool enabled = false;
    ColourValue colour = colourWhite;
    bool fromFile = false;
    QString fileName; // shown in the field and kept in parameter files
    QString filePath; // the full path (the field's tooltip), copied into the album
    int placement = placementTiled;

    bool operator==(const BackgroundParameters&) const = default;
};

// A piece of photo information (file name, dimensions or size) with its font.
struct InfoItem {
    bool shown = false;
    FontSpec font;

    bool operator==(const InfoItem&) const = default;
};

// Pages for today's screens, a choice of this program's own (off by default; the classic album
// is made otherwise): photo pages that fit the window, filtered thumbnails with a version for
// high-density screens, pages that adapt to a phone, keyboard and swipe navigation.
struct ModernPagesParameters {
    bool enabled = false;
    int displayLongSide = 2048;   // the photo pages' copy: 1280, 1600, 2048, 2560, 0 full size
    bool publishOriginals = true; // the full-size copy, opened by clicking the photo
    bool removeLocation = true;   // published copies without their location (GPS) tags

    bool operator==(const ModernPagesParameters&) const = default;
};
// The long sides offered for the photo pages' copies, in list order (0: full size).
inline constexpr int modernDisplaySizes[] = {1280, 1600, 2048, 2560, 0};

// Every parameter that shapes an album, with the values the program starts with. List
// values are item indexes, -1 meaning no item is selected. The comments name the control
// of the window that shows each value.
struct AlbumParameters {
    // Main page and grouping.
    int layoutMode = layoutByDirectory;                  // ComboBox2
    int categoryColumns = 1;                             // UpDown7 (1–10)
    int categorySign = signFirstPhoto;                   // ComboBox10
    int categoryThumbnailWidth = 100;                    // UpDown8 (10–1000)
    int categoryThumbnailHeight = 100;                   // UpDown9 (10–1000)
    FrameParameters mainTableFrame;                      // CheckBox18, UpDown10, Panel7, ComboBox11
    FrameParameters mainCellFrame;                       // CheckBox19, UpDown11, Panel8, ComboBox12
    FontSpec albumTitleFont = largeSampleFont(20, true); // Label4

    // Thumbnail pages.
    FrameParameters thumbnailTableFrame;                // CheckBox5, UpDown2, Panel5, ComboBox8
    FrameParameters thumbnailCellFrame;                 // CheckBox1, UpDown5, Panel6, ComboBox9
    bool photoInformation = false;                      // CheckBox9
    int photoInformationType = informationPopUp;        // ComboBox13
    InfoItem tableFileName;                             // CheckBox10, Label28
    InfoItem tableDimensions;                           // CheckBox11, Label29
    InfoItem tableSize;                                 // CheckBox12, Label30
    int thumbnailColumns = 4;                           // UpDown1 (1–100)
    int thumbnailKind = thumbnailFiles;                 // ComboBox1
    int thumbnailWidth = 100;                           // UpDown3 (10–1000)
    int thumbnailHeight = 100;                          // UpDown4 (10–1000)
    bool brightenThumbnails = true;                     // CheckBox20
    FontSpec pageTitleFont = largeSampleFont(20, true); // Label10
    FontSpec pageDescriptionFont = largeSampleFont(12, false); // Label40

    // Backgrounds and photo pages.
    BackgroundParameters pageBackground;  // CheckBox15, Panel1, CheckBox6, Edit4, ComboBox5
    BackgroundParameters tableBackground; // CheckBox16, Panel2, CheckBox7, Edit5, ComboBox6
    BackgroundParameters cellBackground;  // CheckBox17, Panel3, CheckBox8, Edit6, ComboBox7
    int photoPages = photoPagesMade;      // ComboBox3
    bool photoDescription = false;        // CheckBox13
    InfoItem pageFileName;                // CheckBox2, Label7
    InfoItem pageDimensions;              // CheckBox3, Label16
    InfoItem pageSize;                    // CheckBox4, Label17
    FrameParameters photoFrame;           // CheckBox14, UpDown6, Panel4, ComboBox4
    FontSpec photoTitleFont = largeSampleFont(20, true); // Label39

    // Photos per thumbnail page in the fixed-count layout; 0 means not set.
    qint32 perPageCount = 0;

    ModernPagesParameters modern; // the fifth tab page

    bool operator==(const AlbumParameters&) const = default;
};

// A list without a selection (a parameter file's value out of range) chooses neither item:
// photo pages are made only on the first item of ComboBox3, and thumbnail files are made
// unless ComboBox1 is on its second item.
inline bool makesPhotoPages(const AlbumParameters& p) {
    return p.photoPages == photoPagesMade;
}
inline bool makesThumbnailFiles(const AlbumParameters& p) {
    return p.thumbnailKind != thumbnailsResizedPhotos;
}

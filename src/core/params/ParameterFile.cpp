#include "core/params/ParameterFile.h"

#include "core/params/ColourText.h"
#include "core/params/ProfileFile.h"
#include "core/photos/ImageHeader.h"

#include <QDir>

#include <algorithm>
#include <QFileInfo>

#include <variant>

namespace {

using IntRef = int& (*)(AlbumParameters&);
using BoolRef = bool& (*)(AlbumParameters&);
using ColourRef = ColourValue& (*)(AlbumParameters&);
using FontRef = FontSpec& (*)(AlbumParameters&);
using BackgroundRef = BackgroundParameters& (*)(AlbumParameters&);

// How a read integer reaches its control: a list without that item has no selection, an
// up-down keeps its position within its range, the per-page count takes it as it is.
struct ListValue {
    IntRef value;
    int itemCount;
    int fallback;
};
struct SpinValue {
    IntRef value;
    int minimum;
    int maximum;
    int fallback;
};
struct PerPageValue {};
struct BoolValue {
    BoolRef value;
    bool fallback;
};
struct ColourKey {
    ColourRef value;
    ColourValue fallback;
};
struct FontGroup {
    FontRef value;
    int fallbackSize;
    bool fallbackBold;
};
struct BackgroundFileName {
    BackgroundRef value;
};
struct InfoText {};

using Value = std::variant<ListValue, SpinValue, PerPageValue, BoolValue, ColourKey, FontGroup,
                           BackgroundFileName, InfoText>;

// Settings of the program's own, which the classic keys do not hold.
QString ownSection() {
    return QStringLiteral("Kadrela");
}

// PBckP, the picture's name, has PBckPath, its full path, beside it.
QString fullPathKey(const QString& nameKey) {
    return nameKey.chopped(1) + QLatin1String("Path");
}

struct Key {
    const char* section;
    const char* name;
    Value value;
};

// clang-format off
#define REF(type, member) +[](AlbumParameters& p) -> type& { return p.member; }

// Every key in the order a new file lists them.
const Key keys[] = {
    {"Info", "Info", InfoText{}},
    {"MainP", "PArrange", ListValue{REF(int, layoutMode), 3, 2}},
    {"MainP", "OnPage", PerPageValue{}},
    {"MainP", "ColC", SpinValue{REF(int, categoryColumns), 1, 10, 1}},
    {"MainP", "CatS", ListValue{REF(int, categorySign), 3, 0}},
    {"MainP", "CatThW", SpinValue{REF(int, categoryThumbnailWidth), 10, 1000, 100}},
    {"MainP", "CatThH", SpinValue{REF(int, categoryThumbnailHeight), 10, 1000, 100}},
    {"MainP", "TableFrame", BoolValue{REF(bool, mainTableFrame.enabled), false}},
    {"MainP", "TableFrameW", SpinValue{REF(int, mainTableFrame.width), 1, 100, 1}},
    {"MainP", "TableCol", ColourKey{REF(ColourValue, mainTableFrame.colour), colourBlack}},
    {"MainP", "TableType", ListValue{REF(int, mainTableFrame.type), 8, 0}},
    {"MainP", "CellFrame", BoolValue{REF(bool, mainCellFrame.enabled), false}},
    {"MainP", "CellFrameW", SpinValue{REF(int, mainCellFrame.width), 1, 100, 1}},
    {"MainP", "CellCol", ColourKey{REF(ColourValue, mainCellFrame.colour), colourBlack}},
    {"MainP", "CellType", ListValue{REF(int, mainCellFrame.type), 8, 0}},
    {"MainP", "TitleF", FontGroup{REF(FontSpec, albumTitleFont), 20, false}},
    {"AlbumP", "TableFrame", BoolValue{REF(bool, thumbnailTableFrame.enabled), false}},
    {"AlbumP", "TableFrameW", SpinValue{REF(int, thumbnailTableFrame.width), 1, 100, 1}},
    {"AlbumP", "TableCol", ColourKey{REF(ColourValue, thumbnailTableFrame.colour), colourBlack}},
    {"AlbumP", "TableType", ListValue{REF(int, thumbnailTableFrame.type), 8, 0}},
    {"AlbumP", "CellFrame", BoolValue{REF(bool, thumbnailCellFrame.enabled), false}},
    {"AlbumP", "CellFrameW", SpinValue{REF(int, thumbnailCellFrame.width), 1, 100, 1}},
    {"AlbumP", "CellCol", ColourKey{REF(ColourValue, thumbnailCellFrame.colour), colourBlack}},
    {"AlbumP", "CellType", ListValue{REF(int, thumbnailCellFrame.type), 8, 0}},
    {"AlbumP", "ColC", SpinValue{REF(int, thumbnailColumns), 1, 100, 4}},
    {"AlbumP", "PInfo", BoolValue{REF(bool, photoInformation), false}},
    {"AlbumP", "PInfoType", ListValue{REF(int, photoInformationType), 2, 0}},
    {"AlbumP", "PInfoFN", BoolValue{REF(bool, tableFileName.shown), false}},
    {"AlbumP", "PInfoFNF", FontGroup{REF(FontSpec, tableFileName.font), 8, false}},
    {"AlbumP", "PInfoD", BoolValue{REF(bool, tableDimensions.shown), false}},
    {"AlbumP", "PInfoDF", FontGroup{REF(FontSpec, tableDimensions.font), 8, false}},
    {"AlbumP", "PInfoS", BoolValue{REF(bool, tableSize.shown), false}},
    {"AlbumP", "PInfoSF", FontGroup{REF(FontSpec, tableSize.font), 8, false}},
    {"AlbumP", "Thumb", ListValue{REF(int, thumbnailKind), 2, 0}},
    {"AlbumP", "ThumbW", SpinValue{REF(int, thumbnailWidth), 10, 1000, 100}},
    {"AlbumP", "ThumbH", SpinValue{REF(int, thumbnailHeight), 10, 1000, 100}},
    {"AlbumP", "ThumbB", BoolValue{REF(bool, brightenThumbnails), true}},
    {"AlbumP", "TitleF", FontGroup{REF(FontSpec, pageTitleFont), 20, false}},
    {"AlbumP", "DescF", FontGroup{REF(FontSpec, pageDescriptionFont), 12, false}},
    {"Bckg", "PBck", BoolValue{REF(bool, pageBackground.enabled), false}},
    {"Bckg", "PBckCol", ColourKey{REF(ColourValue, pageBackground.colour), colourWhite}},
    {"Bckg", "PBckF", BoolValue{REF(bool, pageBackground.fromFile), false}},
    {"Bckg", "PBckP", BackgroundFileName{REF(BackgroundParameters, pageBackground)}},
    {"Bckg", "PBckS", ListValue{REF(int, pageBackground.placement), 2, 0}},
    {"Bckg", "TBck", BoolValue{REF(bool, tableBackground.enabled), false}},
    {"Bckg", "TBckCol", ColourKey{REF(ColourValue, tableBackground.colour), colourWhite}},
    {"Bckg", "TBckF", BoolValue{REF(bool, tableBackground.fromFile), false}},
    {"Bckg", "TBckP", BackgroundFileName{REF(BackgroundParameters, tableBackground)}},
    {"Bckg", "TBckS", ListValue{REF(int, tableBackground.placement), 2, 0}},
    {"Bckg", "CBck", BoolValue{REF(bool, cellBackground.enabled), false}},
    {"Bckg", "CBckCol", ColourKey{REF(ColourValue, cellBackground.colour), colourWhite}},
    {"Bckg", "CBckF", BoolValue{REF(bool, cellBackground.fromFile), false}},
    {"Bckg", "CBckP", BackgroundFileName{REF(BackgroundParameters, cellBackground)}},
    {"Bckg", "CBckS", ListValue{REF(int, cellBackground.placement), 2, 0}},
    {"PhotoP", "Create", ListValue{REF(int, photoPages), 2, 0}},
    {"PhotoP", "Descr", BoolValue{REF(bool, photoDescription), false}},
    {"PhotoP", "PInfoFN", BoolValue{REF(bool, pageFileName.shown), false}},
    {"PhotoP", "PInfoFNF", FontGroup{REF(FontSpec, pageFileName.font), 8, false}},
    {"PhotoP", "PInfoD", BoolValue{REF(bool, pageDimensions.shown), false}},
    {"PhotoP", "PInfoDF", FontGroup{REF(FontSpec, pageDimensions.font), 8, false}},
    {"PhotoP", "PInfoS", BoolValue{REF(bool, pageSize.shown), false}},
    {"PhotoP", "PInfoSF", FontGroup{REF(FontSpec, pageSize.font), 8, false}},
    {"PhotoP", "PFrame", BoolValue{REF(bool, photoFrame.enabled), false}},
    {"PhotoP", "PFrameW", SpinValue{REF(int, photoFrame.width), 1, 100, 1}},
    {"PhotoP", "PFramCol", ColourKey{REF(ColourValue, photoFrame.colour), colourBlack}},
    {"PhotoP", "PFramType", ListValue{REF(int, photoFrame.type), 8, 0}},
    {"PhotoP", "TitleF", FontGroup{REF(FontSpec, photoTitleFont), 20, false}},
};
#undef REF

// The order in which a load applies the keys; it differs from the order of the file.
const char* const loadOrder[][2] = {
    {"MainP", "PArrange"}, {"MainP", "OnPage"}, {"MainP", "ColC"}, {"MainP", "CatS"},
    {"MainP", "CatThW"}, {"MainP", "CatThH"}, {"MainP", "TableFrame"}, {"MainP", "TableFrameW"},
    {"MainP", "TableCol"}, {"MainP", "TableType"}, {"MainP", "CellFrame"},
    {"MainP", "CellFrameW"}, {"MainP", "CellCol"}, {"MainP", "CellType"}, {"MainP", "TitleF"},
    {"AlbumP", "TableFrame"}, {"AlbumP", "TableFrameW"}, {"AlbumP", "TableCol"},
    {"AlbumP", "TableType"}, {"AlbumP", "CellFrame"}, {"AlbumP", "CellFrameW"},
    {"AlbumP", "CellCol"}, {"AlbumP", "CellType"}, {"AlbumP", "ColC"}, {"AlbumP", "PInfoType"},
    {"AlbumP", "PInfo"}, {"AlbumP", "PInfoFN"}, {"AlbumP", "PInfoFNF"}, {"AlbumP", "PInfoD"},
    {"AlbumP", "PInfoDF"}, {"AlbumP", "PInfoS"}, {"AlbumP", "PInfoSF"}, {"AlbumP", "Thumb"},
    {"AlbumP", "ThumbW"}, {"AlbumP", "ThumbH"}, {"AlbumP", "ThumbB"}, {"AlbumP", "TitleF"},
    {"AlbumP", "DescF"},
    {"Bckg", "PBckCol"}, {"Bckg", "PBckF"}, {"Bckg", "PBckP"}, {"Bckg", "PBckS"}, {"Bckg", "PBck"},
    {"Bckg", "TBckCol"}, {"Bckg", "TBckF"}, {"Bckg", "TBckP"}, {"Bckg", "TBckS"}, {"Bckg", "TBck"},
    {"Bckg", "CBckCol"}, {"Bckg", "CBckF"}, {"Bckg", "CBckP"}, {"Bckg", "CBckS"}, {"Bckg", "CBck"},
    {"PhotoP", "Descr"}, {"PhotoP", "PInfoFN"}, {"PhotoP", "PInfoFNF"}, {"PhotoP", "PInfoD"},
    {"PhotoP", "PInfoDF"}, {"PhotoP", "PInfoS"}, {"PhotoP", "PInfoSF"}, {"PhotoP", "PFrame"},
    {"PhotoP", "PFrameW"}, {"PhotoP", "PFramCol"}, {"PhotoP", "PFramType"}, {"PhotoP", "Create"},
    {"PhotoP", "TitleF"},
};
// clang-format on

const Key& keyNamed(const char* section, const char* name) {
    for (const Key& key : keys)
        if (qstrcmp(key.section, section) == 0 && qstrcmp(key.name, name) == 0)
            return key;
    Q_UNREACHABLE();
}

QString latin(const char* text) {
    return QLatin1String(text);
}

void writeKey(ProfileFile& file, const Key& key, AlbumParameters& p) {
    const QString section = latin(key.section);
    const QString name = latin(key.name);
    std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, InfoText>) {
                file.writeString(section, name, latin(parameterFileIdentity));
            } else if constexpr (std::is_same_v<T, PerPageValue>) {
                file.writeInteger(section, name, p.perPageCount);
            } else if constexpr (std::is_same_v<T, ListValue> || std::is_same_v<T, SpinValue>) {
                file.writeInteger(section, name, value.value(p));
            } else if constexpr (std::is_same_v<T, BoolValue>) {
                file.writeBool(section, name, value.value(p));
            } else if constexpr (std::is_same_v<T, ColourKey>) {
                file.writeString(section, name, colourText(value.value(p)));
            } else if constexpr (std::is_same_v<T, BackgroundFileName>) {
                file.writeString(section, name, value.value(p).fileName);
            } else if constexpr (std::is_same_v<T, FontGroup>) {
                const FontSpec& font = value.value(p);
                file.writeString(section, name + QLatin1String("Name"), font.face);
                file.writeInteger(section, name + QLatin1String("Size"), font.pointSize);
                file.writeString(section, name + QLatin1String("Col"), colourText(font.colour));
                file.writeBool(section, name + QLatin1String("Bold"), font.bold);
                file.writeBool(section, name + QLatin1String("Italic"), font.italic);
            }
        },
        key.value);
}

// A background's full path must name the picture the field shows: the path saved with it,
// the path the window held already, or a picture of that name beside the parameter file.
// Empty when there is none.
QString agreeingBackgroundPath(const QString& savedPath, const QString& heldPath,
                               const QString& fileName, const QString& parameterFilePath) {
    if (fileName.isEmpty())
        return {};
    for (const QString& path : {savedPath, heldPath})
        if (!path.isEmpty() && QFileInfo(path).fileName() == fileName && isPictureFile(path))
            return path;
    const QString beside = QFileInfo(parameterFilePath).absoluteDir().filePath(fileName);
    if (isPictureFile(beside))
        return beside;
    return {};
}

// A parameter file names a background by its file name alone. Anything that reaches
// elsewhere ("/etc/passwd", "../../x") would copy a file of the user's into an album that is
// about to be published.
bool isPlainFileName(const QString& name) {
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           name != QLatin1String(".") && name != QLatin1String("..");
}

// A text from a file as a message may show it: control characters written as \xNN, so that
// nothing in a file can ring the bell or recolour a terminal.
QString visibleText(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

struct BadColour {
    QString text;
    QString key;
};

std::optional<ColourValue> readColour(const ProfileFile& file, const QString& section,
                                      const QString& name, ColourValue fallback) {
    const QString text = file.readString(section, name, colourText(fallback));
    if (const auto colour = parseColourText(text))
        return colour;
    throw BadColour{text, name};
}

void readKey(const ProfileFile& file, const Key& key, AlbumParameters& p, int photoCount,
             QStringList& warnings) {
    const QString section = latin(key.section);
    const QString name = latin(key.name);
    std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, PerPageValue>) {
                p.perPageCount = file.readInteger(section, name, photoCount);
            } else if constexpr (std::is_same_v<T, ListValue>) {
                const int index = file.readInteger(section, name, value.fallback);
                value.value(p) = index >= 0 && index < value.itemCount ? index : -1;
            } else if constexpr (std::is_same_v<T, SpinValue>) {
                value.value(p) = std::clamp(file.readInteger(section, name, value.fallback),
                                            value.minimum, value.maximum);
            } else if constexpr (std::is_same_v<T, BoolValue>) {
                value.value(p) = file.readBool(section, name, value.fallback);
            } else if constexpr (std::is_same_v<T, ColourKey>) {
                value.value(p) = *readColour(file, section, name, value.fallback);
            } else if constexpr (std::is_same_v<T, BackgroundFileName>) {
                BackgroundParameters& background = value.value(p);
                background.fileName = file.readString(section, name, QString(), 2047);
                if (!isPlainFileName(background.fileName)) {
                    warnings << QStringLiteral("The background \"%1\" (%2) is not a file name; "
                                               "it is not used.")
                                    .arg(visibleText(background.fileName), name);
                    background.fileName.clear();
                }
                background.filePath = agreeingBackgroundPath(
                    file.readString(ownSection(), fullPathKey(name), QString(), 4095),
                    background.filePath, background.fileName, file.path());
                if (!background.fileName.isEmpty() && background.filePath.isEmpty()) {
                    // What the field shows is what the album gets: nothing.
                    warnings << QStringLiteral("The background picture \"%1\" (%2) was not "
                                               "found; it is not used.")
                                    .arg(visibleText(background.fileName), name);
                    background.fileName.clear();
                }
            } else if constexpr (std::is_same_v<T, FontGroup>) {
                FontSpec& font = value.value(p);
                font.face = file.readString(section, name + QLatin1String("Name"),
                                            QStringLiteral("Arial"), 2047);
                font.pointSize =
                    file.readInteger(section, name + QLatin1String("Size"), value.fallbackSize);
                font.colour = *readColour(file, section, name + QLatin1String("Col"), colourBlack);
                font.bold =
                    file.readBool(section, name + QLatin1String("Bold"), value.fallbackBold);
                font.italic = file.readBool(section, name + QLatin1String("Italic"), false);
                font.underline = false;
                font.strikeOut = false;
            }
        },
        key.value);
}

// The program's own settings; a file written before them (or by another program) makes the
// classic album.
void readModernPages(const ProfileFile& file, ModernPagesParameters& modern) {
    const ModernPagesParameters defaults;
    modern.enabled = file.readBool(ownSection(), QStringLiteral("Modern"), defaults.enabled);
    const int size =
        file.readInteger(ownSection(), QStringLiteral("ModernSize"), defaults.displayLongSide);
    modern.displayLongSide = std::find(std::begin(modernDisplaySizes), std::end(modernDisplaySizes),
                                       size) != std::end(modernDisplaySizes)
                                 ? size
                                 : defaults.displayLongSide;
    modern.publishOriginals =
        file.readBool(ownSection(), QStringLiteral("ModernOriginals"), defaults.publishOriginals);
    modern.removeLocation =
        file.readBool(ownSection(), QStringLiteral("ModernNoLocation"), defaults.removeLocation);
}

} // namespace

std::optional<QString> saveParameterFile(const QString& path, const AlbumParameters& parameters) {
    ProfileFile file(path);
    writeParameters(file, parameters);
    if (!file.save())
        return QStringLiteral("Unable to write to %1").arg(path);
    return std::nullopt;
}

void writeParameters(ProfileFile& file, const AlbumParameters& parameters) {
    AlbumParameters values = parameters;
    for (const Key& key : keys)
        writeKey(file, key, values);
    // The full paths of the background pictures, after the classic sections, in a section of
    // the program's own that readers of the classic keys pass over: the pictures need not
    // lie beside the file.
    for (const Key& key : keys)
        if (const auto* background = std::get_if<BackgroundFileName>(&key.value))
            file.writeString(ownSection(), fullPathKey(latin(key.name)),
                             background->value(values).filePath);
    file.writeBool(ownSection(), QStringLiteral("Modern"), values.modern.enabled);
    file.writeInteger(ownSection(), QStringLiteral("ModernSize"), values.modern.displayLongSide);
    file.writeBool(ownSection(), QStringLiteral("ModernOriginals"), values.modern.publishOriginals);
    file.writeBool(ownSection(), QStringLiteral("ModernNoLocation"), values.modern.removeLocation);
}

ParameterFileLoad loadParameterFile(const QString& path, const AlbumParameters& current,
                                    int photoCount) {
    return readParameters(ProfileFile(path), current, photoCount);
}

ParameterFileLoad readParameters(const ProfileFile& file, const AlbumParameters& current,
                                 int photoCount) {
    ParameterFileLoad result;
    result.parameters = current;
    result.readError = file.readError();
    if (file.readString(QStringLiteral("Info"), QStringLiteral("Info"), QString(), 2047) !=
        latin(parameterFileIdentity))
        return result;

    try {
        for (const auto& [section, name] : loadOrder)
            readKey(file, keyNamed(section, name), result.parameters, photoCount, result.warnings);
        readModernPages(file, result.parameters.modern);
        result.outcome = ParameterFileLoad::Outcome::Loaded;
    } catch (const BadColour& bad) {
        result.outcome = ParameterFileLoad::Outcome::StoppedAtBadColour;
        result.error = QStringLiteral("'%1' is not a valid integer value (%2)")
                           .arg(visibleText(bad.text), bad.key);
    }
    return result;
}

QString parameterFileRefusal(const QString& path, const ParameterFileLoad& load) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QStringLiteral("The parameter file %1 does not exist.").arg(shown);
    if (!load.readError.isEmpty())
        return QStringLiteral("The parameter file %1 cannot be read (%2).")
            .arg(shown, load.readError);
    return QStringLiteral("The file %1 is not an album parameter file: its [Info] section "
                          "does not hold Info=%2.")
        .arg(shown, latin(parameterFileIdentity));
}

AlbumParameters resetParameters(const AlbumParameters& current, int photoCount) {
    AlbumParameters reset;
    reset.perPageCount = photoCount;
    // The character set is the one thing of a font the reset leaves alone.
    const auto keepCharset = [](FontSpec& font, const FontSpec& old) {
        font.charset = old.charset;
    };
    keepCharset(reset.albumTitleFont, current.albumTitleFont);
    keepCharset(reset.tableFileName.font, current.tableFileName.font);
    keepCharset(reset.tableDimensions.font, current.tableDimensions.font);
    keepCharset(reset.tableSize.font, current.tableSize.font);
    keepCharset(reset.pageTitleFont, current.pageTitleFont);
    keepCharset(reset.pageDescriptionFont, current.pageDescriptionFont);
    keepCharset(reset.pageFileName.font, current.pageFileName.font);
    keepCharset(reset.pageDimensions.font, current.pageDimensions.font);
    keepCharset(reset.pageSize.font, current.pageSize.font);
    keepCharset(reset.photoTitleFont, current.photoTitleFont);
    return reset;
}

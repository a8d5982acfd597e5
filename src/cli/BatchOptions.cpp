#include "cli/BatchOptions.h"

#include "core/params/AlbumParameters.h"

#include <algorithm>
#include <iterator>

namespace {

enum class Option {
    Title,
    Location,
    Params,
    Project,
    Language,
    Layout,
    PerPage,
    Sort,
    Quiet,
    Jobs,
    Modern,
    DisplaySize,
    NoOriginals,
    KeepLocation,
    Update,
    Help,
    Version
};

struct KnownOption {
    Option option;
    char shortName; // 0: long form only
    const char* longName;
    bool takesValue;
};

const KnownOption knownOptions[] = {
    {Option::Title, 't', "title", true},
    {Option::Location, 'o', "location", true},
    {Option::Params, 'p', "params", true},
    {Option::Project, 0, "project", true},
    {Option::Language, 'l', "language", true},
    {Option::Layout, 'm', "layout", true},
    {Option::PerPage, 'n', "per-page", true},
    {Option::Sort, 0, "sort", false},
    {Option::Quiet, 'q', "quiet", false},
    {Option::Jobs, 'j', "jobs", true},
    {Option::Modern, 0, "modern", false},
    {Option::DisplaySize, 0, "display-size", true},
    {Option::NoOriginals, 0, "no-originals", false},
    {Option::KeepLocation, 0, "keep-location", false},
    {Option::Update, 0, "update", false},
    {Option::Help, 'h', "help", false},
    {Option::Version, 0, "version", false},
};

const KnownOption* findLong(const QString& name) {
    for (const KnownOption& known : knownOptions)
        if (name == QLatin1String(known.longName))
            return &known;
    return nullptr;
}

const KnownOption* findShort(QChar name) {
    for (const KnownOption& known : knownOptions)
        if (known.shortName != 0 && name == QLatin1Char(known.shortName))
            return &known;
    return nullptr;
}

BatchCommand usageError(const QString& error) {
    BatchCommand command;
    command.kind = BatchCommand::Kind::UsageError;
    command.error = error;
    return command;
}

std::optional<int> layoutModeNamed(const QString& name) {
    if (name == QLatin1String("one-page"))
        return layoutOnePage;
    if (name == QLatin1String("per-page"))
        return layoutFixedCount;
    if (name == QLatin1String("directories"))
        return layoutByDirectory;
    return std::nullopt;
}

QString displaySizeError(const QString& value) {
    QStringList sizes;
    for (const int size : modernDisplaySizes)
        sizes << (size > 0 ? QString::number(size) : QStringLiteral("full"));
    return QStringLiteral("'%1' is not a display size (%2)")
        .arg(value, sizes.join(QLatin1String(", ")));
}

// Stores one option with its value; an error text when the value is not one it takes.
std::optional<QString> apply(Option option, const QString& value, BatchOptions& options) {
    switch (option) {
    case Option::Title:
        options.title = value;
        break;
    case Option::Location:
        options.location = value;
        break;
    case Option::Params:
        options.parameterFile = value;
        break;
    case Option::Project:
        options.projectFile = value;
        break;
    case Option::Language:
        if (value == QLatin1String("pl"))
            options.languageFlag = 1;
        else if (value == QLatin1String("en"))
            options.languageFlag = 0;
        else
            return QStringLiteral("unknown language '%1' (pl or en)").arg(value);
        break;
    case Option::Layout:
        options.layoutMode = layoutModeNamed(value);
        if (!options.layoutMode)
            return QStringLiteral("unknown layout '%1' (one-page, per-page or directories)")
                .arg(value);
        break;
    case Option::PerPage:
        options.perPageAnswer = value;
        break;
    case Option::Sort:
        options.sort = true;
        break;
    case Option::Quiet:
        options.quiet = true;
        break;
    case Option::Jobs: {
        bool number = false;
        options.jobs = value.toInt(&number);
        if (!number || options.jobs < 1 || options.jobs > 256)
            return QStringLiteral("'%1' is not a number of jobs (1 to 256)").arg(value);
        break;
    }
    case Option::Modern:
        options.modern = true;
        break;
    case Option::DisplaySize: {
        bool number = false;
        const int size = value == QLatin1String("full") ? 0 : value.toInt(&number);
        if (!number && value != QLatin1String("full"))
            return displaySizeError(value);
        if (std::find(std::begin(modernDisplaySizes), std::end(modernDisplaySizes), size) ==
            std::end(modernDisplaySizes))
            return displaySizeError(value);
        options.displaySize = size;
        break;
    }
    case Option::NoOriginals:
        options.noOriginals = true;
        break;
    case Option::KeepLocation:
        options.keepLocation = true;
        break;
    case Option::Update:
        options.update = true;
        break;
    case Option::Help:
    case Option::Version:
        break;
    }
    return std::nullopt;
}

} // namespace

BatchCommand parseBatchArguments(const QStringList& arguments) {
    BatchCommand command;
    command.kind = BatchCommand::Kind::Run;
    BatchOptions& options = command.options;
    bool optionsEnded = false;

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // A lone "-" is a file name like any other.
        if (optionsEnded || argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) {
            options.inputs << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }

        const KnownOption* known = nullptr;
        QString written; // the option as the user wrote it, for error texts
        std::optional<QString> value;
        if (argument.startsWith(QLatin1String("--"))) {
            const qsizetype equals = argument.indexOf(QLatin1Char('='));
            written = argument.left(equals);
            known = findLong(written.mid(2));
            if (equals >= 0)
                value = argument.mid(equals + 1);
            if (known && value && !known->takesValue)
                return usageError(QStringLiteral("option '%1' takes no value").arg(written));
        } else {
            written = argument.left(2);
            known = findShort(argument[1]);
            if (known && argument.size() > 2) {
                if (!known->takesValue)
                    return usageError(QStringLiteral("unknown option '%1'").arg(argument));
                value = argument.mid(2);
            }
        }
        if (!known)
            return usageError(QStringLiteral("unknown option '%1'").arg(written));

        if (known->option == Option::Help) {
            command.kind = BatchCommand::Kind::Help;
            return command;
        }
        if (known->option == Option::Version) {
            command.kind = BatchCommand::Kind::Version;
            return command;
        }
        if (known->takesValue && !value) {
            if (i + 1 >= arguments.size())
                return usageError(QStringLiteral("option '%1' needs a value").arg(written));
            value = arguments[++i];
        }
        if (const std::optional<QString> error =
                apply(known->option, value.value_or(QString()), options))
            return usageError(*error);
    }

    if (options.inputs.isEmpty() && !options.projectFile)
        return usageError(QStringLiteral("no photo or directory given"));
    return command;
}

QString batchUsageLine() {
    return QStringLiteral("Usage: kadrela-batch [OPTIONS] PHOTO_OR_DIRECTORY...\n"
                          "       kadrela-batch [OPTIONS] --project FILE [PHOTO_OR_DIRECTORY...]");
}

QString batchHelpText() {
    return batchUsageLine() + QStringLiteral(R"(

Makes a web photo album from the photos and directories given, exactly as the window's
"Utwórz album" button makes it, and prints the full path of the album's main page.

Photos are taken in the order given. A directory adds every photo below it, depth first,
the entries of each directory in name order; files that are not photos are passed over.

Options:
  -t, --title TEXT        album title (required; it also names the album folder)
  -o, --location DIR      folder in which the album is made (required; must exist)
  -p, --params FILE       album parameters saved by "Zapisz parametry albumu";
                          without it every parameter has its start value
      --project FILE      an album project saved by "Zapisz projekt albumu": its
                          photos, title, folder and parameters; photos given as well
                          are added after its own, and options override it
  -l, --language pl|en    language of the texts written into the album (default en)
  -m, --layout one-page|per-page|directories
                          how photos are laid out; overrides the parameter file
                          (default: the parameter file's, else directories)
  -n, --per-page N        photos per thumbnail page for the per-page layout;
                          anything but a whole number from 1 to the photo count
                          means all photos on one page
      --sort              sort the photos by folder and name before making the album
  -q, --quiet             do not show progress
  -j, --jobs N            make thumbnails on N threads (default: one per processor
                          core); the album is the same for any N
      --modern            make pages for today's screens: photos that fit the window,
                          thumbnails for high-density screens, keys and swipes
      --display-size 1280|1600|2048|2560|full
                          long side of the photos the modern pages show (default 2048)
      --no-originals      leave the full-size photos out of a modern album
      --keep-location     publish a modern album's photos with their location (GPS)
                          tags, which are otherwise left out of the copies
      --update            update the album in place: the new album is made beside
                          it, taking over the files of unchanged photos, and replaces
                          it only when complete; a stop or a failure leaves the album
                          there as it was
  -h, --help              show this help and exit
      --version           show the version and exit

The album is written into the folder DIR/album-TITLE, with the main page beside it
in DIR/album-TITLE.html (blanks in the title become "_"). Progress and messages go
to standard error; standard output gets only the path of the main page.

Exit status:
  0    the album was made
  1    the window would refuse these inputs (no layout, no photos, no title or no
       folder); its message says which
  2    wrong command line, a photo or directory that is not there, or a parameter
       file that cannot be used
  3    a file could not be written or a photo could not be read
  130  stopped by Ctrl+C or a termination signal; the unfinished album is erased
       (a second Ctrl+C ends the program at once and leaves what was written)

Example:
  kadrela-batch -t "Summer 2024" -o ~/albums -l en ~/Pictures/summer
)");
}

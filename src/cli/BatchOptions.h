#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line of kadrela-batch asks for. Nothing here looks at the disk: the
// arguments are taken as they were typed.
struct BatchOptions {
    std::optional<QString> title;         // -t; "" is the empty title
    std::optional<QString> location;      // -o, as typed
    std::optional<QString> parameterFile; // -p
    std::optional<QString> projectFile;   // --project
    qint8 languageFlag = 0;               // -l; English, as with no program settings file
    std::optional<int> layoutMode;        // -m, a ComboBox2 index
    std::optional<QString> perPageAnswer; // -n, the answer to the per-page question
    bool sort = false;                    // --sort
    bool quiet = false;                   // -q
    int jobs = 0;                         // -j; 0 for one per processor core
    bool modern = false;                  // --modern
    std::optional<int> displaySize;       // --display-size; 0 for the full size
    bool noOriginals = false;             // --no-originals
    bool keepLocation = false;            // --keep-location
    bool update = false;                  // --update
    QStringList inputs;                   // photos and directories, in argument order
};

struct BatchCommand {
    enum class Kind { Run, Help, Version, UsageError };
    Kind kind = Kind::UsageError;
    BatchOptions options; // Run
    QString error;        // UsageError: what was wrong, without the usage line
};

// Reads the arguments that follow the program name. The last of a repeated option counts;
// "--" ends the options; a value may follow its option as the next argument, after "=" for
// a long option, or glued to a short one ("-tWakacje"). The arguments are read from left to
// right and the first --help, --version or mistake decides; without one it is a run.
BatchCommand parseBatchArguments(const QStringList& arguments);

QString batchUsageLine();
QString batchHelpText();

#pragma once
// The native command's grammar, that of a Unix command: options are case-sensitive and each
// has a long name; a value is attached or the next argument (-Ffoo, -F foo, --find=foo,
// --find foo); flags may be grouped (-nv); "--" ends the options, which may stand anywhere
// before it. What a value means is decided later; here it is only taken.
#include <optional>
#include <string>
#include <vector>

#include "engine/text/TextEncoding.h"

// FailuresOnly: the lines of files that failed, not of those that changed (the diff names them).
enum class Verbosity { Quiet, FailuresOnly, Normal, Verbose };

// What the arguments ask for; an option not given is left empty.
struct CommandRequest {
    std::optional<std::string> FindText;           // -F, --find
    std::optional<std::string> ReplaceText;        // -R, --replace
    std::optional<std::string> OptionLetters;      // -O, --options, lowered
    std::optional<std::string> ReplaceListFile;    // -L, --list
    std::optional<std::string> AllowedExtensions;  // -E, --extensions
    std::optional<int> FullAutomatic;              // -A, --all: 0 or 1
    std::optional<int> MakeBackup;                 // -B, --backup
    std::optional<int> IncludeSubfolders;          // -S, --recursive
    bool Clear = false;                            // -c, --clear, wherever it stands
    bool DryRun = false;                           // -n, --dry-run
    bool Diff = false;                             // --diff
    std::optional<std::string> LogFile;            // --log
    Verbosity Output = Verbosity::Normal;          // -q, -v: the last one given
    std::optional<EncodingChoice> Encoding;        // --encoding
    bool Bytes = false;                            // --bytes: texts are taken as bytes
    bool Hidden = false;                           // --hidden: walks take hidden entries too
    bool NoIgnore = false;                         // --no-ignore: walks read no ignore files
    std::optional<int> Jobs;                       // -j, --jobs: files worked on at once
    std::optional<std::string> Undo;               // --undo, --undo=ID: empty for the last run
    bool Runs = false;                             // --runs: list the runs kept for undo
    bool NoUndo = false;                           // --no-undo: run without keeping a journal
    bool Version = false;                          // -V, --version
    bool Help = false;                             // -h, --help
    std::vector<std::string> FileArguments;        // files, folders and "@" file-name lists
};

struct ParsedArguments {
    CommandRequest Request;
    // The first thing wrong, naming the option (an unknown one, a missing or a wrong value);
    // empty when nothing is.
    std::string Error;
};

// Reads the argument vector, whose first element is the program and is never examined.
ParsedArguments ParseNativeArguments(const std::vector<std::string>& arguments);

// Every option as it is written, "-F" and "--find" alike, for what documents them.
std::vector<std::string> OptionSpellings();

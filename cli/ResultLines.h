#pragma once
// What the native command tells of a run where a terminal user looks: on standard output
// one line per file that changed ("path:count") or failed ("path: StatusWord (reason)"),
// every file with -v, nothing with -q; the summary of the run goes to standard error. With
// -v each line names the encoding the file was read in ("(Shift-JIS, guessed)" when that
// stayed a guess); a preview or a diff names it on the line of each file it guessed, which
// a diff shows even where it shows no line of a changed file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_set>

#include "cli/CommandGrammar.h"
#include "engine/run/RunObserver.h"

// "1 file", "2 files".
std::string Plural(std::uint64_t count, const char* one, const char* many);

class ConsoleProgress;
class TerminalText;

// A listed path as the user sees it: relative to the current folder when it lies inside.
std::string ShownPath(const std::string& path, const std::string& currentFolder);

struct RunCounts {
    std::size_t Files = 0;
    std::size_t Changed = 0;
    std::size_t Failed = 0;
    std::int64_t Replacements = 0;
    // Files of walked folders that are no text (a NUL byte): left out, as search tools
    // leave binary files out, rather than failed. A named one fails.
    std::size_t NotText = 0;
};

class ResultLines final : public RunObserver {
public:
    // `walked` holds the files that walks added, null when none did.
    ResultLines(std::FILE* out, Verbosity verbosity, const TerminalText& terminal, std::string currentFolder,
                ConsoleProgress& progress, const std::unordered_set<std::string>* walked = nullptr,
                bool showGuesses = false);

    void OnProgress(std::size_t done, std::size_t count) override;
    void OnFileResult(const FileReport& file) override;

    const RunCounts& Counts() const { return counts_; }

private:
    std::FILE* out_;
    Verbosity verbosity_;
    const TerminalText& terminal_;
    std::string currentFolder_;
    ConsoleProgress& progress_;
    const std::unordered_set<std::string>* walked_;
    bool showGuesses_;
    RunCounts counts_;
};

// A failure's status word and what it means: "NoText (holds a NUL byte: not a text file)";
// `encoding` is the name of the encoding the file was read in, for EncodeER.
std::string FailureText(FileResult result, const std::string& encoding);

// What was left out of a run besides the failures: entries of walked folders by reason,
// and named files the extension list kept out.
struct LeftOutCounts {
    std::size_t ByExtension = 0;
    std::size_t Hidden = 0;
    std::size_t Ignored = 0;
    std::size_t RepositoryFolders = 0;
    // Files a stopped run left beside the files it took (FileList::MadeByRuns).
    std::size_t MadeByRuns = 0;
};

// The one line that sums a run up (without the program's name): files changed, or with
// `preview` those that would be, replacements, failures, and what was left out, and why.
std::string SummaryLine(const RunCounts& counts, const LeftOutCounts& leftOut, bool preview);

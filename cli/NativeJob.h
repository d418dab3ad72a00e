#pragma once
// The run the native command line asks for: the window program's start-up values and
// file-list rules, without a window.
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/FileList.h"
#include "app/StartValues.h"
#include "cli/IgnoreFileRules.h"
#include "engine/rewrite/ReplaceJob.h"

class BregexpLibrary;
class SettingsStore;
struct CommandLineOptions;

struct NativeJob {
    ReplaceJob Job;
    // Named files (on the command line or in a file-name list) that the extension check
    // kept out: none, since a named file passes it.
    std::vector<std::string> NamedFilesLeftOut;
    // How many entries of named folders the walks left out, by reason.
    std::size_t WalkLeftOut[WalkLeftOutKinds] = {};
    // The files walks added (the others were named).
    std::unordered_set<std::string> Walked;
    // What is wrong with the replace list a full-automatic run reads; empty when nothing.
    std::string ListProblem;
    // Names that gave no file: missing, unreadable folders, links that lead nowhere.
    std::vector<PassedOverName> PassedOver;
    // Files of a run's own the walks met and left out (FileList::MadeByRuns).
    std::vector<std::string> MadeByRuns;
    // .ignore files the walks met but could not read: the run is refused.
    std::vector<IgnoreFileProblem> IgnoreFileProblems;
    // What the run reads besides the files: the replace list of a full-automatic run,
    // the file-name lists (@).
    std::string ListPath;
    std::vector<std::string> NameLists;
};

// What walks take besides what the window's walks take.
struct WalkChoices {
    bool Hidden = false;       // hidden entries too
    bool IgnoreFiles = true;   // leave out what ignore files exclude
};

// Fills `run` from the options: the files as the file list takes them, the pattern or the
// replace list, backups; the library when it is loaded. `values` are the start values the
// options give.
void PrepareNativeJob(const CommandLineOptions& options, const MainDialogStartValues& values,
                      const SettingsStore& settings, const BregexpLibrary& library, const WalkChoices& walks,
                      NativeJob& run);

// A file of the user's that the log would take the place of, and what it is to the run.
struct LogClash {
    std::string Path;
    const char* What;
};

// The run writes its log to `log` at its end: a file the walks added that is the log
// (under any name) is its own, and goes out of the run. Returns a file the log would
// destroy: a named file to rewrite, the backup of a file to rewrite, a list the run reads.
std::optional<LogClash> TakeOutLogFile(NativeJob& run, const std::string& log);

// After a run that went through every file: the temporary file a run stopped hard left
// beside one of them goes (one another run holds stays).
void RemoveLeftoversOfFilesDone(const NativeJob& run);

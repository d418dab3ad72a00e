#pragma once
// The run the native command line asks for: the window program's start-up values and
// file-list rules, without a window.
#include <string>
#include <vector>

#include "app/FileList.h"
#include "app/StartValues.h"
#include "engine/rewrite/ReplaceJob.h"

class BregexpLibrary;
class SettingsStore;
struct CommandLineOptions;

struct NativeJob {
    ReplaceJob Job;
    // Named files (on the command line or in a file-name list) that the extension check
    // kept out, and how many files of named folders it kept out.
    std::vector<std::string> NamedFilesLeftOut;
    std::size_t FolderFilesLeftOut = 0;
    // Names that gave no file: missing, unreadable folders, links that lead nowhere.
    std::vector<PassedOverName> PassedOver;
};

// Fills `run` from the options: the files as the file list takes them, the pattern or the
// replace list, backups; the library when it is loaded. `values` are the start values the
// options give.
void PrepareNativeJob(const CommandLineOptions& options, const MainDialogStartValues& values,
                      const SettingsStore& settings, const BregexpLibrary& library, NativeJob& run);

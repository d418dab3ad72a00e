#pragma once
#include <string>
#include <vector>

#include "engine/flow/AbortFlag.h"
#include "engine/pattern/EncodedPatternCache.h"
#include "engine/pattern/ReplacePattern.h"
#include "engine/rewrite/RunEncodings.h"

class BregexpLibrary;
class CommitObserver;
class EngineSettings;
class NewTextReader;

// What became of the replace list when it was read for the job.
enum class ReplaceListState {
    Read,
    NotFound,
    Unreadable,
};

// Everything a run needs. The owner keeps it unchanged while a run lasts, except
// AbortRequested, which another thread may set at any time.
struct ReplaceJob {
    std::vector<std::string> Files;
    ReplacePattern Pattern;    // the single pattern, used when AllAuto is off
    PatternList Patterns;      // the replace list, used when AllAuto is on
    ReplaceListState PatternsState = ReplaceListState::Read;
    bool AllAuto = false;
    bool BackUp = false;
    AbortFlag AbortRequested{false};
    const BregexpLibrary* RegexLibrary = nullptr;  // null when the library is not loaded
    const EngineSettings* Settings = nullptr;      // null reads every setting as its default
    EncodingChoice Encoding = EncodingChoice::Automatic;
    // A preview: every rule of the run with nothing written, no temporary file, no backup.
    bool Preview = false;
    // How many files are worked on at once (0: one per processor). Each file is still
    // rewritten by one worker, and the results come in list order whatever the number.
    int Workers = 1;
    // Shown each file that changes; null when nobody asks.
    NewTextReader* NewTexts = nullptr;
    // Told of each file put in place, before it takes the name (the undo journal); null
    // when nobody keeps the originals.
    CommitObserver* Commits = nullptr;
    // The patterns in the encodings the run meets; filled as the files come.
    mutable EncodedPatternCache EncodedPatterns;
    // What the files of the run tell of their encodings; begun anew by each run.
    mutable RunEncodings Encodings;

    bool IsAborted() const { return ::IsAborted(AbortRequested); }
};

#pragma once
#include <cstddef>
#include <string>

#include <optional>

#include "engine/flow/FileResult.h"
#include "engine/text/TextEncoding.h"

// One file of a run as soon as its result is known: its place in the job's list, so that
// results can be put in list order whatever order they come in, its path and its result,
// and the encoding its text was read in, when it was read, and whether that was a guess.
struct FileReport {
    std::size_t Index;
    const std::string& Path;
    FileResult Result;
    std::optional<TextEncoding> Encoding = std::nullopt;
    // Whether that encoding stayed a guess.
    bool EncodingGuessed = false;
};

// What a run tells while it works, called by one of the run's threads at a time (with
// several workers, by whichever found the next file in list order done), always in list
// order. How it is shown, and whether at all, is the caller's business; this one hears
// nothing.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // `done` files of `count` are done: 0 before the first file, then one more after each
    // file, except after the file an abort stopped.
    virtual void OnProgress(std::size_t /*done*/, std::size_t /*count*/) {}
    // Each file's result, once per file, before the progress that counts it.
    virtual void OnFileResult(const FileReport& /*file*/) {}
};

#pragma once
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/text/EncodingDetection.h"

struct ReplaceJob;

// What the files of a run tell of their encodings. A reading that stayed a guess between
// well-formed readings is decided, where they can, by the run's find texts (a reading in
// which one occurs wins), then by the files whose reading is certain: those of the file's
// folder, when it has any, else those of the whole run, when they all agree. Each file
// counts as it was before the run touched it, so the outcome is the same whatever order
// and however many workers the files are taken in.
class RunEncodings {
public:
    // Forgets what an earlier run told: called as a run of `files` files begins.
    void Begin(std::size_t files);

    // The encoding of the listed file `path`, whose first block (FirstBlockSize) `detector`
    // was given, as its rewrite reads it: the job's choice, or detected and decided as
    // above. A file counts by its first block, in every rewrite alike.
    DetectedEncoding Of(const ReplaceJob& job, const std::string& path, const EncodingDetector& detector);
    // The same for a file whose whole text is `text`.
    DetectedEncoding Of(const ReplaceJob& job, const std::string& path, std::string_view text);

    // The encoding taken from the first block, `first`, once `whole` has been given the
    // whole text: it stands while the whole text still allows it as a guess.
    static DetectedEncoding OfTheWhole(const DetectedEncoding& first, const EncodingDetector& whole);

private:
    struct Verdict {
        bool Certain = false;                 // some file was certain
        std::optional<TextEncoding> Shared;   // the encoding they all share
    };

    const EncodingClues& Clues(const ReplaceJob& job);
    void Record(const std::string& path, const DetectedEncoding& detected);
    std::optional<DetectedEncoding> Recorded(const std::string& path);
    DetectedEncoding AsFirstRead(const ReplaceJob& job, const std::string& path);
    template <typename Filter>
    Verdict VerdictOf(const ReplaceJob& job, Filter inScope);
    std::optional<TextEncoding> SharedBy(const ReplaceJob& job, const std::string& path);

    std::mutex mutex_;  // the clues and the files read
    std::optional<EncodingClues> clues_;
    std::unordered_map<std::string, DetectedEncoding> read_;
    std::mutex verdictMutex_;  // the verdicts, one made at a time
    std::map<std::string, Verdict, std::less<>> folders_;
    std::optional<Verdict> run_;
};

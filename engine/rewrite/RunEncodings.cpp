#include "engine/rewrite/RunEncodings.h"

#include <memory>

#include "engine/rewrite/LiteralStream.h"
#include "engine/rewrite/ReplaceJob.h"
#include "platform/FileReader.h"
#include "platform/PathRules.h"

namespace {

bool Tells(const DetectedEncoding& detected)
{
    return !detected.Guessed && (detected.Encoding == TextEncoding::ShiftJis ||
                                 detected.Encoding == TextEncoding::EucJp || detected.Encoding == TextEncoding::Utf8);
}

}  // namespace

void RunEncodings::Begin(std::size_t files)
{
    std::scoped_lock lock(mutex_, verdictMutex_);
    clues_.reset();
    read_.clear();
    read_.reserve(files);
    folders_.clear();
    run_.reset();
}

const EncodingClues& RunEncodings::Clues(const ReplaceJob& job)
{
    std::lock_guard lock(mutex_);
    if (!clues_) {
        clues_.emplace();
        const auto add = [&](const ReplacePattern& pattern) {
            if (HasOption(pattern.Options, RegularExpression))
                return;
            for (const TextEncoding encoding : {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8})
                for (const std::optional<std::string>& alternative : job.EncodedPatterns.Get(pattern, encoding).Alternatives)
                    if (alternative)
                        clues_->Add(encoding, *alternative);
        };
        if (job.AllAuto)
            for (const ReplacePattern& pattern : job.Patterns)
                add(pattern);
        else
            add(job.Pattern);
    }
    return *clues_;
}

void RunEncodings::Record(const std::string& path, const DetectedEncoding& detected)
{
    std::lock_guard lock(mutex_);
    read_.insert_or_assign(path, detected);
}

std::optional<DetectedEncoding> RunEncodings::Recorded(const std::string& path)
{
    std::lock_guard lock(mutex_);
    const auto found = read_.find(path);
    return found == read_.end() ? std::nullopt : std::optional(found->second);
}

DetectedEncoding RunEncodings::Of(const ReplaceJob& job, const std::string& path, const EncodingDetector& detector)
{
    DetectedEncoding detected = detector.Detected();
    // A chosen encoding is never a guess, and no file of the run needs to be known.
    if (job.Encoding != EncodingChoice::Automatic)
        return detected;
    if (detected.Guessed && detected.Readings != 0)
        detected = detector.Detected(&Clues(job));
    Record(path, detected);
    if (!detected.Guessed || detected.Readings == 0)
        return detected;
    const std::optional<TextEncoding> shared = SharedBy(job, path);
    if (shared && detected.CanBeRead(*shared))
        detected.Encoding = *shared;
    return detected;
}

DetectedEncoding RunEncodings::Of(const ReplaceJob& job, const std::string& path, std::string_view text)
{
    EncodingDetector whole(job.Encoding);
    whole.Add(text.substr(0, FirstBlockSize));
    DetectedEncoding detected = Of(job, path, whole);
    if (text.size() > FirstBlockSize) {
        whole.Add(text.substr(FirstBlockSize));
        detected = OfTheWhole(detected, whole);
    }
    detected.WellFormed = whole.IsWellFormedIn(detected.Encoding);
    return detected;
}

DetectedEncoding RunEncodings::OfTheWhole(const DetectedEncoding& first, const EncodingDetector& whole)
{
    const DetectedEncoding detected = whole.Detected();
    return detected.Encoding == first.Encoding || (detected.Guessed && detected.CanBeRead(first.Encoding)) ? first
                                                                                                            : detected;
}

// The reading of a file as the run first found it: recorded when its rewrite read it,
// else read now. A file's reading is recorded before anything is written to it, so one
// that is still not recorded after it was read here was read as it was.
DetectedEncoding RunEncodings::AsFirstRead(const ReplaceJob& job, const std::string& path)
{
    if (const std::optional<DetectedEncoding> recorded = Recorded(path))
        return *recorded;
    DetectedEncoding detected{TextEncoding::Ascii, true};
    platform::FileReader file;
    if (file.Open(path) == platform::ReadStatus::Ok) {
        const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), FirstBlockSize));
        const auto text = std::make_unique<char[]>(size + 1);
        std::size_t got = 0;
        if (file.ReadAt(0, text.get(), size, got)) {
            EncodingDetector detector(job.Encoding);
            detector.Add({text.get(), got});
            detected = detector.Detected();
            if (detected.Guessed && detected.Readings != 0)
                detected = detector.Detected(&Clues(job));
        }
    }
    if (const std::optional<DetectedEncoding> recorded = Recorded(path))
        return *recorded;
    return detected;
}

template <typename Filter>
RunEncodings::Verdict RunEncodings::VerdictOf(const ReplaceJob& job, Filter inScope)
{
    Verdict verdict;
    for (const std::string& file : job.Files) {
        if (!inScope(file))
            continue;
        const DetectedEncoding detected = AsFirstRead(job, file);
        if (!Tells(detected))
            continue;
        if (verdict.Certain && verdict.Shared != detected.Encoding)
            return {true, std::nullopt};
        verdict = {true, detected.Encoding};
    }
    return verdict;
}

std::optional<TextEncoding> RunEncodings::SharedBy(const ReplaceJob& job, const std::string& path)
{
    std::lock_guard lock(verdictMutex_);
    const std::string_view folder = platform::FolderOfPath(path);
    auto found = folders_.find(folder);
    if (found == folders_.end())
        found = folders_
                    .emplace(std::string(folder),
                             VerdictOf(job, [&](const std::string& file) { return platform::FolderOfPath(file) == folder; }))
                    .first;
    if (found->second.Certain)
        return found->second.Shared;
    if (!run_)
        run_ = VerdictOf(job, [](const std::string&) { return true; });
    return run_->Shared;
}

#include "engine/rewrite/ReplaceAllPatterns.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "engine/flow/ChangedTextOutput.h"
#include "engine/rewrite/DerivedNames.h"
#include "engine/text/EncodingDetection.h"
#include "engine/rewrite/FileText.h"
#include "engine/rewrite/LiteralStream.h"
#include "engine/rewrite/NewTextSink.h"
#include "engine/rewrite/RegexReplace.h"
#include "engine/regex/RegexRewrite.h"
#include "platform/FileSystem.h"
#include "platform/FileView.h"

namespace {

// Literal patterns in a row, which go through the text together as one stream, or one
// regular expression, which sees the whole text at once.
struct Segment {
    std::span<const ReplacePattern> Patterns;
    bool Expression;
};

std::vector<Segment> SegmentsOf(const PatternList& patterns)
{
    std::vector<Segment> segments;
    auto isExpression = [](const ReplacePattern& pattern) { return HasOption(pattern.Options, RegularExpression); };
    for (auto begin = patterns.begin(); begin != patterns.end();) {
        const auto end = isExpression(*begin) ? begin + 1 : std::find_if(begin, patterns.end(), isExpression);
        segments.push_back({{begin, end}, isExpression(*begin)});
        begin = end;
    }
    // Without patterns the text is still read, for its encoding.
    if (segments.empty())
        segments.push_back({{}, false});
    return segments;
}

// The text between two segments, in a file without a name beside the one rewritten, made
// at the first piece.
class ScratchOutput final : public TextOutput {
public:
    ScratchOutput(platform::ScratchFile& file, const std::string& besidePath) : file_(file), besidePath_(besidePath) {}

    // Once the segment is done: a text that came to nothing still needs a file of its own,
    // or the next segment would read what an earlier one left in it.
    bool Finish() { return MadeFile(); }

private:
    bool WriteOut(const char* data, std::size_t size) override { return MadeFile() && file_.Write(data, size); }

    bool MadeFile()
    {
        if (!created_) {
            created_ = true;
            failed_ = !file_.Create(besidePath_);
        }
        return !failed_;
    }

    platform::ScratchFile& file_;
    const std::string& besidePath_;
    bool created_ = false;
    bool failed_ = false;
};

// A regular expression applied to the whole of `text`, which is mapped rather than copied;
// the first segment tells the encoding of the listed file `path` from it.
FileResult ApplyExpression(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                           const platform::FileReader& text, std::optional<DetectedEncoding>& detected,
                           TextOutput& out, bool evenUnchanged)
{
    platform::FileView view;
    if (const FileResult opened = ResultOfReading(view.Open(text)); opened != 0)
        return opened;
    const std::string_view whole(view.Data(), view.Size());
    if (!detected)
        detected = job.Encodings.Of(job, path, whole);
    const TextEncoding encoding = detected->Encoding;
    if (encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    if (!HasRegexLibrary(job))
        return RegExpER;
    MemorySource unchanged(whole);
    ChangedTextOutput buffered(unchanged, nullptr, out, view.Size());
    FileResult count = 0;
    if (!whole.empty()) {
        RegexRewrite rewrite(*job.RegexLibrary);
        count = rewrite.Apply(job.AbortRequested, view.Data(), view.Size(), job.EncodedPatterns.Get(pattern, encoding),
                              LibrarySubstitutes(job), buffered);
    }
    if (count < 0)
        return count;
    // A file cut short while it was mapped gave zeros for its lost bytes.
    if (view.LostBytes())
        return WriteErr;
    return buffered.Finish(evenUnchanged) ? count : WriteErr;
}

// Literal patterns applied to `text` as it is read; the first segment tells the encoding
// of the listed file `path` as it reads.
FileResult ApplyLiterally(const ReplaceJob& job, const std::string& path, std::span<const ReplacePattern> patterns,
                          const platform::FileReader& text, std::optional<DetectedEncoding>& detected,
                          const std::function<TextOutput&()>& output, bool evenUnchanged)
{
    FileSource source(text);
    if (const FileResult read = source.ReadFirst(FirstBlockSize); read != 0)
        return read;
    if (detected)
        return RewriteLiterally(job, patterns, source, detected->Encoding, nullptr, output(), evenUnchanged);
    DetectedEncoding told;
    const FileResult count = InTheTextsEncoding(job, path, source, told, [&](TextEncoding in, EncodingDetector* detector) {
        return RewriteLiterally(job, patterns, source, in, detector, output(), evenUnchanged);
    });
    detected = told;
    return count;
}

// The backup of a file no pattern changed: a copy, since a second name of the file would
// change with it when the file is later edited in place. The copy is made under the
// temporary name and takes the backup's name in one step, so that a run stopped meanwhile
// leaves the older backup or this one, never half of one.
void KeepUntouchedBackup(const std::string& path)
{
    const std::string temporary = TemporaryPathOf(path);
    if (!platform::RemoveLeftover(temporary) || !platform::CopyFileNoOverwrite(path, temporary))
        return;
    if (!platform::RenameReplacing(temporary, BackupPathOf(path)))
        platform::RemoveFile(temporary);
}

}  // namespace

FileResult ReplaceAllPatterns(const ReplaceJob& job, const std::string& path, FileFacts* facts,
                              ProcessedFiles* processed)
{
    platform::FileReader file;
    if (const FileResult opened = OpenFileText(path, file); opened != 0)
        return opened;
    return ReplaceAllPatterns(job, path, file, facts, processed);
}

FileResult ReplaceAllPatterns(const ReplaceJob& job, const std::string& path, platform::FileReader& file,
                              FileFacts* facts, ProcessedFiles* processed)
{
    const std::string& name = file.ReadPath();
    // Each segment reads the text the one before made: in a scratch file when it made
    // one, the file as read before the first replacement. The last one writes the new text
    // of the file, and when it changes nothing, copies the text it read.
    NewTextSink sink(job, file);
    platform::ScratchFile scratches[2];
    std::optional<ScratchOutput> toScratch;
    const platform::FileReader* text = &file;
    std::optional<DetectedEncoding> encoding;
    std::uint64_t total = 0;
    const std::vector<Segment> segments = SegmentsOf(job.Patterns);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const bool last = i + 1 == segments.size();
        platform::ScratchFile& scratch = scratches[text == &scratches[0] ? 1 : 0];
        auto target = [&]() -> TextOutput& {
            if (!last)
                return toScratch.emplace(scratch, name);
            return sink.Restart();
        };
        const bool evenUnchanged = last && total > 0;
        const FileResult count =
            segments[i].Expression
                ? ApplyExpression(job, path, segments[i].Patterns.front(), *text, encoding, target(), evenUnchanged)
                : ApplyLiterally(job, path, segments[i].Patterns, *text, encoding, target, evenUnchanged);
        if (facts && encoding)
            facts->Set(*encoding);
        if (count < 0)
            return count;
        if (count > 0 && !last) {
            if (!toScratch->Finish())
                return WriteErr;
            text = &scratch;
        }
        total += static_cast<std::uint64_t>(count);
    }
    const auto count = static_cast<FileResult>(std::min<std::uint64_t>(total, std::numeric_limits<FileResult>::max()));
    if (count == 0 && job.BackUp && !job.Preview && !IsAborted(job.AbortRequested)) {
        // Let go before the file is copied, which some systems refuse while it is open.
        file.Close();
        KeepUntouchedBackup(name);
        return 0;
    }
    return sink.Place(path, encoding->Encoding, count, job.BackUp, processed);
}

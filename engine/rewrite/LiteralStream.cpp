#include "engine/rewrite/LiteralStream.h"

#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "engine/literal/LiteralChain.h"
#include "engine/rewrite/BlockReadAhead.h"

namespace {

constexpr std::size_t BlockSize = 1 << 20;
// From this much text after the first block on, the blocks are read ahead, in larger
// blocks: each block taken wakes the thread that reads them, and 2 MiB made a 256 MiB
// rewrite 5 % quicker than 1 MiB (4 MiB no quicker still).
constexpr std::uint64_t ReadAheadFrom = 4 * BlockSize;
constexpr std::size_t ReadAheadBlockSize = 2 * BlockSize;

// Whether the rest of the text can still change the encoding it is read in, `assumed`:
// not once detection can only end in it (what follows may only make that a guess, which
// the first reading's result stands for: RunEncodings::OfTheWhole).
bool StillDetecting(const EncodingDetector* detector, TextEncoding assumed)
{
    return detector && !(assumed == TextEncoding::ShiftJis && detector->CanOnlyBeShiftJis());
}

// Whether more of the text can still change the result: it is settled, and the encoding
// it is read in can change it, unless the text holds a NUL byte and can no longer prove
// to be ISO-2022-JP (which is told before anything else).
bool NeedsMore(const LiteralChain& chain, const EncodingDetector* detector, TextEncoding assumed)
{
    if (!chain.Settled())
        return true;
    return StillDetecting(detector, assumed) && !(chain.TextHoldsNul() && !detector->MayBeIso2022Jp());
}

// Feeds the text to the chain for as long as more of it can change the result.
FileResult StreamThrough(const AbortFlag& abort, FileSource& source, LiteralChain& chain, EncodingDetector* detector,
                         TextEncoding assumed)
{
    source.Rewind();
    const std::string_view first = source.First();
    if (!first.empty() && !chain.Input().Write(first.data(), first.size()))
        return Cancel;
    // A long text is read on a thread of its own while the blocks before are rewritten;
    // without a thread, here between them.
    std::optional<BlockReadAhead> ahead;
    if (source.Size() - first.size() >= ReadAheadFrom) {
        try {
            ahead.emplace(source, ReadAheadBlockSize);
        } catch (const std::system_error&) {
        }
    }
    std::unique_ptr<char[]> buffer;
    const auto next = [&](std::string_view& block) {
        if (ahead)
            return ahead->Next(block);
        block = {};
        if (source.AtEnd())
            return true;
        if (!buffer)
            buffer.reset(new char[BlockSize]);
        std::size_t got = 0;
        if (!source.ReadNext(buffer.get(), BlockSize, got))
            return false;
        block = {buffer.get(), got};
        return true;
    };
    while (NeedsMore(chain, detector, assumed)) {
        std::string_view block;
        if (!next(block))
            return NotOpen;
        if (block.empty())
            break;
        if (IsAborted(abort))
            return Cancel;
        if (StillDetecting(detector, assumed))
            detector->Add(block);
        if (!chain.Settled() && !chain.Input().Write(block.data(), block.size()))
            return Cancel;
    }
    if (!chain.Settled() && !chain.Finish())
        return Cancel;
    return chain.Result();
}

}  // namespace

FileResult RewriteLiterally(const ReplaceJob& job, std::span<const ReplacePattern> patterns, FileSource& source,
                            TextEncoding encoding, EncodingDetector* detector, TextOutput& out, bool evenUnchanged)
{
    try {
        // ISO-2022-JP is never searched; its text is only read to the end.
        std::vector<const EncodedPattern*> encoded;
        if (encoding != TextEncoding::Iso2022Jp)
            for (const ReplacePattern& pattern : patterns)
                encoded.push_back(&job.EncodedPatterns.Get(pattern, encoding));
        LiteralChain chain(job.AbortRequested, encoded, source, out, 0, source.Size());
        const FileResult result = StreamThrough(job.AbortRequested, source, chain, detector, encoding);
        if (result >= 0 && !chain.FinishOutput(evenUnchanged))
            return WriteErr;
        return result;
    } catch (const std::bad_alloc&) {
        return MemLack;
    }
}

FileResult InTheTextsEncoding(const ReplaceJob& job, const std::string& path, FileSource& source,
                              DetectedEncoding& encoding,
                              const std::function<FileResult(TextEncoding, EncodingDetector*)>& attempt)
{
    EncodingDetector detector(job.Encoding);
    detector.Add(source.First());
    encoding = job.Encodings.Of(job, path, detector);
    if (source.First().size() == source.Size())
        return encoding.Encoding == TextEncoding::Iso2022Jp ? Iso2022 : attempt(encoding.Encoding, nullptr);
    const TextEncoding assumed = encoding.Encoding;
    const FileResult result = attempt(assumed, &detector);
    // These stop before the end, and no encoding changes them.
    if (result == Cancel || result == NotOpen || result == MemLack)
        return result;
    encoding = RunEncodings::OfTheWhole(encoding, detector);
    if (encoding.Encoding == TextEncoding::Iso2022Jp)
        return Iso2022;
    return encoding.Encoding == assumed ? result : attempt(encoding.Encoding, nullptr);
}

#pragma once
#include <cstddef>
#include <functional>
#include <span>

#include "engine/text/EncodingDetection.h"
#include "engine/flow/FileResult.h"
#include "engine/rewrite/FileSource.h"
#include "engine/rewrite/ReplaceJob.h"
#include "engine/flow/TextOutput.h"

// How much of a file's text is read first, to tell its encoding from and to keep.
inline constexpr std::size_t FirstBlockSize = 1 << 20;

// Applies literal patterns in turn to the text of `source` in `encoding`, read a block at a
// time, in memory bounded whatever the file's size (LiteralChain). The new text goes to
// `out` as it is made, once something was replaced, or with `evenUnchanged` also when not.
// The blocks after the first also go to `detector` when it is given. Returns the number of
// replacements; NotOpen when the file cannot be read to its end, and the failures of
// LiteralChain; `out` is then of no use.
FileResult RewriteLiterally(const ReplaceJob& job, std::span<const ReplacePattern> patterns, FileSource& source,
                            TextEncoding encoding, EncodingDetector* detector, TextOutput& out, bool evenUnchanged);

// Rewrites the text of the listed file `path` from `source` in the encoding its bytes tell
// (with the job's choice and what the run knows, RunEncodings), which is known for sure
// only once the whole text was read: `attempt` is run in the encoding the first block
// tells, given the detector to hand the blocks after it to, and run once more in the
// encoding of the whole text when that is another one. `encoding` is set to the text's.
// Iso2022 for an ISO-2022-JP text, which is not rewritten.
FileResult InTheTextsEncoding(const ReplaceJob& job, const std::string& path, FileSource& source,
                              DetectedEncoding& encoding,
                              const std::function<FileResult(TextEncoding, EncodingDetector*)>& attempt);

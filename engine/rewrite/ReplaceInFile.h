// rewrite/: one file from its source to its commit: the reading, the new text's output, the temporary file, the backup, the claim.
#pragma once
#include <string>

#include "engine/rewrite/FileFacts.h"
#include "engine/flow/FileResult.h"
#include "engine/rewrite/ReplaceJob.h"
#include "platform/FileReader.h"

class ProcessedFiles;

// Applies one pattern to one file, rewriting it through path + ".tmp" only when something
// was replaced; with the job's BackUp the former content is kept as path + ".bak". With the
// job's Preview nothing is written. Returns the number of replacements or a failure code;
// on failure the file keeps its content and no temporary file is left. `facts`, when
// given, learns the file's encoding; the new file is claimed in `processed`.
FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                         FileFacts* facts = nullptr, ProcessedFiles* processed = nullptr);
// The same for `file`, opened from `path` and not read yet; it is closed before the file
// is replaced.
FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, platform::FileReader& file,
                         const ReplacePattern& pattern, FileFacts& facts, ProcessedFiles* processed);

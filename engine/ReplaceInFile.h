#pragma once
#include <string>

#include "engine/FileResult.h"
#include "engine/ReplaceJob.h"

class ProcessedFiles;

// Applies one pattern to one file, rewriting it through path + ".tmp" only when something
// was replaced; with the job's BackUp the former content is kept as path + ".bak".
// Returns the number of replacements or a failure code; on failure the file keeps its
// content and no temporary file is left.
FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern);
// The same with the backup chosen by the caller instead of the job's BackUp, for callers
// that keep the former content themselves; the new file is claimed in `processed`.
FileResult ReplaceInFile(const ReplaceJob& job, const std::string& path, const ReplacePattern& pattern,
                         bool backUp, ProcessedFiles* processed = nullptr);

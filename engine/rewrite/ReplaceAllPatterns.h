#pragma once
#include <string>

#include "engine/rewrite/FileFacts.h"
#include "engine/flow/FileResult.h"
#include "engine/rewrite/ReplaceJob.h"
#include "platform/FileReader.h"

class ProcessedFiles;

// The full-automatic rewrite of one file: every pattern of the job's replace list in
// order, each on the text the one before produced, and then one commit of the result, so
// that the file holds either its content from before the run or the text after all
// patterns, never a text between them, whenever the run is stopped. A failing pattern
// leaves the file and an older backup as they were. With BackUp the content from before
// is kept as path + ".bak", also when no pattern matched. With Preview nothing is written.
// Returns the sum of the counts or the failing pattern's code; `facts`, when given, learns
// the file's encoding. The new file is claimed in `processed`.
FileResult ReplaceAllPatterns(const ReplaceJob& job, const std::string& path, FileFacts* facts = nullptr,
                              ProcessedFiles* processed = nullptr);
// The same for `file`, opened from `path` and not read yet; it is closed before the file
// is replaced.
FileResult ReplaceAllPatterns(const ReplaceJob& job, const std::string& path, platform::FileReader& file,
                              FileFacts* facts, ProcessedFiles* processed);

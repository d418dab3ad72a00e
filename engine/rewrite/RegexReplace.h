#pragma once
#include <string>

#include "engine/rewrite/FileFacts.h"
#include "engine/flow/FileResult.h"
#include "engine/rewrite/ReplaceJob.h"
#include "platform/FileReader.h"

class ProcessedFiles;

// The regular-expression branch of ReplaceInFile: the whole file goes through the job's
// library, substituted by the library itself when the setting Bregexp is on (read anew for
// each file) and by the program's own template otherwise, and the new text is committed
// as a literal replacement's is. NUL bytes are text here. RegExpER with nothing touched
// when no library is loaded, when it rejects the expression, or when a search fails.
// `file` is opened from `path` and not read yet; it is closed once its text is seen.
FileResult ReplaceRegexInFile(const ReplaceJob& job, const std::string& path, platform::FileReader& file,
                              const ReplacePattern& pattern, FileFacts& facts, ProcessedFiles* processed);

// Whether the job's library is there to run a regular expression.
bool HasRegexLibrary(const ReplaceJob& job);
// Whether the library does the whole substitution (PROCESS/Bregexp, read anew at each call).
bool LibrarySubstitutes(const ReplaceJob& job);

#pragma once
#include <string>

#include "engine/FileResult.h"
#include "engine/ReplaceJob.h"

// The full-automatic rewrite of one file: every pattern of the job's replace list in
// order, each reading the output of the one before. The content from before is kept in
// path + ".auto" meanwhile, so that a failing pattern puts the file back as it was; with
// BackUp it becomes path + ".bak". Returns the sum of the counts or the failing
// pattern's code.
FileResult ReplaceAllPatterns(const ReplaceJob& job, const std::string& path);

#pragma once
#include <cstddef>
#include <string>

#include "engine/flow/AbortFlag.h"
#include "engine/flow/FileResult.h"
#include "platform/FileSystem.h"

class CommitObserver;
class ProcessedFiles;

// Puts the rewritten text of `path` in place once `count` replacements were made: the text
// goes to path + ".tmp" in one write, and that file then replaces `path` in one atomic
// step, so `path` always holds either its old or its new content. With `backUp` the old
// content is first given the second name path + ".bak" (BackUpBeforeReplace).
// `read` describes the file as its text was read: a file that was replaced or changed since
// is left as it now is, since the new text would undo what happened to it meanwhile.
// Returns `count`; 0 with nothing touched when `count` is 0; Cancel when the run is aborted,
// also while the text is written; WriteErr when the text could not be written or put in
// place. After Cancel and WriteErr `path` keeps its content, no temporary file is left and
// an older backup is whole; only when another program changes the file in the very moment
// between its backup and its replace does a backup of the file as it is take its place.
// The new file is claimed in `processed` before it takes the name, and `commits` is told of
// it (UndoErr when it refuses).
FileResult CommitNewText(const AbortFlag& abort, const std::string& path, const char* text, std::size_t size,
                         FileResult count, bool backUp, const platform::FileStamp& read,
                         ProcessedFiles* processed = nullptr, CommitObserver* commits = nullptr);

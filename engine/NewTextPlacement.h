#pragma once
// Where a file's new text goes once its count is known: into the file, or in a preview
// nowhere at all. The job's reader of new texts is shown every file that changes.
#include <string>
#include <string_view>

#include "engine/FileResult.h"
#include "engine/ReplaceJob.h"
#include "platform/FileSystem.h"

// The text as it was read, kept apart from the buffer a literal rewrite works in, and only
// when the job's reader will want it.
class OriginalText {
public:
    OriginalText(const ReplaceJob& job, const platform::FileContent& content);
    std::string_view View() const { return text_; }

private:
    std::string text_;
};

// Commits `after` over the file `content` was read from (CommitNewText) and tells the
// reader, or with the job's Preview writes nothing: the result is then the one a run would
// have, as far as it can be told without writing (WriteErr for a file that could not be
// replaced), and the file, its times and its folder stay as they are.
// The reader is told the file's listed path.
FileResult PlaceNewText(const ReplaceJob& job, const std::string& listedPath, const platform::FileContent& content,
                        std::string_view before, TextEncoding encoding, std::string_view after, FileResult count,
                        bool backUp);

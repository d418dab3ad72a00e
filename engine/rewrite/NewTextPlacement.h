#pragma once
// Where a file's new text goes once its count is known: into the file, or in a preview
// nowhere at all. The job's reader of new texts is shown every file that changes.
#include <string>
#include <string_view>

#include "engine/flow/FileResult.h"
#include "engine/rewrite/ReplaceJob.h"
#include "platform/FileSystem.h"

class ProcessedFiles;

// The text as it was read, kept apart from the buffer a literal rewrite works in or the view
// that is closed before the commit, and only when the job's reader will want it.
class OriginalText {
public:
    OriginalText(const ReplaceJob& job, std::string_view text);
    std::string_view View() const { return text_; }

private:
    std::string text_;
};

// Where the text of a file was read: the name it was read under and the file as it was.
struct ReadFile {
    const std::string& Path;
    const platform::FileStamp& Stamp;
};

// Commits `after` over the file `read` describes (CommitNewText, claiming the new file in
// `processed`) and tells the reader, or
// with the job's Preview writes nothing: the result is then the one a run would have, as far
// as it can be told without writing (WriteErr for a file that could not be replaced), and
// the file, its times and its folder stay as they are. The reader is told the file's listed
// path.
FileResult PlaceNewText(const ReplaceJob& job, const std::string& listedPath, const ReadFile& read,
                        std::string_view before, TextEncoding encoding, std::string_view after, FileResult count,
                        bool backUp, ProcessedFiles* processed);
// Only the result: the new text went to the file as it was made (a run that shows nothing),
// or in a preview nobody reads, nowhere.
FileResult PreviewResult(const ReplaceJob& job, const ReadFile& read, FileResult count, bool backUp);

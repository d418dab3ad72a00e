#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/flow/FileResult.h"

// The word the log shows for a failure code, eight bytes like the "%8d" of a count and
// aligned as the log has them (" NotOpen", "RegExpER"); null for a count.
const char* StatusWord(FileResult result);

// The text of a run's result log: a header, one line per file with its number of
// replacements or a status word, and the totals. Shift-JIS bytes, CR LF line ends, 54
// columns in a fixed-pitch font. The log dialog owns one and shows its text; automatic
// mode writes the text to a file.
class ResultLog {
public:
    // Starts a run's log with the header and a total of 0.
    void ResetLog();
    void AddLogLine(const std::string& path, FileResult result);
    // Appends the totals; called at the end of every run, also after an abort.
    void FinishLog();

    const std::string& Text() const { return text_; }
    // Wider than a file's count, so that many large files cannot overflow it.
    std::int64_t Total() const { return total_; }
    // The files of this run logged with a status word instead of a count.
    std::size_t FailedFiles() const { return failed_; }
    // Of those, the files a stop cut short (Cancel): they are as they were, like the files
    // it never reached.
    std::size_t CancelledFiles() const { return cancelled_; }
    // The files of the `listed` a stop left as they were: never reached, or cut short.
    std::size_t NotProcessed(std::size_t listed) const { return listed - files_ + cancelled_; }
    // The files of this run logged at all, and those logged with a count above 0.
    std::size_t LoggedFiles() const { return files_; }
    std::size_t ChangedFiles() const { return changed_; }

private:
    std::string text_;
    std::int64_t total_ = 0;
    std::size_t failed_ = 0;
    std::size_t cancelled_ = 0;
    std::size_t files_ = 0;
    std::size_t changed_ = 0;
};

#pragma once
#include <cstddef>
#include <string>

// What became of one file of a run an undo takes back.
enum class UndoResult {
    // Back as it was before the run (in a preview: would be).
    Restored,
    // An earlier undo of the run put it back already.
    RestoredBefore,
    // No longer what the run wrote: another program changed or replaced it since. Left.
    Changed,
    // Removed since the run. Nothing is put in its place.
    Missing,
    // The journal no longer holds the original. Left.
    NotKept,
    // Could not be read, to tell whether it is what the run wrote. Left.
    NotOpen,
    // Could not be put back (a folder that cannot be written, a full disk). Left.
    WriteErr,
};

// The word the undo's log shows for a result, eight bytes like those of a run's log.
const char* UndoWord(UndoResult result);
// Whether a file with this result is as it was before the run.
bool IsBack(UndoResult result);

// The log of an undo, laid out as a run's (LogTable): a header, one line per file with its
// result's word, and the number of files restored.
class UndoLog {
public:
    void ResetLog();
    void AddLogLine(const std::string& path, UndoResult result);
    // Appends the totals, also after a stop.
    void FinishLog();

    const std::string& Text() const { return text_; }
    std::size_t LoggedFiles() const { return logged_; }
    // Restored now, restored by an earlier undo, and left as they are (the rest).
    std::size_t RestoredFiles() const { return restored_; }
    std::size_t RestoredBefore() const { return before_; }
    std::size_t LeftFiles() const { return logged_ - restored_ - before_; }
    // Whether a line of the log shows `result`.
    bool Shows(UndoResult result) const { return (shown_ & (1u << static_cast<unsigned>(result))) != 0; }

private:
    std::string text_;
    std::size_t logged_ = 0;
    std::size_t restored_ = 0;
    std::size_t before_ = 0;
    unsigned shown_ = 0;  // a bit for each result a line shows
};

#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/flow/AbortFlag.h"
#include "engine/rewrite/BackgroundWriter.h"
#include "engine/flow/ContentDigest.h"
#include "engine/flow/FileResult.h"
#include "engine/flow/TextOutput.h"
#include "platform/FileSystem.h"

class CommitObserver;
class ProcessedFiles;

// The new text of `path`, written to path + ".tmp" as it is made, through a buffer of a
// fixed size, and put in place when it is complete: the file then always holds either its
// old or its new content, and the new text never needs memory of its own. `read`
// describes the file as its text was read; a file replaced or changed since is left as it
// now is. A temporary file that is not put in place goes with this object. `commits`, when
// given, is told of the commit, with the digest of the new content, which is then taken as
// it is written.
class TemporaryFileOutput final : public TextOutput {
public:
    TemporaryFileOutput(const std::string& path, const platform::FileStamp& read, CommitObserver* commits = nullptr);
    ~TemporaryFileOutput();
    TemporaryFileOutput(const TemporaryFileOutput&) = delete;
    TemporaryFileOutput& operator=(const TemporaryFileOutput&) = delete;

    // Puts what was written in place once `count` replacements were made, with `backUp` the
    // old content first given the second name path + ".bak" (BackUpBeforeReplace); the new
    // file is claimed in `processed` before it takes the name. Returns `count`; 0 with
    // nothing touched when it is 0; Cancel with nothing touched when the run is aborted,
    // also while the text was written; WriteErr when the text could not be written or put in
    // place; UndoErr when the observer of commits refused it. After Cancel, WriteErr and
    // UndoErr `path` keeps its content, no temporary file is left and an older backup is
    // whole; only when another program changes the file in the very moment between its
    // backup and its replace does a backup of the file as it is take its place.
    FileResult Commit(const AbortFlag& abort, FileResult count, bool backUp, ProcessedFiles* processed = nullptr);

    // Commit in three steps, so that the new files of several can reach the disk together:
    // Complete writes out what is buffered and claims the new file (`count`, or what
    // Commit returns for nothing to do, an abort or a failed write);
    // then the writer's FlushBeforeReplace; then PutInPlace, told whether that flush held.
    FileResult Complete(const AbortFlag& abort, FileResult count, ProcessedFiles* processed);
    platform::FileWriter& Writer() { return writer_; }
    FileResult PutInPlace(bool backUp, bool flushed);
    // PutInPlace in two steps, so that the originals of several files are kept in one go:
    // KeepOriginal tells the observer of commits (0, or the error PutInPlace returns), at
    // any time after Complete; then the observer's BeforeNames once for all of them, whose
    // answer TakeName is told with the flush's. An original kept for a file that does not
    // take its name goes again (the observer's AfterCommit).
    FileResult KeepOriginal();
    FileResult TakeName(bool backUp, bool flushed, bool originalLasts);
    CommitObserver* Commits() const { return commits_; }

    void WriteInThisThread() override;

private:
    enum class State { NotStarted, Writing, Failed, Committed };

    // The first piece first makes sure that the file can be replaced at all, and creates the
    // temporary file. False once anything failed.
    bool WriteOut(const char* data, std::size_t size) override;
    bool Start();
    bool WriteDirectly(const char* data, std::size_t size);
    bool WriteInBackground(std::size_t size);
    bool Flush();
    void Discard();

    const std::string path_;
    std::string temporary_;
    platform::FileStamp read_;
    CommitObserver* commits_;
    ContentDigest digest_;
    platform::FileWriter writer_;
    std::optional<platform::FileStamp> made_;
    FileResult count_ = 0;
    std::uint64_t entry_ = 0;  // the observer's, from BeforeCommit
    bool kept_ = false;        // told to the observer, and not yet told the end
    State state_ = State::NotStarted;
    const std::size_t bufferSize_;
    std::unique_ptr<char[]> buffer_;  // what is written up to TextOutput's cursor
    std::uint64_t written_ = 0;       // handed on to the file so far
    // Writes a large text's buffers while the next is made; the writer is its own meanwhile.
    std::unique_ptr<BackgroundWriter> background_;
    bool inThisThread_ = false;  // no background writer any more (WriteInThisThread)
};

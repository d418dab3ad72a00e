#include "engine/rewrite/TemporaryFileOutput.h"

#include <cstring>
#include <system_error>

#include "engine/rewrite/BackupBeforeReplace.h"
#include "engine/rewrite/CommitObserver.h"
#include "engine/rewrite/DerivedNames.h"
#include "engine/rewrite/ProcessedFiles.h"

namespace {

// Small pieces are gathered into writes of this size; larger pieces go out as they are.
// A large file's are gathered into larger writes: each one handed to the thread that
// writes it wakes that thread, and at 256 KiB the wakings took a tenth of a 256 MiB
// literal rewrite.
constexpr std::size_t BufferSize = 256 * 1024;
constexpr std::size_t LargeBufferSize = 1024 * 1024;
constexpr std::uint64_t LargeFrom = 16 * 1024 * 1024;
constexpr std::size_t DirectFrom = 16 * 1024;
// Once this much of a text is written, the rest is written in the background, every piece
// through the buffer.
constexpr std::uint64_t InBackgroundFrom = 1024 * 1024;
constexpr std::size_t WholeFrom = 4 * 1024 * 1024;

}  // namespace

TemporaryFileOutput::TemporaryFileOutput(const std::string& path, const platform::FileStamp& read,
                                         CommitObserver* commits)
    : path_(path), read_(read), commits_(commits), bufferSize_(read.Size >= LargeFrom ? LargeBufferSize : BufferSize)
{
}

TemporaryFileOutput::~TemporaryFileOutput()
{
    Discard();
}

void TemporaryFileOutput::Discard()
{
    background_.reset();
    if (state_ == State::Writing) {
        writer_.Close();
        platform::RemoveFile(temporary_);
    }
    // The original kept for a commit that does not take place goes again.
    if (kept_ && state_ != State::Committed) {
        kept_ = false;
        commits_->AfterCommit(entry_, false);
    }
    if (state_ != State::Committed)
        state_ = State::Failed;
    cursor_ = nullptr;
    room_ = 0;
}

bool TemporaryFileOutput::Start()
{
    state_ = State::Failed;
    // Refused up front, so that neither the temporary file nor a backup sharing the file's
    // storage is made for a replace that cannot happen.
    if (!platform::CanReplace(path_, &read_))
        return false;
    temporary_ = TemporaryPathOf(path_);
    // A leftover of a run that was killed goes; anything else under the name (a link
    // planted there, another run's file) stays, and this file is not rewritten. Asked only
    // when the name is taken, which it seldom is.
    if (!writer_.CreateNew(temporary_) && !(platform::RemoveLeftover(temporary_) && writer_.CreateNew(temporary_)))
        return false;
    state_ = State::Writing;
    return true;
}

bool TemporaryFileOutput::WriteDirectly(const char* data, std::size_t size)
{
    if (writer_.Write(data, size)) {
        if (commits_)
            digest_.Add(data, size);
        written_ += size;
        return true;
    }
    Discard();
    return false;
}

bool TemporaryFileOutput::WriteInBackground(std::size_t size)
{
    if (!background_->HandOver(buffer_, size)) {
        Discard();
        return false;
    }
    written_ += size;
    return true;
}

// Hands on what is buffered; the buffer, if there is one, is empty then.
bool TemporaryFileOutput::Flush()
{
    if (!buffer_)
        return true;
    const std::size_t size = static_cast<std::size_t>(cursor_ - buffer_.get());
    if (size > 0 && !(background_ ? WriteInBackground(size) : WriteDirectly(buffer_.get(), size)))
        return false;
    // The buffer handed over first leaves none behind: the next piece makes another.
    cursor_ = buffer_.get();
    room_ = buffer_ ? bufferSize_ : 0;
    return true;
}

void TemporaryFileOutput::WriteInThisThread()
{
    inThisThread_ = true;
    if (!background_ || state_ != State::Writing)
        return;
    // What is buffered follows what the writer has, which is written first.
    if (!Flush() || !background_->Wait()) {
        Discard();
        return;
    }
    background_.reset();
}

bool TemporaryFileOutput::WriteOut(const char* data, std::size_t size)
{
    const bool first = state_ == State::NotStarted;
    if (first && !Start())
        return false;
    if (state_ != State::Writing)
        return false;
    // The first piece, often a text's only one, goes out as it is; so do large pieces
    // while the text is written as it is made.
    if (first)
        return WriteDirectly(data, size);
    if (!background_) {
        if (!Flush())
            return false;
        if (written_ >= InBackgroundFrom && !inThisThread_) {
            try {
                background_ = std::make_unique<BackgroundWriter>(writer_, commits_ ? &digest_ : nullptr);
            } catch (const std::system_error&) {
                // Without a thread the text is written as it is made.
            }
        }
        if (!background_ && size >= DirectFrom)
            return WriteDirectly(data, size);
    }
    // A very large piece goes out as it is once what came before it is written: copied
    // through the buffer it would cost that copy besides.
    if (background_ && size >= WholeFrom) {
        if (!Flush())
            return false;
        if (!background_->Wait()) {
            Discard();
            return false;
        }
        return WriteDirectly(data, size);
    }
    for (;;) {
        if (!buffer_) {
            buffer_.reset(new char[bufferSize_]);
            cursor_ = buffer_.get();
            room_ = bufferSize_;
        }
        const std::size_t part = size < room_ ? size : room_;
        std::memcpy(cursor_, data, part);
        cursor_ += part;
        room_ -= part;
        data += part;
        size -= part;
        if (size == 0)
            return true;
        if (!Flush())
            return false;
    }
}

FileResult TemporaryFileOutput::Commit(const AbortFlag& abort, FileResult count, bool backUp,
                                       ProcessedFiles* processed)
{
    const FileResult completed = Complete(abort, count, processed);
    if (completed <= 0)
        return completed;
    return PutInPlace(backUp, writer_.FlushBeforeReplace());
}

FileResult TemporaryFileOutput::Complete(const AbortFlag& abort, FileResult count, ProcessedFiles* processed)
{
    if (IsAborted(abort)) {
        Discard();
        return Cancel;
    }
    if (count == 0)
        return 0;
    if (state_ == State::NotStarted && !Start())
        return WriteErr;
    if (state_ != State::Writing || !Flush() || (background_ && !background_->Wait())) {
        Discard();
        return WriteErr;
    }
    background_.reset();
    buffer_.reset();
    cursor_ = nullptr;
    room_ = 0;
    made_ = writer_.Stamp();
    if (processed && made_)
        processed->Claim(*made_);
    count_ = count;
    return count;
}

FileResult TemporaryFileOutput::PutInPlace(bool backUp, bool flushed)
{
    const FileResult kept = KeepOriginal();
    if (kept < 0)
        return kept;
    return TakeName(backUp, flushed, !commits_ || commits_->BeforeNames());
}

FileResult TemporaryFileOutput::KeepOriginal()
{
    if (state_ != State::Writing) {
        Discard();
        return WriteErr;
    }
    // The original is kept for undo before anything else is done to it; a journal cannot
    // tell a file it does not know the stamp of.
    if (commits_ && (!made_ || !commits_->BeforeCommit({path_, read_, *made_, digest_.Value()}, entry_))) {
        Discard();
        return UndoErr;
    }
    kept_ = commits_ != nullptr;
    return 0;
}

FileResult TemporaryFileOutput::TakeName(bool backUp, bool flushed, bool originalLasts)
{
    if (state_ != State::Writing || !flushed || !originalLasts) {
        const FileResult failed = state_ == State::Writing && flushed ? UndoErr : WriteErr;
        Discard();
        return failed;
    }
    const BackupMade backup = backUp ? BackUpBeforeReplace(path_, read_) : BackupMade::None;
    if ((backUp && backup == BackupMade::None) || !writer_.CloseAndReplace(path_, &read_)) {
        Discard();
        // An older backup was kept, or, had the file changed in the last moment, replaced
        // by one of the file as it is.
        if (backup == BackupMade::WhereNoneWas)
            platform::RemoveFile(BackupPathOf(path_));
        return WriteErr;
    }
    state_ = State::Committed;
    if (kept_)
        commits_->AfterCommit(entry_, true);
    return count_;
}

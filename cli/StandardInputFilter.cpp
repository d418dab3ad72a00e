#include "cli/StandardInputFilter.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/NativeCommand.h"
#include "cli/ResultLines.h"
#include "cli/StopSignals.h"
#include "engine/run/RunReplace.h"
#include "platform/posix/FileReading.h"

namespace {

// The run's one file: its result and the encoding it was read in.
class OneResult final : public RunObserver {
public:
    void OnFileResult(const FileReport& file) override
    {
        Result = file.Result;
        Encoding = file.Encoding;
    }
    FileResult Result = 0;
    std::optional<TextEncoding> Encoding;
};


// A file of the text, the run's own, in the folder for temporary files; gone with this.
class TextFile {
public:
    TextFile()
    {
        const char* folder = std::getenv("TMPDIR");
        path_ = std::string(folder && *folder ? folder : "/tmp") + "/tarvelox-input-XXXXXX";
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    }
    ~TextFile()
    {
        if (fd_ >= 0) {
            ::close(fd_);
            ::unlink(path_.c_str());
        }
    }
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};

// Copies standard input into `to` up to its end; false when it could not be read or
// written, or a stop signal came first, also while the input waits for its writer.
bool CopyInput(int to, const AbortFlag& abort)
{
    char buffer[1 << 16];
    for (;;) {
        if (IsAborted(abort))
            return false;
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&input, 1, 100);
        if (ready < 0 && errno != EINTR)
            return false;
        if (ready <= 0)
            continue;
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        if (got > 0 && !platform::WriteAll(to, buffer, static_cast<std::size_t>(got)))
            return false;
    }
}

}  // namespace

int FilterStandardInput(ReplaceJob& job, const Console& console)
{
    // Caught from the start: stopped while the input is copied, the copy goes with it.
    const StopSignals signals(job.AbortRequested);
    TextFile text;
    if (!text.IsOpen() || !CopyInput(text.Descriptor(), job.AbortRequested)) {
        if (const int signal = signals.Received())
            return 128 + signal;
        std::fputs("tarvelox: standard input cannot be read into a temporary file\n", console.Err);
        return 2;
    }
    job.Files = {text.Path()};
    job.BackUp = false;
    OneResult result;
    RunReplace(job, result);
    if (const int signal = signals.Received())
        return 128 + signal;
    // The run replaced the file it read: the text is read anew from its name.
    const int rewritten = ::open(text.Path().c_str(), O_RDONLY | O_CLOEXEC);
    std::fflush(console.Out);
    const bool written = rewritten >= 0 && platform::CopyAll(rewritten, ::fileno(console.Out));
    if (rewritten >= 0)
        ::close(rewritten);
    if (!written) {
        // A reader that went away (head) stops the filter as the signal it sent would.
        if (const int signal = signals.Received())
            return 128 + signal;
        std::fputs("tarvelox: the text cannot be written to standard output\n", console.Err);
        return 2;
    }
    if (result.Result >= 0)
        return 0;
    const std::string encoding = result.Encoding ? std::string(EncodingName(*result.Encoding)) : std::string();
    std::fprintf(console.Err, "tarvelox: standard input: %s; it is passed on unchanged\n",
                 FailureText(result.Result, encoding).c_str());
    return 1;
}

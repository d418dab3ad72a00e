#include "cli/StandardInputFilter.h"

#include <fcntl.h>
#include <unistd.h>

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

}  // namespace

int FilterStandardInput(ReplaceJob& job, const Console& console)
{
    TextFile text;
    if (!text.IsOpen() || !platform::CopyAll(STDIN_FILENO, text.Descriptor())) {
        std::fputs("tarvelox: standard input cannot be read into a temporary file\n", console.Err);
        return 2;
    }
    job.Files = {text.Path()};
    job.BackUp = false;
    OneResult result;
    const StopSignals signals(job.AbortRequested);
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

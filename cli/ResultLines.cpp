#include "cli/ResultLines.h"

#include <cinttypes>
#include <string_view>

#include "cli/ConsoleProgress.h"
#include "cli/TerminalText.h"
#include "engine/run/ResultLog.h"

namespace {

// What a status word means, in a few words; the file always keeps its content.
const char* Reason(FileResult result)
{
    switch (result) {
    case NotOpen:
        return "cannot be read";
    case MemLack:
        return "not enough memory";
    case NoText:
        return "holds a NUL byte: not a text file";
    case RegExpER:
        return "the regular expression failed on it";
    case Cancel:
        return "stopped before it was done";
    case WriteErr:
        return "could not be rewritten: read-only, changed meanwhile, or the disk is full";
    case EncodeER:
        return "a replacement cannot be written in its encoding:";
    case Iso2022:
        return "ISO-2022-JP text is left alone";
    default:
        return "failed";
    }
}

// The log's word without the spaces that align it.
std::string WordOf(FileResult result)
{
    const char* word = StatusWord(result);
    if (!word)
        return "Failed";
    const std::string_view text(word);
    return std::string(text.substr(text.find_first_not_of(' ')));
}

std::string Plural(std::uint64_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string ShownPath(const std::string& path, const std::string& currentFolder)
{
    if (currentFolder.empty() || currentFolder == "/")
        return path;
    if (path == currentFolder)
        return ".";
    if (path.size() > currentFolder.size() && path.starts_with(currentFolder) && path[currentFolder.size()] == '/')
        return path.substr(currentFolder.size() + 1);
    return path;
}

ResultLines::ResultLines(std::FILE* out, Verbosity verbosity, const TerminalText& terminal,
                         std::string currentFolder, ConsoleProgress& progress, bool showGuesses)
    : out_(out), verbosity_(verbosity), terminal_(terminal), currentFolder_(std::move(currentFolder)),
      progress_(progress), showGuesses_(showGuesses)
{
}

void ResultLines::OnProgress(std::size_t done, std::size_t count)
{
    progress_.OnProgress(done, count);
}

void ResultLines::OnFileResult(const FileReport& file)
{
    ++counts_.Files;
    if (file.Result < 0)
        ++counts_.Failed;
    else if (file.Result > 0)
        ++counts_.Changed;
    if (file.Result >= 0)
        counts_.Replacements += file.Result;

    if (verbosity_ == Verbosity::Quiet || (file.Result == 0 && verbosity_ != Verbosity::Verbose))
        return;
    const std::string name = terminal_.Name(ShownPath(file.Path, currentFolder_));
    std::string encoding = file.Encoding ? std::string(EncodingName(*file.Encoding)) : std::string();
    if (!encoding.empty() && file.EncodingGuessed)
        encoding += ", guessed";
    progress_.Clear();
    if (file.Result >= 0) {
        std::fprintf(out_, "%s:%d", name.c_str(), static_cast<int>(file.Result));
        if (!encoding.empty() && (verbosity_ == Verbosity::Verbose || (showGuesses_ && file.EncodingGuessed)))
            std::fprintf(out_, " (%s)", encoding.c_str());
        std::fputc('\n', out_);
        return;
    }
    std::string reason = Reason(file.Result);
    if (reason.ends_with(':'))
        reason += " " + encoding;
    std::fprintf(out_, "%s: %s (%s)\n", name.c_str(), WordOf(file.Result).c_str(), reason.c_str());
}

std::string SummaryLine(const RunCounts& counts, std::size_t leftOut, bool preview)
{
    std::string line = preview ? "preview: " : "";
    line += std::to_string(counts.Changed) + " of " + Plural(counts.Files, "file", "files") +
            (preview ? " would change, " : " changed, ") +
            Plural(static_cast<std::uint64_t>(counts.Replacements), "replacement", "replacements") + ", " +
            std::to_string(counts.Failed) + " failed";
    if (leftOut > 0)
        line += ", " + std::to_string(leftOut) + " left out by the extension list";
    if (preview)
        line += "; nothing was written";
    return line;
}

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
        return "the regular expression failed on it: an error in it, a search too complex, or a text of 2 GiB or "
               "more";
    case Cancel:
        return "stopped before it was done";
    case WriteErr:
        return "could not be rewritten: read-only, in a folder that cannot be written, with a name too long for its "
               "temporary file, changed meanwhile, or the disk is full";
    case EncodeER:
        return "a replacement cannot be written in its encoding:";
    case Iso2022:
        return "ISO-2022-JP text is left alone";
    case BackupOfListed:
        return "the backup of another file of this run: left as it is";
    case UndoErr:
        return "its original could not be kept for undo: the journal's disk is full or cannot be written";
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

}  // namespace

std::string Plural(std::uint64_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

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
                         std::string currentFolder, ConsoleProgress& progress,
                         const std::unordered_set<std::string>* walked, bool showGuesses)
    : out_(out), verbosity_(verbosity), terminal_(terminal), currentFolder_(std::move(currentFolder)),
      progress_(progress), walked_(walked), showGuesses_(showGuesses)
{
}

void ResultLines::OnProgress(std::size_t done, std::size_t count)
{
    progress_.OnProgress(done, count);
}

void ResultLines::OnFileResult(const FileReport& file)
{
    if (file.Result == NoText && walked_ && walked_->count(file.Path)) {
        ++counts_.NotText;
        if (verbosity_ == Verbosity::Verbose) {
            progress_.Clear();
            std::fprintf(out_, "%s: left out: not a text file (it holds a NUL byte)\n",
                         terminal_.Name(ShownPath(file.Path, currentFolder_)).c_str());
        }
        return;
    }
    ++counts_.Files;
    if (file.Result < 0)
        ++counts_.Failed;
    else if (file.Result > 0)
        ++counts_.Changed;
    if (file.Result >= 0)
        counts_.Replacements += file.Result;

    if (verbosity_ == Verbosity::Quiet || (file.Result == 0 && verbosity_ != Verbosity::Verbose) ||
        (file.Result > 0 && verbosity_ == Verbosity::FailuresOnly && !(showGuesses_ && file.EncodingGuessed)))
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
    std::fprintf(out_, "%s: %s\n", name.c_str(), FailureText(file.Result, encoding).c_str());
}

std::string FailureText(FileResult result, const std::string& encoding)
{
    std::string reason = Reason(result);
    if (reason.ends_with(':'))
        reason += " " + encoding;
    return WordOf(result) + " (" + reason + ")";
}

std::string SummaryLine(const RunCounts& counts, const LeftOutCounts& leftOut, bool preview)
{
    std::string line = preview ? "preview: " : "";
    line += std::to_string(counts.Changed) + " of " + Plural(counts.Files, "file", "files") +
            (preview ? " would change, " : " changed, ") +
            Plural(static_cast<std::uint64_t>(counts.Replacements), "replacement", "replacements") + ", " +
            std::to_string(counts.Failed) + " failed";
    const std::pair<std::size_t, const char*> reasons[] = {
        {leftOut.ByExtension, " left out by the extension list"},
        {counts.NotText, " left out as not text"},
        {leftOut.Hidden, " hidden left out (--hidden takes them)"},
        {leftOut.Ignored, " left out by ignore files (--no-ignore takes them)"},
        {leftOut.RepositoryFolders, " repository folders left out"},
        {leftOut.MadeByRuns, " left out as a stopped run's own (*.tarvelox.tmp, *.tarvelox.auto)"},
    };
    for (const auto& [count, why] : reasons)
        if (count > 0)
            line += ", " + std::to_string(count) + why;
    if (preview)
        line += "; nothing was written";
    return line;
}

#include "app/LogStatusWords.h"

#include <string>

#include "engine/run/ResultLog.h"

namespace {

// Every failure code a log can show.
constexpr FileResult Codes[] = {NotOpen, MemLack, NoText, RegExpER, Cancel, WriteErr, EncodeER, Iso2022};

// A status word takes the last eight bytes before a line end; no count and no path line
// ends so (a count ends in a digit, the totals too).
bool EndsWithWordOf(std::string_view line, FileResult code)
{
    return line.ends_with(StatusWord(code));
}

}  // namespace

std::vector<FileResult> FailuresIn(std::string_view logText)
{
    std::vector<FileResult> found;
    for (const FileResult code : Codes)
        if (logText.find(std::string(StatusWord(code)) + "\r\n") != std::string_view::npos)
            found.push_back(code);
    return found;
}

std::optional<FileResult> FailureOfLine(std::string_view logText, int line)
{
    std::size_t start = 0;
    for (int i = 0; i < line; ++i) {
        start = logText.find("\r\n", start);
        if (start == std::string_view::npos)
            return std::nullopt;
        start += 2;
    }
    const std::size_t end = logText.find("\r\n", start);
    const std::string_view text = logText.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    for (const FileResult code : Codes)
        if (EndsWithWordOf(text, code))
            return code;
    return std::nullopt;
}

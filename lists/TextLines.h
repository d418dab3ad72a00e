#pragma once
// Lines as a text-mode read gives them: CR LF and LF end a line, any other CR stays in the
// line, a 0x1A byte ends the text. A last line without a line end is still a line; a
// final line end adds no empty line. NUL bytes are ordinary bytes of a line.
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

// Calls `take` with each line, in order, as a view into `text`.
template <typename Take>
void ForEachTextLine(std::string_view text, Take&& take)
{
    text = text.substr(0, text.find('\x1a'));
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        take(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

// What an editor that saves UTF-8 may put before the text (Notepad does).
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The same for a whole file; false, with no line taken, when it cannot be read. A byte
// order mark at its start is no part of its first line (no Shift-JIS text starts so).
template <typename Take>
bool ForEachFileLine(const std::string& path, Take&& take)
{
    platform::FileContent content;
    if (platform::ReadWholeFile(path, content) != platform::ReadStatus::Ok)
        return false;
    std::string_view text(content.Data(), content.Size());
    if (text.starts_with(Utf8ByteOrderMark))
        text.remove_prefix(Utf8ByteOrderMark.size());
    ForEachTextLine(text, take);
    return true;
}

std::vector<std::string> SplitTextLines(std::string_view text);

// The lines of a file; false, with no lines, when it cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

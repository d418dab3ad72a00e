#pragma once
// The fixed parts of the result log, spelled out as bytes.
#include <string>
#include <utility>
#include <vector>

inline const std::string ExpectedLogHeader =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC" + std::string(36, ' ') + "\x92\x75\x8A\xB7\x82\xA6\x90\x94\r\n" +
    std::string(54, '-') + "\r\n";

// `total` is the 11-byte right-aligned number.
inline std::string ExpectedLogTotals(const std::string& total)
{
    return std::string(54, '-') + "\r\n" + "\x91\x8D\x92\x75\x8A\xB7\x82\xA6\x90\x94" + std::string(33, ' ') +
           total + "\r\n";
}

// A file line for a path of at most 45 bytes; `column` is the 8-byte count or status word.
inline std::string ExpectedLogLine(const std::string& path, const std::string& column)
{
    return path + std::string(46 - path.size(), ' ') + column + "\r\n";
}

// A whole log: the header, a line for each path with its column, and the totals.
inline std::string ExpectedLog(const std::vector<std::pair<std::string, std::string>>& lines, const std::string& total)
{
    std::string text = ExpectedLogHeader;
    for (const auto& [path, column] : lines)
        text += ExpectedLogLine(path, column);
    return text + ExpectedLogTotals(total);
}

#include "engine/run/LogTable.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "engine/run/ShortenPath.h"

namespace {

constexpr const char* LineEnd = "\r\n";
constexpr std::size_t PathColumnWidth = ShortenedPathLimit + 1;
constexpr std::size_t LineWidth = 54;
constexpr int TotalWidth = 11;

}  // namespace

std::string LogHeading(const char* column)
{
    std::string text = "ファイル名";
    text.append(LineWidth - text.size() - std::strlen(column), ' ');
    text += column;
    text += LineEnd;
    text.append(LineWidth, '-');
    text += LineEnd;
    return text;
}

std::string LogRow(const std::string& path, const char* column)
{
    std::string line = ShortenPath(path);
    if (line.size() < PathColumnWidth)
        line.append(PathColumnWidth - line.size(), ' ');
    line += column;
    line += LineEnd;
    return line;
}

std::string LogTotals(const char* label, std::int64_t total)
{
    char number[32];
    std::snprintf(number, sizeof number, "%*" PRId64, TotalWidth, total);
    std::string text(LineWidth, '-');
    text += LineEnd;
    text += label;
    text.append(LineWidth - TotalWidth - std::strlen(label), ' ');
    text += number;
    text += LineEnd;
    return text;
}

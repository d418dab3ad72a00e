#include "engine/run/ResultLog.h"

#include <cinttypes>
#include <cstdio>

#include "engine/run/ShortenPath.h"

namespace {

constexpr const char* LineEnd = "\r\n";
constexpr std::size_t PathColumnWidth = ShortenedPathLimit + 1;
constexpr std::size_t LineWidth = 54;

}  // namespace

const char* StatusWord(FileResult result)
{
    switch (result) {
    case NotOpen:
        return " NotOpen";
    case MemLack:
        return " MemLack";
    case NoText:
        return "  NoText";
    case RegExpER:
        return "RegExpER";
    case Cancel:
        return "  Cancel";
    case WriteErr:
        return "WriteErr";
    case EncodeER:
        return "EncodeER";
    case Iso2022:
        return " ISO2022";
    case BackupOfListed:
        return "  Backup";
    default:
        return nullptr;
    }
}

void ResultLog::ResetLog()
{
    text_ = "ファイル名";
    text_.append(36, ' ');
    text_ += "置換え数";
    text_ += LineEnd;
    text_.append(LineWidth, '-');
    text_ += LineEnd;
    total_ = 0;
    failed_ = 0;
    files_ = 0;
    changed_ = 0;
}

void ResultLog::AddLogLine(const std::string& path, FileResult result)
{
    std::string line = ShortenPath(path);
    if (line.size() < PathColumnWidth)
        line.append(PathColumnWidth - line.size(), ' ');
    ++files_;
    if (result < 0)
        ++failed_;
    if (result > 0)
        ++changed_;
    if (const char* word = StatusWord(result)) {
        line += word;
    } else {
        char count[16];
        std::snprintf(count, sizeof count, "%8" PRId32, result);
        line += count;
        if (result > 0)
            total_ += result;
    }
    text_ += line;
    text_ += LineEnd;
}

void ResultLog::FinishLog()
{
    char total[32];
    std::snprintf(total, sizeof total, "%11" PRId64, total_);
    text_.append(LineWidth, '-');
    text_ += LineEnd;
    text_ += "総置換え数";
    text_.append(33, ' ');
    text_ += total;
    text_ += LineEnd;
}

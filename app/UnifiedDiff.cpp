#include "app/UnifiedDiff.h"

#include <algorithm>

#include "app/LineDiff.h"

namespace {

constexpr std::size_t Context = 3;

// One stretch of changed lines: before[BeforeStart, BeforeEnd) became
// after[AfterStart, AfterEnd); the lines up to the next change are the same on both sides.
struct Change {
    std::size_t BeforeStart, BeforeEnd, AfterStart, AfterEnd;
};

std::vector<Change> ChangesOf(const LineChanges& changes)
{
    std::vector<Change> found;
    const std::size_t beforeCount = changes.Deleted.size(), afterCount = changes.Inserted.size();
    std::size_t i = 0, j = 0;
    while (i < beforeCount || j < afterCount) {
        if (i < beforeCount && j < afterCount && !changes.Deleted[i] && !changes.Inserted[j]) {
            ++i;
            ++j;
            continue;
        }
        Change change{i, i, j, j};
        while (change.BeforeEnd < beforeCount && changes.Deleted[change.BeforeEnd])
            ++change.BeforeEnd;
        while (change.AfterEnd < afterCount && changes.Inserted[change.AfterEnd])
            ++change.AfterEnd;
        found.push_back(change);
        i = change.BeforeEnd;
        j = change.AfterEnd;
    }
    return found;
}

// "start,count" as diff writes a range: an empty one by the line before it, one line by
// its number alone.
std::string Range(std::size_t start, std::size_t count)
{
    if (count == 0)
        return std::to_string(start) + ",0";
    if (count == 1)
        return std::to_string(start + 1);
    return std::to_string(start + 1) + "," + std::to_string(count);
}

class HunkWriter {
public:
    HunkWriter(const std::vector<std::string_view>& before, const std::vector<std::string_view>& after,
               const std::function<std::string(std::string_view)>& show, std::string& out)
        : before_(before), after_(after), show_(show), out_(out)
    {
    }

    // The changes [first, last] in one hunk.
    void Write(const std::vector<Change>& changes, std::size_t first, std::size_t last)
    {
        const Change& head = changes[first];
        const Change& tail = changes[last];
        const std::size_t lead = std::min(Context, head.BeforeStart);
        const std::size_t beforeStart = head.BeforeStart - lead, afterStart = head.AfterStart - lead;
        const std::size_t beforeEnd = std::min(before_.size(), tail.BeforeEnd + Context);
        const std::size_t afterEnd = tail.AfterEnd + (beforeEnd - tail.BeforeEnd);
        out_ += "@@ -" + Range(beforeStart, beforeEnd - beforeStart) + " +" + Range(afterStart, afterEnd - afterStart) +
                " @@\n";
        std::size_t i = beforeStart;
        for (std::size_t c = first; c <= last; ++c) {
            const Change& change = changes[c];
            for (; i < change.BeforeStart; ++i)
                Line(' ', before_[i]);
            for (; i < change.BeforeEnd; ++i)
                Line('-', before_[i]);
            for (std::size_t j = change.AfterStart; j < change.AfterEnd; ++j)
                Line('+', after_[j]);
        }
        for (; i < beforeEnd; ++i)
            Line(' ', before_[i]);
    }

private:
    void Line(char mark, std::string_view line)
    {
        out_ += mark;
        out_ += show_(line);
        if (line.empty() || line.back() != '\n')
            out_ += "\n\\ No newline at end of file\n";
    }

    const std::vector<std::string_view>& before_;
    const std::vector<std::string_view>& after_;
    const std::function<std::string(std::string_view)>& show_;
    std::string& out_;
};

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& beforeLabel,
                        const std::string& afterLabel, const std::function<std::string(std::string_view)>& show)
{
    const std::vector<std::string_view> beforeLines = SplitLines(before);
    const std::vector<std::string_view> afterLines = SplitLines(after);
    const std::vector<Change> changes = ChangesOf(CompareLines(beforeLines, afterLines));
    if (changes.empty())
        return std::string();
    std::string out = "--- " + beforeLabel + "\n+++ " + afterLabel + "\n";
    HunkWriter writer(beforeLines, afterLines, show, out);
    std::size_t first = 0;
    for (std::size_t c = 1; c <= changes.size(); ++c) {
        // Changes apart by no more than twice the context share a hunk.
        if (c < changes.size() && changes[c].BeforeStart - changes[c - 1].BeforeEnd <= 2 * Context)
            continue;
        writer.Write(changes, first, c - 1);
        first = c;
    }
    return out;
}

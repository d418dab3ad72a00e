// The diff of a preview against GNU diff: the same text where one shortest diff is plain,
// and a diff as short as GNU's that patch applies where several are.
#include "app/UnifiedDiff.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "cli/TerminalText.h"
#include "tests/support/TestFiles.h"

namespace {

std::string Output(const std::string& command)
{
    std::string out;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    if (pipe)
        ::pclose(pipe);
    return out;
}

std::string Same(std::string_view line)
{
    return std::string(line);
}

class UnifiedDiffTest : public testing::Test {
protected:
    // GNU diff of the two texts, each converted from `encoding` to UTF-8 first.
    std::string GnuDiff(const std::string& before, const std::string& after, const char* encoding,
                        const char* options = "-u")
    {
        WriteBytes(folder_ / "before", before);
        WriteBytes(folder_ / "after", after);
        const std::string iconv = std::string(" iconv -f ") + encoding + " -t UTF-8 ";
        return Output("cd " + folder_.Path() + " &&" + iconv + "before >before8 &&" + iconv + "after >after8 && diff " +
                      options + " --label a/x --label b/x before8 after8");
    }

    TempFolder folder_;
};

TEST_F(UnifiedDiffTest, AsGnuDiffPrintsIt)
{
    const std::string lines = "一\n二\n三\n四\n五\n六\n七\n八\n九\n十\n十一\n十二\n十三\n十四\n十五\n";
    const struct {
        const char* what;
        std::string before, after;
    } cases[] = {
        {"the samples' replacements", "旧社名からのお知らせ\n新しい表計算ソフト\n保存先: D:\\ソフト\\能力表\n価格: 12800円\n",
         "新社名からのお知らせ\n新しい表計算ソフト\n保存先: D:/ソフト/能力表\n価格: ￥12800\n"},
        {"CR LF lines", "a\r\nb\r\nc\r\n", "a\r\nB\r\nc\r\n"},
        {"changes far apart: two hunks", lines, "1\n" + lines.substr(2, lines.size() - 9) + "十五の\n"},
        {"changes six lines apart: one hunk", lines, "一\n2\n三\n四\n五\n六\n七\n八\n9\n十\n十一\n十二\n十三\n十四\n十五\n"},
        {"changes seven lines apart: two hunks", lines, "一\n2\n三\n四\n五\n六\n七\n八\n九\n10\n十一\n十二\n十三\n十四\n十五\n"},
        {"lines inserted and deleted", lines, "零\n一\n三\n四\n四と半\n五\n"},
        {"no line end at the end", "a\nb", "a\nc"},
        {"a line end added at the end", "a\nb", "a\nb\n"},
        {"everything deleted", "a\nb\n", ""},
        {"from nothing", "", "a\n"},
        {"double-byte characters whose second byte is an LF-free 0x5C", "表\\n\n", "表/n\n"},
    };
    const TerminalText terminal("UTF-8", false);
    const auto show = [&](std::string_view line) { return terminal.FileText(line, TextEncoding::ShiftJis); };
    for (const auto& c : cases)
        EXPECT_EQ(UnifiedDiff(c.before, c.after, "a/x", "b/x", show), GnuDiff(c.before, c.after, "CP932")) << c.what;
    EXPECT_EQ(UnifiedDiff("a\nb\n", "a\nb\n", "a/x", "b/x", Same), "");
}

// Random texts of few distinct lines have many shortest diffs: ours is one of them, as short
// as GNU's smallest, and patch turns the old text into the new with it.
TEST_F(UnifiedDiffTest, ShortestAndRightOnRandomTexts)
{
    std::mt19937 random(17);
    const auto text = [&](std::size_t lines) {
        std::string made;
        for (std::size_t i = 0; i < lines; ++i)
            made += std::string(1, "abcd"[random() % 4]) + (random() % 16 == 0 ? "" : "\n");
        return made;
    };
    const auto changed = [](const std::string& diff) {
        std::size_t count = 0;
        for (std::size_t at = diff.find('\n'); at != std::string::npos; at = diff.find('\n', at + 1))
            if (at + 1 < diff.size() && (diff[at + 1] == '-' || diff[at + 1] == '+'))
                ++count;
        return count;
    };
    for (int round = 0; round < 100; ++round) {
        const std::string before = text(random() % 40), after = text(random() % 40);
        const std::string ours = UnifiedDiff(before, after, "a/x", "b/x", Same);
        EXPECT_EQ(changed(ours), changed(GnuDiff(before, after, "ASCII", "--minimal -u"))) << before << "|" << after;
        WriteBytes(folder_ / "x", before);
        WriteBytes(folder_ / "diff", ours);
        Output("cd " + folder_.Path() + " && patch -s x diff 2>&1");
        EXPECT_EQ(ReadBytes(folder_ / "x"), after) << before << "|" << after << "\n" << ours;
    }
}

}  // namespace

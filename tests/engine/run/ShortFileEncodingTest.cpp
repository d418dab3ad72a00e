// Short files, a word or a few, each read in its own encoding by one run: a misread one
// would miss a Japanese find text, or take a replacement in the wrong encoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/text/PatternConversion.h"
#include "tests/engine/support/RunInFolder.h"

namespace {

std::string In(TextEncoding encoding, const std::string& shiftJis)
{
    const std::optional<std::string> text = ConvertPatternText(shiftJis, encoding);
    return text ? *text : "(cannot be held)";
}

std::string Replaced(std::string text, const std::string& find, const std::string& replace)
{
    for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, at + replace.size()))
        text.replace(at, find.size(), replace);
    return text;
}

class ShortFileEncodingTest : public RunInFolderTest {
protected:
    struct File {
        std::string Name;
        TextEncoding Encoding;
        std::string ShiftJis;  // its text as typed
    };

    void Write(const std::vector<File>& files)
    {
        job.Files.clear();
        for (const File& file : files) {
            WriteBytes(file.Name, In(file.Encoding, file.ShiftJis));
            job.Files.push_back(file.Name);
        }
    }

    // The files written afresh and run over with `workers` at once.
    void RunOver(const std::vector<File>& files, int workers)
    {
        job.Workers = workers;
        Write(files);
        Run();
    }

    void ExpectReplaced(const std::vector<File>& files, const std::string& find, const std::string& replace)
    {
        for (const File& file : files)
            EXPECT_EQ(ReadBytes(file.Name), In(file.Encoding, Replaced(file.ShiftJis, find, replace)))
                << file.Name << " " << find << " " << job.Workers;
    }
};

// The issue's own: "X社\r\n" in Shift-JIS reads as EUC-JP half-width katakana, EUC-JP
// "社長" as Shift-JIS "ｼﾒﾄｹ".
TEST_F(ShortFileEncodingTest, AJapaneseFindTextAndAnAsciiOneWithAJapaneseReplacementChangeEveryFileInItsOwnEncoding)
{
    const std::string texts[] = {"X社", "X社\r\n", "X社長", "会社X\n", "東京X\r\n", "表X", "X月\n", "社長X"};
    std::vector<File> files;
    for (const TextEncoding encoding : {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Utf8})
        for (const std::string& text : texts)
            files.push_back({std::string(EncodingName(encoding)) + "-" + std::to_string(files.size()) + ".txt",
                             encoding, text});
    const struct {
        std::string find, replace;
    } patterns[] = {{"社", "者"}, {"X", "株式会社"}};
    for (const auto& pattern : patterns)
        for (const int workers : {1, 3}) {
            job.Pattern = {pattern.find, pattern.replace};
            RunOver(files, workers);
            ExpectReplaced(files, pattern.find, pattern.replace);
        }
}

// "ｶﾀｶﾅX" in Shift-JIS reads, alone, as the EUC-JP kanji of its bytes; beside files that
// are surely Shift-JIS it is taken as they are, and a file's folder speaks before the run.
TEST_F(ShortFileEncodingTest, AnUnsureFileTakesTheEncodingTheCertainFilesOfItsFolderOrOfTheRunShare)
{
    MakeFolder("sjis");
    MakeFolder("euc");
    MakeFolder("lone");
    MakeFolder("mixed");
    const std::vector<File> files = {
        {"sjis/a.txt", TextEncoding::ShiftJis, "ｶﾀｶﾅX"},
        {"sjis/b.txt", TextEncoding::ShiftJis, "設定ファイルです\r\n"},
        // The folder's certain files tell, not the run's.
        {"euc/a.txt", TextEncoding::ShiftJis, "ｶﾀｶﾅX"},
        {"euc/b.txt", TextEncoding::EucJp, "設定ファイルです\r\n"},
        // No certain file here: the run's certain files disagree, and tell nothing.
        {"lone/a.txt", TextEncoding::ShiftJis, "ｶﾀｶﾅX"},
        // Certain files that disagree tell nothing.
        {"mixed/a.txt", TextEncoding::ShiftJis, "ｶﾀｶﾅX"},
        {"mixed/b.txt", TextEncoding::ShiftJis, "設定ファイルです\r\n"},
        {"mixed/c.txt", TextEncoding::EucJp, "設定ファイルです\r\n"},
    };
    job.Pattern = {"X", "社"};
    for (const int workers : {1, 3}) {
        RunOver(files, workers);
        const std::string kana = "\xB6\xC0\xB6\xC5";  // ｶﾀｶﾅ in Shift-JIS
        EXPECT_EQ(ReadBytes("sjis/a.txt"), kana + In(TextEncoding::ShiftJis, "社"));
        EXPECT_EQ(ReadBytes("euc/a.txt"), kana + In(TextEncoding::EucJp, "社"));
        EXPECT_EQ(ReadBytes("lone/a.txt"), kana + In(TextEncoding::EucJp, "社"));
        EXPECT_EQ(ReadBytes("mixed/a.txt"), kana + In(TextEncoding::EucJp, "社"));
    }

    // With every certain file of the run Shift-JIS, a folder without one takes theirs.
    RunOver({files[0], files[1], files[4]}, 1);
    EXPECT_EQ(ReadBytes("lone/a.txt"), "\xB6\xC0\xB6\xC5" + In(TextEncoding::ShiftJis, "社"));
}

// Each file counts as it was before the run: a seven-bit file that the run has already
// made Shift-JIS tells nothing of the others (its folder has no certain file, and the
// run's is EUC-JP), whatever the order the workers take them in.
TEST_F(ShortFileEncodingTest, AFileTheRunRewroteCountsAsItWasBefore)
{
    MakeFolder("other");
    const std::vector<File> files = {
        {"a.txt", TextEncoding::ShiftJis, "X"},
        {"b.txt", TextEncoding::ShiftJis, "ｶﾀｶﾅX"},
        {"other/c.txt", TextEncoding::EucJp, "設定ファイルです\n"},
    };
    job.Pattern = {"X", "です"};
    for (const int workers : {1, 3}) {
        RunOver(files, workers);
        EXPECT_EQ(ReadBytes("a.txt"), "です");
        EXPECT_EQ(ReadBytes("b.txt"), "\xB6\xC0\xB6\xC5" + In(TextEncoding::EucJp, "です")) << workers;
    }
}

}  // namespace

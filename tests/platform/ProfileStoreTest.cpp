#include "platform/ProfileStore.h"

#include <gtest/gtest.h>

#include <climits>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/FileSystem.h"
#include "tests/support/TestFiles.h"

// Our own reader and writer on every system; on Windows the system's profile functions,
// under code page 932, are the reference every read of the table must agree with.

using namespace platform;

namespace {

struct TextCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    const char* defaultValue;
    std::string expected;
};

class ProfileRead : public testing::TestWithParam<TextCase> {};

TEST_P(ProfileRead, GivesTheStoredValueOrTheDefault)
{
    const TextCase& c = GetParam();
    TempFolder folder;
    WriteBytes(folder / "p.ini", c.file);
    EXPECT_EQ(ReadProfileText(folder / "p.ini", c.section, c.key, c.defaultValue), c.expected);
}

#ifdef _WIN32
TEST_P(ProfileRead, AgreesWithTheSystemsOwnReader)
{
    const TextCase& c = GetParam();
    ASSERT_EQ(::GetACP(), 932u);
    TempFolder folder;
    WriteBytes(folder / "p.ini", c.file);
    // Room for a byte beyond the longest value, as our reader cuts there itself.
    std::string system(ProfileValueLimit + 2, '\0');
    system.resize(::GetPrivateProfileStringA(c.section, c.key, c.defaultValue, system.data(),
                                             static_cast<DWORD>(system.size()), (folder / "p.ini").c_str()));
    EXPECT_EQ(ReadProfileText(folder / "p.ini", c.section, c.key, c.defaultValue), system);
}
#endif

const std::string Odd = "  [ Sec ]  \r\nk1 =  v1  \r\n  k2=\"q v\"\r\nk3=\"unbalanced\r\nk4='single'\r\n"
                        "k5=  \"  padded  \"  \r\nnoequals\r\nk6=\r\nk7\t=\tt\t\r\nk8=a=b\r\nk9=\"a'\r\n"
                        "k10=\"\r\nk11=\"\"\r\nk12=\"a\"b\"\r\n\vk13=\v4\f\r\n";

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileRead,
    testing::Values(
        TextCase{"BlanksAroundNamesAndValues", Odd, "Sec", "k1", "D", "v1"},
        TextCase{"NamesInAnyCase", Odd, "sEC", "K1", "D", "v1"},
        TextCase{"QueryNamesTrimmed", Odd, " Sec\t", "\tk1 ", "D", "v1"},
        TextCase{"DoubleQuotesRemoved", Odd, "Sec", "k2", "D", "q v"},
        TextCase{"UnbalancedQuoteKept", Odd, "Sec", "k3", "D", "\"unbalanced"},
        TextCase{"SingleQuotesRemoved", Odd, "Sec", "k4", "D", "single"},
        TextCase{"BlanksInsideQuotesKept", Odd, "Sec", "k5", "D", "  padded  "},
        TextCase{"LineWithoutEqualsIsNoValue", Odd, "Sec", "noequals", "D", "D"},
        TextCase{"PresentEmptyValueIsNotTheDefault", Odd, "Sec", "k6", "D", ""},
        TextCase{"TabsAreBlanks", Odd, "Sec", "k7", "D", "t"},
        TextCase{"SecondEqualsBelongsToTheValue", Odd, "Sec", "k8", "D", "a=b"},
        TextCase{"MixedQuotesKept", Odd, "Sec", "k9", "D", "\"a'"},
        TextCase{"LoneQuoteKept", Odd, "Sec", "k10", "D", "\""},
        TextCase{"EmptyQuotesGiveEmpty", Odd, "Sec", "k11", "D", ""},
        TextCase{"OnlyTheOuterQuotesGo", Odd, "Sec", "k12", "D", "a\"b"},
        TextCase{"VerticalTabAndFormFeedAreBlanks", Odd, "Sec", "k13", "D", "4"},
        TextCase{"MissingKey", Odd, "Sec", "missing", "D", "D"},
        TextCase{"MissingSection", Odd, "Other", "k1", "D", "D"},
        TextCase{"BracketsAreNotPartOfTheQuery", Odd, "[Sec]", "k1", "D", "D"},
        TextCase{"DefaultLosesTrailingBlanks", Odd, "Sec", "missing", "trail  ", "trail"},
        TextCase{"DefaultKeepsLeadingBlanks", Odd, "Sec", "missing", "  lead", "  lead"},
        TextCase{"DefaultLosesItsQuotes", Odd, "Sec", "missing", "'q'", "q"},
        TextCase{"KeysBeforeAnySection", "top=1\r\n[A]\r\nx=1\r\n[B]\r\ny=2", "", "top", "D", "1"},
        TextCase{"LastLineWithoutLineEnd", "top=1\r\n[A]\r\nx=1\r\n[B]\r\ny=2", "B", "y", "D", "2"},
        TextCase{"LineFeedsOnly", "[A]\nx=1\ny=2\n", "A", "y", "D", "2"},
        TextCase{"LoneCarriageReturnEndsALine", "[B]\r\nc=1\rd=2\r\n", "B", "d", "D", "2"},
        TextCase{"FirstOfTwoEqualKeys", "[A]\nx=1\nx=2\n", "A", "x", "D", "1"},
        TextCase{"OnlyTheFirstOfTwoEqualSections", "[A]\nx=1\n[a]\ny=4\n", "A", "y", "D", "D"},
        TextCase{"BareNameHidesALaterValue", "[A]\r\nk\r\nk=1\r\n", "A", "k", "D", "D"},
        TextCase{"SectionNameEndsAtTheLastBracket", "[A]b]\r\nx=1\r\n", "A]b", "x", "D", "1"},
        TextCase{"TextAfterTheBracketIgnored", "[A] junk\r\nx=1\r\n", "A", "x", "D", "1"},
        TextCase{"UnclosedBracketIsAKey", "[A]\r\n[open\r\nb=2\r\n", "A", "b", "D", "2"},
        TextCase{"SubstituteByteIsText", "[B]\r\nf=3\x1ag=4\r\n", "B", "f", "D", "3\x1ag=4"},
        TextCase{"NulEndsTheValue", std::string("[A]\r\nx=1\0z\r\ny=2\r\n", 17), "A", "x", "D", "1"},
        TextCase{"IdeographicSpaceIsNoBlank", "[A]\r\na=\x81\x40x\x81\x40\r\n", "A", "a", "D", "\x81\x40x\x81\x40"},
        TextCase{"DoubleByteNamesAreNotFolded", "[\x83\x41]\r\nx=1\r\n[\x83\x61]\r\nx=2\r\n", "\x83\x61", "x", "D",
                 "2"},
        TextCase{"BracketAsSecondByte", "[\x83\x5D]\r\ny=3\r\n", "\x83\x5D", "y", "D", "3"},
        TextCase{"EmptyFile", "", "A", "x", "D", "D"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(ProfileRead, MissingFileGivesTheDefault)
{
    TempFolder folder;
    EXPECT_EQ(ReadProfileText(folder / "none.ini", "A", "x", "D"), "D");
    EXPECT_EQ(ReadProfileText(folder / "none.ini", "A", "x", ""), "");
    EXPECT_EQ(ReadProfileInteger(folder / "none.ini", "A", "x", 5), 5);
}

TEST(ProfileRead, CutsLongValuesWithoutSplittingACharacter)
{
    TempFolder folder;
    const std::string head = "[A]\r\nv=";
    WriteBytes(folder / "p.ini", head + std::string(5000, 'a') + "\r\n");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "v", ""), std::string(4095, 'a'));

    WriteBytes(folder / "p.ini", head + std::string(4093, 'a') + "\x82\xa0zz\r\n");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "v", ""), std::string(4093, 'a') + "\x82\xa0");

    WriteBytes(folder / "p.ini", head + std::string(4094, 'a') + "\x82\xa0zz\r\n");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "v", ""), std::string(4094, 'a'));

    WriteBytes(folder / "p.ini", head + "abcdef\r\n");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "v", "", 3), "abc");
    WriteBytes(folder / "p.ini", head + "\"abcdef\"\r\n");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "v", "", 3), "abc");
    WriteBytes(folder / "p.ini", head + "\"" + std::string(5000, 'a') + "\"\r\n");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "v", ""), std::string(4095, 'a'));
}

std::string KeyNumber(std::size_t i)
{
    return std::string("k").append(std::to_string(i));
}

struct IntegerCase {
    const char* value;
    int expected;
};

TEST(ProfileRead, IntegersFromTheLeadingNumber)
{
    const IntegerCase cases[] = {
        {"12abc", 12}, {"on", 0},    {"-5", -5},     {"  7", 7},      {"0x10", 16},   {"", 99},
        {"+3", 3},     {"\"9\"", 9}, {"0X1f", 0},    {"-0x10", -16},  {"0xFF", 255},  {"0b1", 1},
        {"0o7", 7},    {"0b2", 0},   {"- 2", 0},     {"--1", 0},      {"1e3", 1},     {"007", 7},
        {"1 2", 1},    {"\"\"", 99}, {"4294967297", 1}, {"2147483648", INT_MIN},     {"0xffffffff", -1},
        {"-2147483649", INT_MAX},    {"1234567890123456789012345678901234", 1849262357},
    };
    TempFolder folder;
    std::string file = "[I]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        file.append(KeyNumber(i)).append("=").append(cases[i].value).append("\r\n");
    file += "bare\r\n";
    WriteBytes(folder / "p.ini", file);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ReadProfileInteger(folder / "p.ini", "I", KeyNumber(i), 99), cases[i].expected)
            << cases[i].value;
    EXPECT_EQ(ReadProfileInteger(folder / "p.ini", "i", "BARE", 99), 99);
    EXPECT_EQ(ReadProfileInteger(folder / "p.ini", "I", "missing", -7), -7);
}

struct WriteStep {
    const char* section;
    const char* key;
    const char* value;
    const char* file;
};

void ExpectWrites(const std::string& path, std::initializer_list<WriteStep> steps)
{
    for (const WriteStep& step : steps) {
        EXPECT_TRUE(WriteProfileText(path, step.section, step.key, step.value)) << step.key;
        EXPECT_EQ(ReadBytes(path), step.file) << "after " << step.section << "/" << step.key;
    }
}

TEST(ProfileWrite, SectionsAndKeysAreAppendedAndValuesReplacedInPlace)
{
    TempFolder folder;
    ExpectWrites(
        folder / "p.ini",
        {
            {"MAIN", "Find", "abc", "[MAIN]\r\nFind=abc\r\n"},
            {"MAIN", "Replace", "", "[MAIN]\r\nFind=abc\r\nReplace=\r\n"},
            {"SETTING", "Editor", "notepad.exe", "[MAIN]\r\nFind=abc\r\nReplace=\r\n[SETTING]\r\nEditor=notepad.exe\r\n"},
            {"main", "FIND", "x y", "[MAIN]\r\nFind=x y\r\nReplace=\r\n[SETTING]\r\nEditor=notepad.exe\r\n"},
            {"Main", "New", "1", "[MAIN]\r\nFind=x y\r\nReplace=\r\nNew=1\r\n[SETTING]\r\nEditor=notepad.exe\r\n"},
            {"SETTING", "Editor", "", "[MAIN]\r\nFind=x y\r\nReplace=\r\nNew=1\r\n[SETTING]\r\nEditor=\r\n"},
        });
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "SETTING", "Editor", "D"), "");
}

// The file keeps trailing blanks of a value until the next change rewrites it.
TEST(ProfileWrite, ValueLosesLeadingBlanksOnlyAndReadsBackTrimmed)
{
    TempFolder folder;
    ExpectWrites(folder / "p.ini", {
                                       {"A", "v", "  padded  ", "[A]\r\nv=padded  \r\n"},
                                       {"A", "q", "\"quoted\"", "[A]\r\nv=padded\r\nq=\"quoted\"\r\n"},
                                       {"A", "t", "\t x \t", "[A]\r\nv=padded\r\nq=\"quoted\"\r\nt=x \t\r\n"},
                                   });
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "v", "D"), "padded");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "q", "D"), "quoted");
    EXPECT_EQ(ReadProfileText(folder / "p.ini", "A", "t", "D"), "x");
}

TEST(ProfileWrite, AChangeRewritesAHandWrittenFileInTheSystemsForm)
{
    const std::string handWritten = "; comment line\r\n  [ Sec ]  \r\n  k1 =  v1  \r\nnoequals\r\n\r\n \t \r\n"
                                    "[Other]\r\nz=1";
    const struct {
        const char* section;
        const char* key;
        const char* value;
        const char* file;
    } cases[] = {
        {"Sec", "k1", "new", "; comment line\r\n[Sec]\r\nk1=new\r\nnoequals\r\n[Other]\r\nz=1\r\n"},
        {"Other", "z2", "2", "; comment line\r\n[Sec]\r\nk1=v1\r\nnoequals\r\n[Other]\r\nz=1\r\nz2=2\r\n"},
        {"Sec", "k9", "9", "; comment line\r\n[Sec]\r\nk1=v1\r\nnoequals\r\nk9=9\r\n[Other]\r\nz=1\r\n"},
        {"Third", "t", "3", "; comment line\r\n[Sec]\r\nk1=v1\r\nnoequals\r\n[Other]\r\nz=1\r\n[Third]\r\nt=3\r\n"},
        {"sec", "NOEQUALS", "x", "; comment line\r\n[Sec]\r\nk1=v1\r\nnoequals=x\r\n[Other]\r\nz=1\r\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder / "p.ini", handWritten);
        EXPECT_TRUE(WriteProfileText(folder / "p.ini", c.section, c.key, c.value));
        EXPECT_EQ(ReadBytes(folder / "p.ini"), c.file) << c.key;
    }
}

TEST(ProfileWrite, WritingTheStoredValueAgainChangesNothing)
{
    TempFolder folder;
    WriteBytes(folder / "p.ini", "[A]\r\n  x = 1 \r\ny=abc");
    EXPECT_TRUE(WriteProfileText(folder / "p.ini", "a", "X", "1"));
    EXPECT_TRUE(WriteProfileText(folder / "p.ini", "A", "y", "  abc"));
    EXPECT_EQ(ReadBytes(folder / "p.ini"), "[A]\r\n  x = 1 \r\ny=abc");
    EXPECT_TRUE(WriteProfileText(folder / "p.ini", "A", "y", "ABC"));
    EXPECT_EQ(ReadBytes(folder / "p.ini"), "[A]\r\nx=1\r\ny=ABC\r\n");
}

TEST(ProfileWrite, KeepsLineOrderDuplicatesAndKeysBeforeAnySection)
{
    const struct {
        const char* before;
        const char* section;
        const char* key;
        const char* after;
    } cases[] = {
        {"[A]\nx=1\ny=2\n", "A", "x", "[A]\r\nx=v\r\ny=2\r\n"},
        {"top=1\r\n[A]\r\nx=1\r\n", "A", "y", "top=1\r\n[A]\r\nx=1\r\ny=v\r\n"},
        {"top=1\r\n[A]\r\nx=1\r\n", "", "top", "top=v\r\n[A]\r\nx=1\r\n"},
        {"[A]\r\nx=1\r\n", "", "top", "top=v\r\n[A]\r\nx=1\r\n"},
        {"[A]\r\nx=1\r\nx=2\r\n[B]\r\n[a]\r\nx=3\r\n", "A", "x", "[A]\r\nx=v\r\nx=2\r\n[B]\r\n[a]\r\nx=3\r\n"},
        {"[A]\r\nk\r\nk=1\r\n", "A", "k", "[A]\r\nk=v\r\nk=1\r\n"},
        {"[A]\r\nx=1\r\n\r\n[B]\r\ny=1\r\n", "A", "z", "[A]\r\nx=1\r\nz=v\r\n[B]\r\ny=1\r\n"},
        {"[A]\r\r\nx=1\n\ry=2\r", "A", "z", "[A]\r\nx=1\r\ny=2\r\nz=v\r\n"},
        {"\r\n\r\n", "A", "x", "[A]\r\nx=v\r\n"},
        {"", "A", "x", "[A]\r\nx=v\r\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteBytes(folder / "p.ini", c.before);
        EXPECT_TRUE(WriteProfileText(folder / "p.ini", c.section, c.key, "v"));
        EXPECT_EQ(ReadBytes(folder / "p.ini"), c.after) << c.before;
    }
}

TEST(ProfileWrite, FailsWithoutTouchingAnythingWhenTheFileCannotBeWritten)
{
    TempFolder folder;
    MakeFolder(folder / "sub.ini");
    EXPECT_FALSE(WriteProfileText(folder / "sub.ini", "A", "x", "1"));
    EXPECT_TRUE(IsFolder(folder / "sub.ini"));
    const std::string missing = folder / (std::string("missing") + PathSeparator + "p.ini");
    EXPECT_FALSE(WriteProfileText(missing, "A", "x", "1"));
    EXPECT_FALSE(FileExists(missing));
}

}  // namespace

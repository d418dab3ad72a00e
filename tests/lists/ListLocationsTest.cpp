#include "lists/ListLocations.h"

#include <gtest/gtest.h>

#include "platform/PathRules.h"
#include "platform/ProgramDirectory.h"

namespace {

TEST(ListLocations, AbsolutePaths)
{
    const struct {
        const char* path;
        bool absolute;
    } cases[] = {
#ifdef _WIN32
        {"C:\\lists\\a.lst", true}, {"z:\\a.lst", true},   {"\\\\server\\share\\a.lst", true},
        {"\\a.lst", false},         {"C:a.lst", false},    {"C:/a.lst", false},
        {"1:\\a.lst", false},       {"/a.lst", false},     {"a.lst", false},
        {"\\", false},              {"", false},           {"\x82\x60:\\a", false},
#else
        {"/lists/a.lst", true}, {"//a", true}, {"a.lst", false}, {"./a.lst", false}, {"", false},
        {"C:\\a.lst", false},   {"\\\\server\\a", false},
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::IsAbsolutePath(c.path), c.absolute) << c.path;
}

TEST(ListLocations, RelativeNamesStandBehindTheProgramDirectory)
{
    const std::string programDirectory = platform::GetProgramDirectory();
    ASSERT_FALSE(programDirectory.empty());
    EXPECT_EQ(ResolveListPath("my.lst"), programDirectory + "my.lst");
    EXPECT_EQ(ResolveListPath(""), programDirectory);
    EXPECT_EQ(ResolveListPath(programDirectory + "x.lst"), programDirectory + "x.lst");
    EXPECT_EQ(DefaultReplaceListPath(), programDirectory + "replace.lst");
    EXPECT_EQ(HistoryFilePath(), programDirectory + "$History.lst");
}

}  // namespace

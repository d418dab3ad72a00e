#include "engine/regex/BregexpLibrary.h"

#include <gtest/gtest.h>

#include "platform/ProgramDirectory.h"

namespace {

std::string Fixture(const char* name)
{
#ifdef _WIN32
    return platform::GetProgramDirectory() + name + ".dll";
#else
    return platform::GetProgramDirectory() + "lib" + name + ".so";
#endif
}

}  // namespace

TEST(BregexpLibrary, LoadsAllThreeEntryPoints)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load(Fixture("regex_entry_points")));
    EXPECT_TRUE(library.IsLoaded());
    ASSERT_NE(library.BMatch, nullptr);
    ASSERT_NE(library.BSubst, nullptr);
    ASSERT_NE(library.BRegfree, nullptr);
    EXPECT_EQ(library.BMatch("/a/", "", "", nullptr, nullptr), 7);
    EXPECT_EQ(library.BSubst("s/a/b/g", "", "", nullptr, nullptr), 8);
    library.Free();
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.BMatch, nullptr);
}

TEST(BregexpLibrary, AMissingEntryPointCountsAsNotLoaded)
{
    BregexpLibrary library;
    EXPECT_FALSE(library.Load(Fixture("regex_two_entry_points")));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.BMatch, nullptr);
    EXPECT_EQ(library.BSubst, nullptr);
}

TEST(BregexpLibrary, AMissingLibraryCountsAsNotLoaded)
{
    BregexpLibrary library;
    EXPECT_FALSE(library.Load(Fixture("no_such_library")));
    EXPECT_FALSE(library.IsLoaded());
}

TEST(BregexpLibrary, LooksBesideTheProgram)
{
#ifdef _WIN32
    EXPECT_EQ(BregexpLibrary::DefaultPath(), "bregexp.dll");
#else
    EXPECT_EQ(BregexpLibrary::DefaultPath(), platform::GetProgramDirectory() + "libbregexp.so");
#endif
}

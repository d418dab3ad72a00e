#include <gtest/gtest.h>

#include "engine/regex/BregexpLibrary.h"
#include "tests/bregexp/RegexSession.h"

namespace {

EntryPoints EntryPointsOf(const BregexpLibrary& library)
{
    return {library.BMatch, library.BSubst, library.BRegfree};
}

}  // namespace

// The library the program loads, from beside the test program as beside the program.
TEST(LoadedLibrary, ExportsTheThreeEntryPoints)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();

    {
        RegexSession session("abcdebxd", EntryPointsOf(library));
        std::string rebuilt;
        std::size_t pos = 0;
        while (session.Match("/b(.)d/", pos) == 1) {
            const RegexHandle* handle = session.Handle();
            rebuilt.append(session.Text().data() + pos, handle->GroupStarts[0] - (session.Text().data() + pos));
            rebuilt.append(1, '[').append(*session.Group(1)).append(1, ']');
            pos = handle->GroupEnds[0] - session.Text().data();
        }
        rebuilt.append(session.Text(), pos);
        EXPECT_EQ(rebuilt, "a[c]e[x]");
    }
    {
        RegexSession session("abcdebxd", EntryPointsOf(library));
        ASSERT_EQ(session.Subst("s/b(.)d/[$1]/g"), 2);
        EXPECT_EQ(session.Output(), "a[c]e[x]");
        EXPECT_EQ(session.Subst("s/\x83\x41/x/gk"), 0);
        EXPECT_LT(session.Subst("s/(/x/g"), 0);
        EXPECT_EQ(session.Handle(), nullptr);
    }
}

// Our library's own addition is found where the program looks for it.
TEST(LoadedLibrary, ExportsBSetOutput)
{
    BregexpLibrary library;
    ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
    ASSERT_NE(library.BSetOutput, nullptr);
    RegexSession session("abc", EntryPointsOf(library));
    std::string handedOver;
    const BOutputFunction receiver = [](void* context, const char* data, std::size_t size) {
        static_cast<std::string*>(context)->append(data, size);
        return 1;
    };
    ASSERT_EQ(library.BSetOutput(session.HandleVariable(), receiver, &handedOver), 0);
    EXPECT_EQ(session.Subst("s/b/xy/g"), 1);
    EXPECT_EQ(handedOver, "axyc");
}

// The program may free the library and load it again; each load starts afresh.
TEST(LoadedLibrary, WorksAgainAfterBeingFreed)
{
    for (int load = 0; load < 3; ++load) {
        BregexpLibrary library;
        ASSERT_TRUE(library.Load()) << BregexpLibrary::DefaultPath();
        RegexSession session("\x83\x41" "A", EntryPointsOf(library));
        ASSERT_EQ(session.Subst("s/A/x/gk"), 1) << load;
        EXPECT_EQ(session.Output(), "\x83\x41x");
    }
}

// Names as the system gives them, in code page 932 with the characters it lacks escaped,
// and back: every name the system holds comes back as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/FileSystem.h"
#include "platform/StateLocation.h"
#include "platform/UndoFiles.h"
#include "platform/win32/WideText.h"
#include "tests/support/TestFiles.h"

namespace {

using platform::NameFromSystem;
using platform::WidePath;

TEST(SystemName, AnEscapedNameNamesTheFileAndATextOfThatFormStaysAsItIs)
{
    // café, 한국 and 𠮷野家 (beyond the first plane, a pair of halves in UTF-16).
    for (const std::wstring name : {L"C:\\caf\u00E9.html", L"\uD55C\uAD6D.txt", L"\U00020BB7\u91CE\u5BB6.txt"}) {
        const platform::SystemName passed = NameFromSystem(name);
        EXPECT_FALSE(passed.Exact);
        EXPECT_TRUE(passed.Named);
        EXPECT_EQ(WidePath(passed.Text), name);
    }
    EXPECT_EQ(NameFromSystem(L"\U00020BB7\u91CE.txt").Text, "<U+20BB7>\x96\xEC.txt");
    const platform::SystemName plain = NameFromSystem(L"\u8868.txt");
    EXPECT_TRUE(plain.Exact);
    EXPECT_EQ(plain.Text, "\x95\x5C.txt");
    // Not escapes: too few digits, a half of a pair, beyond the last character, no end,
    // nor ASCII, which would change what the path says (a folder, its end).
    for (const std::string text : {"<U+12>", "<U+D800>", "<U+110000>", "<U+00E9", "<u+00E9>", "a<U+005C>b", "a<U+0000>b"})
        EXPECT_EQ(WidePath(text), std::wstring(text.begin(), text.end())) << text;
    // A name whose halves of a pair are not matched cannot be escaped back, nor one that
    // writes an escape's form by itself.
    EXPECT_FALSE(NameFromSystem(std::wstring(1, static_cast<wchar_t>(0xD800)) + L".txt").NamesTheFile());
    const platform::SystemName literal = NameFromSystem(L"<U+00E9>.txt");
    EXPECT_TRUE(literal.Exact);
    EXPECT_FALSE(literal.NamesTheFile());
}

// Random names of characters of every kind go through and back; the seed of a name that
// does not is printed.
TEST(SystemName, RandomNamesComeBackAsTheyWere)
{
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const wchar_t pool[] = {L'a', L'<', L'>', L'U', L'+', L'0', L'\\', L'\u00E9', L'\u8868', L'\uFF76', L'\uD55C',
                            L'\u301C', L'\uFF5E', L'\u2016', L'\u00A5'};
    for (int round = 0; round < 2000; ++round) {
        std::wstring name;
        const int length = std::uniform_int_distribution<int>(1, 12)(random);
        for (int i = 0; i < length; ++i) {
            if (random() % 8 == 0)
                name += L"\U00020BB7";
            else
                name += pool[random() % std::size(pool)];
        }
        const platform::SystemName passed = NameFromSystem(name);
        if (passed.NamesTheFile())
            ASSERT_EQ(WidePath(passed.Text), name) << "seed " << seed << ", round " << round;
        // Only a name that writes an escape's own form by itself may fail to pass.
        else
            ASSERT_NE(name.find(L"<U+"), std::wstring::npos) << "seed " << seed << ", round " << round;
    }
}

}  // namespace

// A user whose name code page 932 cannot hold (José) keeps the runs for undo in that very
// folder, not in a look-alike of it: the folder is named through the escape and made there.
TEST(SystemName, TheRunsForUndoLieInTheUsersOwnFolder)
{
    TempFolder folder;
    const std::wstring user = platform::Wide(folder.Path()) + L"\\Jos\u00E9";
    ASSERT_TRUE(::CreateDirectoryW(user.c_str(), nullptr));
    wchar_t kept[MAX_PATH * 2];
    const DWORD keptLength = ::GetEnvironmentVariableW(L"LOCALAPPDATA", kept, MAX_PATH * 2);
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", user.c_str()));
    const std::string runs = platform::UndoRunsFolder();
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", keptLength ? kept : nullptr);
    EXPECT_EQ(runs, folder / "Jos<U+00E9>\\Tarvelox\\runs");
    ASSERT_TRUE(platform::MakeFolders(runs));
    EXPECT_NE(::GetFileAttributesW((user + L"\\Tarvelox\\runs").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(platform::PathExists(folder / "Jose"));
}

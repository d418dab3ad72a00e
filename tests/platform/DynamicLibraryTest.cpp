#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

using namespace platform;

#ifdef _WIN32
constexpr const char* SystemLibrary = "kernel32.dll";
constexpr const char* SystemSymbol = "GetTickCount";
#else
constexpr const char* SystemLibrary = "libc.so.6";
constexpr const char* SystemSymbol = "strlen";
#endif

TEST(DynamicLibrary, LoadsFindsAndFrees)
{
    LibraryHandle library = LoadDynamicLibrary(SystemLibrary);
    ASSERT_NE(library, nullptr);
    EXPECT_NE(FindLibrarySymbol(library, SystemSymbol), nullptr);
    EXPECT_EQ(FindLibrarySymbol(library, "NoSuchSymbolAnywhere"), nullptr);
    FreeDynamicLibrary(library);
}

TEST(DynamicLibrary, AMissingLibraryGivesNoHandle)
{
    EXPECT_EQ(LoadDynamicLibrary("no-such-library-anywhere.dll"), nullptr);
    EXPECT_EQ(FindLibrarySymbol(nullptr, SystemSymbol), nullptr);
    FreeDynamicLibrary(nullptr);
}

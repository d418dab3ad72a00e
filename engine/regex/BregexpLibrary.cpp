#include "engine/regex/BregexpLibrary.h"

BregexpLibrary::~BregexpLibrary()
{
    Free();
}

std::string BregexpLibrary::DefaultPath()
{
    return platform::ProgramLibraryPath("bregexp");
}

bool BregexpLibrary::Load()
{
    return Load(DefaultPath());
}

bool BregexpLibrary::Load(const std::string& path)
{
    Free();
    library_ = platform::LoadDynamicLibrary(path);
    if (!library_)
        return false;
    BMatch = reinterpret_cast<BMatchFunction>(platform::FindLibrarySymbol(library_, "BMatch"));
    BSubst = reinterpret_cast<BSubstFunction>(platform::FindLibrarySymbol(library_, "BSubst"));
    BRegfree = reinterpret_cast<BRegfreeFunction>(platform::FindLibrarySymbol(library_, "BRegfree"));
    if (!BMatch || !BSubst || !BRegfree) {
        Free();
        return false;
    }
    BSetOutput = reinterpret_cast<BSetOutputFunction>(platform::FindLibrarySymbol(library_, "BSetOutput"));
    BMatchEach = reinterpret_cast<BMatchEachFunction>(platform::FindLibrarySymbol(library_, "BMatchEach"));
    return true;
}

void BregexpLibrary::Free()
{
    platform::FreeDynamicLibrary(library_);
    library_ = nullptr;
    BMatch = nullptr;
    BSubst = nullptr;
    BRegfree = nullptr;
    BSetOutput = nullptr;
    BMatchEach = nullptr;
}

std::string BregexpLibrary::OnigurumaVersion() const
{
    if (!library_)
        return std::string();
    // Found among the libraries the loaded one depends on.
    using VersionFunction = const char* (*)();
    const auto version = reinterpret_cast<VersionFunction>(platform::FindLibrarySymbol(library_, "onig_version"));
    const char* text = version ? version() : nullptr;
    return text ? text : std::string();
}

// regex/: the regular-expression matcher: the library loaded at run time and the rewrite of a text through it.
#pragma once
#include <string>

#include "engine/regex/BregexpApi.h"
#include "platform/DynamicLibrary.h"

// The regular-expression library, loaded at run time with all three entry points or not
// at all; the program works for literal patterns without it. Our own library's additions
// BSetOutput and BMatchEach are used where they are there.
class BregexpLibrary {
public:
    BregexpLibrary() = default;
    BregexpLibrary(const BregexpLibrary&) = delete;
    BregexpLibrary& operator=(const BregexpLibrary&) = delete;
    ~BregexpLibrary();

    // Loads the library beside the program.
    bool Load();
    bool Load(const std::string& path);
    void Free();
    bool IsLoaded() const { return library_ != nullptr; }

    BMatchFunction BMatch = nullptr;
    BSubstFunction BSubst = nullptr;
    BRegfreeFunction BRegfree = nullptr;
    // Null with a library that does not offer it; the library still counts as loaded.
    BSetOutputFunction BSetOutput = nullptr;
    BMatchEachFunction BMatchEach = nullptr;

    // The version of the Oniguruma the loaded library runs on, when the library links it
    // as a shared library of its own (natively); empty otherwise.
    std::string OnigurumaVersion() const;

    // "bregexp.dll" beside the program, or the platform's equivalent.
    static std::string DefaultPath();

private:
    platform::LibraryHandle library_ = nullptr;
};

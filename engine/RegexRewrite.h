#pragma once
#include <cstddef>
#include <string>

#include "engine/AbortFlag.h"
#include "engine/BregexpApi.h"
#include "engine/EncodedPattern.h"
#include "engine/FileResult.h"
#include "engine/ReplacePattern.h"

class BregexpLibrary;

// Applies a regular-expression pattern to one text in memory through the loaded library,
// which compiles the expression once into the handle this object keeps and releases.
// Substitution is done either by the library with its own replacement syntax in one call,
// or here, one search at a time, with the program's own replacement template.
class RegexRewrite {
public:
    explicit RegexRewrite(const BregexpLibrary& library) : library_(library) {}
    ~RegexRewrite();
    RegexRewrite(const RegexRewrite&) = delete;
    RegexRewrite& operator=(const RegexRewrite&) = delete;

    // Returns the number of replacements, with the new text in Data() and Size() when it is
    // more than 0. RegExpER when the library rejects the expression or fails a search,
    // Cancel when the run is aborted, MemLack when memory runs out; the new text is then
    // of no use. Call once per object.
    FileResult Apply(const AbortFlag& abort, const char* text, std::size_t size, const ReplacePattern& pattern,
                     bool librarySubstitutes);
    // The same with a pattern made ready for the text's encoding; EncodeER when a match
    // needs a replacement the encoding cannot hold.
    FileResult Apply(const AbortFlag& abort, const char* text, std::size_t size, const EncodedPattern& pattern,
                     bool librarySubstitutes);

    const char* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    // The new text as a string of its own; the one built here is handed over, not copied.
    std::string TakeText();

private:
    FileResult SubstituteInLibrary(const AbortFlag& abort, const char* text, const char* end,
                                   const EncodedPattern& pattern);
    FileResult SubstituteMatches(const AbortFlag& abort, const char* text, const char* end,
                                 const EncodedPattern& pattern);
    // EncodeER when the expression matches, 0 when it does not.
    FileResult RefuseIfMatched(const char* text, const char* end, const EncodedPattern& pattern);

    const BregexpLibrary& library_;
    RegexHandle* handle_ = nullptr;
    char message_[RegexMessageSize] = {};
    std::string output_;  // the new text when it is built here
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

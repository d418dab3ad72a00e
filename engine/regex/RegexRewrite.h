#pragma once
#include <cstddef>
#include <string>

#include "engine/flow/AbortFlag.h"
#include "engine/regex/BregexpApi.h"
#include "engine/regex/TwoParts.h"
#include "engine/pattern/EncodedPattern.h"
#include "engine/flow/FileResult.h"
#include "engine/pattern/ReplacePattern.h"
#include "engine/flow/TextOutput.h"

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

    // Writes the new text to `out` as it is made and returns the number of replacements;
    // nothing is written when there are none. The pattern is made ready for the text's
    // encoding. RegExpER when the library rejects the expression or fails a search, Cancel
    // when the run is aborted, MemLack when memory runs out, WriteErr when `out` refused a
    // piece, EncodeER when a match needs a replacement the encoding cannot hold; what was
    // written is then of no use. Call once per object.
    FileResult Apply(const AbortFlag& abort, const char* text, std::size_t size, const EncodedPattern& pattern,
                     bool librarySubstitutes, TextOutput& out);
    // The same with the new text kept here, in Data() and Size() when there were
    // replacements.
    FileResult Apply(const AbortFlag& abort, const char* text, std::size_t size, const EncodedPattern& pattern,
                     bool librarySubstitutes);
    // A Shift-JIS text.
    FileResult Apply(const AbortFlag& abort, const char* text, std::size_t size, const ReplacePattern& pattern,
                     bool librarySubstitutes);

    // The text to be given to Apply is well-formed in its encoding as a whole, as detection
    // read it: our library need not read it for that again.
    void TakeTextAsWellFormed() { wellFormed_ = true; }
    // When a text is rewritten in two parts at once, with the program's own template
    // (TwoParts); tests have every text cut.
    void SplitWhen(const TwoPartRule& rule) { twoPartRule_ = rule; }

    const char* Data() const { return output_.data(); }
    std::size_t Size() const { return output_.size(); }
    // The new text as a string of its own; the one built here is handed over, not copied.
    std::string TakeText() { return std::move(output_); }

private:
    FileResult SubstituteInLibrary(const AbortFlag& abort, const char* text, const char* end,
                                   const EncodedPattern& pattern, TextOutput& out);
    FileResult SubstituteMatches(const AbortFlag& abort, const char* text, const char* end,
                                 const EncodedPattern& pattern, TextOutput& out);
    // EncodeER when the expression matches, 0 when it does not.
    FileResult RefuseIfMatched(const char* text, const char* end, const EncodedPattern& pattern);

    const BregexpLibrary& library_;
    RegexHandle* handle_ = nullptr;
    char message_[RegexMessageSize] = {};
    std::string output_;  // the new text when it is kept here
    bool wellFormed_ = false;
    TwoPartRule twoPartRule_;
};

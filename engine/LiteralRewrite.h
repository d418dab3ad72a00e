#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/AbortFlag.h"
#include "engine/EncodedPattern.h"
#include "engine/FileResult.h"
#include "engine/ReplacePattern.h"

// A text being rewritten: in the caller's writable buffer for as long as no replacement
// has made it longer, in storage of its own after that.
class RewrittenText {
public:
    RewrittenText(char* bytes, std::size_t size) : data_(bytes), size_(size) {}
    RewrittenText(const RewrittenText&) = delete;
    RewrittenText& operator=(const RewrittenText&) = delete;

    char* Data() { return data_; }
    std::size_t Size() const { return size_; }
    std::string_view View() const { return {data_, size_}; }
    // Keeps the first `size` bytes.
    void Truncate(std::size_t size) { size_ = size; }
    // Takes `bytes` as the whole text; `bytes` gets the storage held before.
    void TakeOver(std::string& bytes);

private:
    char* data_;
    std::size_t size_;
    std::string storage_;
};

// Applies a literal pattern to a text in memory: the escape sequences of find and replace
// are decoded unless NotEscape is set, the find text is split into alternatives at every
// 0x1A, and each alternative replaces its non-overlapping matches in the text that the one
// before it produced. Returns the number of replacements, with `text` rewritten; `text` is
// left alone when nothing was replaced. Cancel when the run is aborted and MemLack when
// memory runs out; `text` is then of no use.
FileResult RewriteLiteralText(const AbortFlag& abort, RewrittenText& text, const ReplacePattern& pattern);

// The same with a pattern made ready for the text's encoding: matches are whole characters
// of it, and EncodeER, with `text` of no use, when a match needs a replacement the encoding
// cannot hold.
FileResult RewriteEncodedLiterally(const AbortFlag& abort, RewrittenText& text, const EncodedPattern& pattern);

// The same for the whole text of a file, with the file's rules: an empty text has nothing
// to replace, and one holding a NUL byte is no text (NoText).
FileResult RewriteFileTextLiterally(const AbortFlag& abort, RewrittenText& text, const EncodedPattern& pattern);

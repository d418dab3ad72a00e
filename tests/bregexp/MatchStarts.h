#pragma once
// Where Oniguruma finds a match to begin, asked position by position, with the options the
// library compiles with. Apart from the tests, because oniguruma.h and the C library's
// regex.h, which GoogleTest includes, declare the same structure.
#include <cstddef>
#include <string>
#include <vector>

#include "bregexp/RegexCommand.h"

class MatchStarts {
public:
    MatchStarts(const std::string& expression, const bregexp::Modifiers& modifiers);
    ~MatchStarts();
    MatchStarts(const MatchStarts&) = delete;
    MatchStarts& operator=(const MatchStarts&) = delete;

    bool Compiled() const { return regex_ != nullptr; }
    // The offsets in `text` (character starts under k, the end included) where a match begins.
    std::vector<std::size_t> In(const std::string& text) const;

private:
    void* regex_ = nullptr;
    void* region_ = nullptr;
    bool kanji_;
};

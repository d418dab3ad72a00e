#pragma once
// Which lines of a text a rewrite changed: a shortest edit script between the lines before
// and after (Myers' algorithm in linear space). Lines end at LF, which belongs to the line,
// so that a line of a double-byte text is always whole (no second byte is an LF).
#include <cstddef>
#include <string_view>
#include <vector>

// The text cut into lines, each with its LF; a last line without one is a line too.
std::vector<std::string_view> SplitLines(std::string_view text);

struct LineChanges {
    std::vector<bool> Deleted;   // per line before
    std::vector<bool> Inserted;  // per line after
};

// Marks the fewest lines deleted and inserted that turn `before` into `after`.
LineChanges CompareLines(const std::vector<std::string_view>& before, const std::vector<std::string_view>& after);

#pragma once
#include <cstddef>
#include <string_view>

// The well-formed check of the Shift-JIS rule (CharacterRule::WellFormedUntil), made
// without walking the text character by character: whether a byte begins a character or
// ends one follows from the run of first-byte-range bytes right before it, and only the
// few bytes that are wrong in one of the two places need that run counted.
std::size_t ShiftJisWellFormedUntil(std::string_view text, std::size_t from, std::size_t until);

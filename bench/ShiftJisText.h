#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Realistic Shift-JIS text for benchmarks, the same on every run: lines of kanji, kana and
// ASCII words, each ending in CR LF.
struct ShiftJisText {
    std::string Bytes;
    std::size_t Planted = 0;  // how many times the planted pattern was put in
};

// About `size` bytes (never less). With a non-empty `planted`, that text is put in at a
// character start whenever another `interval` bytes have been written; the words used never
// contain the letter Q, the characters 鬱, 都, 庁 or ラ, nor the byte '#'.
ShiftJisText MakeShiftJisText(std::size_t size, std::string_view planted = {}, std::size_t interval = 0);

// The text of MakeShiftJisText(64 MiB, planted, interval), made once and kept for the whole
// run: building it takes longer than a pass over it.
const ShiftJisText& SharedShiftJisText(const std::string& planted, std::size_t interval);

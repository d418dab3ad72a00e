#pragma once
#include <cstdint>

// How unlikely each character of a reading is in real text, in quarter bits, with the class
// it belongs to: each entry is class << 8 | cost. Derived from real text by
// scripts/derive-character-costs; a character costs the transition from the class before
// it (Ascii after seven-bit text or at the start) plus its own cost.
namespace costs {

enum Class : std::uint8_t { Ascii, Hiragana, Katakana, HalfWidth, Kanji, Symbol, Rare, Letter, ClassCount };

constexpr unsigned ClassOf(std::uint16_t entry) { return entry >> 8; }
constexpr unsigned CostOf(std::uint16_t entry) { return entry & 0xFF; }

// Transitions between classes of Japanese text (for Shift-JIS and EUC-JP) and of European
// text (for UTF-8 without a character beyond two bytes), by the class before.
extern const std::uint8_t JapaneseTransitions[ClassCount][ClassCount];
extern const std::uint8_t EuropeanTransitions[ClassCount][ClassCount];

// Shift-JIS double-byte characters: leads 0x81-0x9F and 0xE0-0xFC in turn, 189 trails
// 0x40-0xFC each.
extern const std::uint16_t ShiftJis[60 * 189];
// EUC-JP: two bytes 0xA1-0xFE each, and the same after 0x8F (JIS X 0212 and the rest).
extern const std::uint16_t EucJp[94 * 94];
extern const std::uint16_t EucJpSupplement[94 * 94];
// Half-width katakana 0xA1-0xDF (Shift-JIS alone, EUC-JP after 0x8E).
extern const std::uint16_t HalfWidthKatakana[63];
// A half-width katakana right after another, in place of its own cost: 63 by the first,
// 63 by the second.
extern const std::uint8_t HalfWidthPairs[63 * 63];
// UTF-8 characters U+0080-U+07FF.
extern const std::uint16_t TwoByteUtf8[0x780];

}  // namespace costs

#pragma once
// Which controls of the pattern edit dialog take input for a pattern being entered.

struct PatternEditEnables {
    bool Texts = false;              // the find and replace boxes
    bool LiteralOptions = false;     // no escape sequences, not case
    bool RegularExpression = false;  // the regular-expression box
    bool Modifiers = false;          // k, m and i
    bool operator==(const PatternEditEnables&) const = default;
};

// A pattern that can be entered: the literal options for a literal pattern, the modifiers
// for a regular expression, and neither kind of regular expression without the library
// (whose pattern then keeps its literal options usable). Boxes that go disabled keep their
// check marks; the option letters leave out what does not apply.
PatternEditEnables EditablePatternEnables(bool regularExpression, bool libraryLoaded);

// Nothing to edit: every control disabled.
inline constexpr PatternEditEnables NoPatternEnables{};

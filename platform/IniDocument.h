#pragma once
// A profile file in memory, parsed and written out again as the Win32 profile functions
// do it: CR and LF both end a line; blank lines are dropped; "[name]" (up to the last
// "]") starts a section; other lines are keys, "name=value" or a bare name; names and
// values lose their surrounding blanks and end at a NUL byte. Keys above the first section
// line belong to a nameless section that has no line of its own.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument {
public:
    explicit IniDocument(std::string_view text);

    // The stored value of the first `key` in the first `section`, names matched without
    // regard to ASCII case and surrounding blanks; null when missing or when that key's
    // line has no "=".
    const std::string* Find(std::string_view section, std::string_view key) const;
    // Gives the key the value, appending a missing section at the end and a missing key at
    // the end of its section; false when the stored value already was this one.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // The whole document, every line ending with CR LF.
    std::string Text() const;

private:
    struct Key {
        std::string Name;
        std::optional<std::string> Value;
    };
    struct Section {
        std::string Name;
        std::vector<Key> Keys;
    };

    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    void AddLine(std::string_view line);
    std::size_t SectionIndex(std::string_view name) const;
    static std::size_t KeyIndex(const Section& section, std::string_view name);

    std::vector<Section> sections_;
};

}  // namespace platform

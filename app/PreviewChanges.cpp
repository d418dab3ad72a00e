#include "app/PreviewChanges.h"

#include <cstdio>
#include <optional>

#include "app/UnifiedDiff.h"
#include "engine/text/CharacterRule.h"
#include "engine/text/PatternConversion.h"
#include "platform/TextConversion.h"

namespace {

// A character code page 932 lacks, readably: a UTF-8 character by its code, anything else
// (an EUC-JP character of JIS X 0212, bytes that form no character) byte by byte.
std::string Readable(std::string_view character, TextEncoding encoding)
{
    char code[16];
    if (encoding == TextEncoding::Utf8 && character.size() > 1 && Utf8Rule().IsWellFormed(character)) {
        unsigned point = static_cast<unsigned char>(character[0]) & (0x7F >> character.size());
        for (std::size_t i = 1; i < character.size(); ++i)
            point = point << 6 | (static_cast<unsigned char>(character[i]) & 0x3F);
        std::snprintf(code, sizeof code, "<U+%04X>", point);
        return code;
    }
    std::string bytes;
    for (const char byte : character) {
        std::snprintf(code, sizeof code, "<%02X>", static_cast<unsigned char>(byte));
        bytes += code;
    }
    return bytes;
}

}  // namespace

std::string ShownInShiftJis(std::string_view line, TextEncoding encoding)
{
    const std::optional<platform::CodeSet> from = CodeSetOf(encoding);
    if (!from || *from == platform::CodeSet::ShiftJis)
        return std::string(line);
    if (std::optional<std::string> whole = platform::ConvertText(line, *from, platform::CodeSet::ShiftJis))
        return *whole;
    const CharacterRule& rule = CharacterRuleOf(encoding);
    std::string shown;
    while (!line.empty()) {
        const std::string_view character = line.substr(0, rule.CharacterLength(line, 0));
        line.remove_prefix(character.size());
        if (std::optional<std::string> one = platform::ConvertText(character, *from, platform::CodeSet::ShiftJis)) {
            shown += *one;
            continue;
        }
        shown += Readable(character, encoding);
    }
    return shown;
}

void PreviewChanges::OnNewText(const std::string& path, TextEncoding encoding, std::string_view before,
                               std::string_view after)
{
    diffs_[path] = UnifiedDiff(before, after, "変更前", "変更後",
                               [encoding](std::string_view line) { return ShownInShiftJis(line, encoding); });
}

const std::string* PreviewChanges::ChangesOf(const std::string& path) const
{
    const auto found = diffs_.find(path);
    return found == diffs_.end() ? nullptr : &found->second;
}

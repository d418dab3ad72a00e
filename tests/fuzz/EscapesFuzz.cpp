// The escape sequences of literal patterns.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/pattern/EscapeSequences.h"
#include "platform/DoubleByte.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string find = DecodeFindEscapes(text);
    const std::string replace = DecodeReplaceEscapes(text);
    // Every sequence is at most as long as what it stands for, and the shield byte never
    // survives at a character start.
    FUZZ_CHECK(find.size() <= text.size() && replace.size() <= text.size());
    FUZZ_CHECK(FindCharacter(find, '\x7f') == std::string::npos);
    FUZZ_CHECK(FindCharacter(replace, '\x7f') == std::string::npos);
    // Only the find text has alternatives.
    FUZZ_CHECK(replace.find('\x1a') == std::string::npos || text.find('\x1a') != std::string::npos);
    return 0;
}

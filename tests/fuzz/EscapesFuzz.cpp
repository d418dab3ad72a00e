// The escape sequences of literal patterns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/pattern/EscapeSequences.h"
#include "platform/DoubleByte.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> alternatives = DecodeFindEscapes(text);
    const std::string replace = DecodeReplaceEscapes(text);
    // Every sequence is at most as long as what it stands for, and each \| gives one more
    // alternative.
    std::size_t decoded = 2 * (alternatives.size() - 1);
    for (const std::string& alternative : alternatives)
        decoded += alternative.size();
    FUZZ_CHECK(decoded <= text.size() && replace.size() <= text.size());
    // A byte that is no part of a sequence is itself: without backslashes nothing changes.
    if (text.find('\\') == std::string::npos)
        FUZZ_CHECK(alternatives.size() == 1 && alternatives[0] == text && replace == text);
    return 0;
}

#include "bregexp/ErrorResult.h"

#include <cstring>

#include "engine/regex/BregexpApi.h"
#include "platform/DoubleByte.h"

namespace bregexp {

void WriteMessage(char* buffer, std::string_view text)
{
    if (!buffer)
        return;
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t next = length + CharacterLength(text, length);
        if (next >= RegexMessageSize)
            break;
        length = next;
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace bregexp

#include "engine/run/ShortenPath.h"

#include <string_view>

#include "platform/DoubleByte.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::size_t KeptHead = 3;
constexpr std::size_t KeptTail = 39;
constexpr std::string_view Ellipsis = "...";

// The first character start at or after `index`, counted from the start of the text.
std::size_t CharacterStartFrom(const std::string& text, std::size_t index)
{
    std::size_t i = 0;
    while (i < index && i < text.size())
        i += CharacterLength(text, i);
    return i;
}

// The head and tail of the whole path around "...". Neither end may split a double-byte
// character, so each gives up one byte where it would.
std::string CutMiddle(const std::string& path)
{
    std::size_t head = KeptHead;
    if (!IsCharacterStart(path.data(), path.data() + head))
        --head;
    std::size_t tailStart = path.size() - KeptTail;
    if (!IsCharacterStart(path.data(), path.data() + tailStart))
        ++tailStart;
    return path.substr(0, head) + std::string(Ellipsis) + path.substr(tailStart);
}

}  // namespace

std::string ShortenPath(const std::string& path)
{
    const char separator = platform::PathSeparator;
    std::string shortened = path;
    while (shortened.size() > ShortenedPathLimit) {
        const std::size_t first = FindCharacter(shortened, separator, CharacterStartFrom(shortened, KeptHead));
        if (first == npos)
            return CutMiddle(path);
        const std::size_t next = FindCharacter(shortened, separator, first + 1);
        if (next == npos)
            return CutMiddle(path);
        if (shortened[first + 1] == '.') {
            // A dotted component (the "..." already inserted, or one like ".git") stays;
            // the component after it goes, separator included.
            const std::size_t after = FindCharacter(shortened, separator, next + 1);
            if (after == npos)
                return CutMiddle(path);
            shortened.erase(next + 1, after - next);
        } else {
            shortened.replace(first + 1, next - first - 1, Ellipsis);
        }
    }
    return shortened;
}

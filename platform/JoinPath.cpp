#include "platform/DoubleByte.h"
#include "platform/PathRules.h"
#include "platform/Folders.h"

namespace platform {

std::string JoinPath(const std::string& folder, const std::string& name)
{
    // A root such as "C:\" already ends with its separator; a 0x5C that is the second byte
    // of a character does not count.
    const bool endsWithSeparator = !folder.empty() && folder.back() == PathSeparator &&
                                   IsCharacterStart(folder.data(), folder.data() + folder.size() - 1);
    return endsWithSeparator ? folder + name : folder + PathSeparator + name;
}

std::string FolderPartOf(const std::string& path)
{
    const std::size_t separator = FindLastCharacter(path, PathSeparator);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace platform

#pragma once
// The version information a Windows executable carries in its resources.
#include <optional>
#include <string>

namespace platform {

struct VersionStrings {
    std::string ProductName;
    std::string ProductVersion;
    std::string LegalCopyright;
};

// The three values from the string table of the file's first translation; a value the
// table lacks is empty. None when the file has no version information.
std::optional<VersionStrings> ReadVersionStrings(const std::string& path);

}  // namespace platform

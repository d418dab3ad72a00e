#include "about/AboutLines.h"

AboutLines MakeAboutLines(const std::optional<platform::VersionStrings>& version)
{
    if (!version)
        return {};
    return {version->ProductName + " version " + version->ProductVersion, version->LegalCopyright};
}

std::string LinkTarget(const std::string& labelText)
{
    // Neither byte of a colon-free address can be a colon, so a byte search is enough: no
    // second byte of a double-byte character is 0x3A.
    if (labelText.find(':') != std::string::npos)
        return labelText;
    return "mailto:" + labelText;
}

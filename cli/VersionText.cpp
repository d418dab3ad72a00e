#include "cli/VersionText.h"

#include "ProductInfo.h"
#include "engine/regex/BregexpLibrary.h"

std::string VersionText(const BregexpLibrary& library, const std::string& libraryPath)
{
    std::string text = "tarvelox " TARVELOX_VERSION_TEXT "\n";
    if (!library.IsLoaded())
        return text + "regular-expression library: not found (" + libraryPath +
               "); literal patterns only\n";
    const std::string oniguruma = library.OnigurumaVersion();
    text += "regular-expression library: " + libraryPath + "\n";
    text += "Oniguruma " + (oniguruma.empty() ? std::string("(version unknown)") : oniguruma) + "\n";
    return text + TARVELOX_LEGAL_COPYRIGHT "\n";
}

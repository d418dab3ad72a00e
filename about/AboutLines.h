#pragma once
// The texts of the about box that do not depend on a window.
#include <optional>
#include <string>

#include "platform/VersionInfo.h"

struct AboutLines {
    std::string Product;  // product name, " version ", version number
    std::string Legal;    // the legal notice
};

// Both lines stay empty for an executable without version information.
AboutLines MakeAboutLines(const std::optional<platform::VersionStrings>& version);

// What a link label opens: its text, with "mailto:" in front when it holds no colon, so that
// a bare mail address becomes a mail link while a URL stays as it is.
std::string LinkTarget(const std::string& labelText);

#pragma once
// The -E list as a Unix user writes it: patterns separated by ";" or ",", where "htm" and
// ".htm" mean "*.htm", "*" means "*.*" and "*." names without an extension.
#include <optional>
#include <string>
#include <string_view>

// The list in the form the file list reads ("*.htm;*.html"); nothing when a piece cannot be
// an extension pattern (another wildcard, a folder, "a*.txt"), which `bad` then names.
std::optional<std::string> ExtensionPatterns(std::string_view text, std::string& bad);

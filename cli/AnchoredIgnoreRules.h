#pragma once
// The rules of an ignore file, rewritten so that they hold from the root of the file
// system: one repository's in-memory rules can then carry the rules of every folder.
#include <string>
#include <string_view>

// The rules of `text`, the content of an ignore file in `folder` (absolute, links
// resolved), each anchored at that folder: a pattern with a slash before its end matches
// from the folder, one without it at any depth below; "!" and a trailing slash keep their
// meaning. Comments and blank lines are dropped. One rule a line, each ending in a newline.
std::string AnchoredIgnoreRules(std::string_view folder, std::string_view text);

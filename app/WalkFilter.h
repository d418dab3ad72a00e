#pragma once
// What a folder walk leaves out, and why. Every walk leaves out the folders of version
// control systems (a repository's insides are never the user's text); the native command
// also leaves out hidden entries and what ignore files exclude, through a filter of its own.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class WalkLeftOut {
    Extension,         // the extension list does not let the file in
    RepositoryFolder,  // .git, .svn, .hg, .bzr, CVS, _darcs
    Hidden,            // a name that begins with a dot
    Ignored,           // excluded by an ignore file
};
inline constexpr std::size_t WalkLeftOutKinds = 4;

// Whether `name`, the last part of a folder's path, is the folder a version control
// system keeps its own files in.
bool IsRepositoryFolderName(std::string_view name);

class WalkFilter {
public:
    virtual ~WalkFilter() = default;
    // Why the entry `path` (named `name`) that a walk met is left out, or nothing when it is
    // walked (a folder) or added (a file).
    virtual std::optional<WalkLeftOut> LeftOut(const std::string& path, std::string_view name, bool folder) = 0;
};

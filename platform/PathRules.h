#pragma once
// How the platform writes file names.
#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

// On Windows a path that begins with a drive letter, a colon and a backslash, or with two
// backslashes ("\x" and "C:x" are relative); elsewhere one that begins with a slash.
inline bool IsAbsolutePath(std::string_view path)
{
#ifdef _WIN32
    const char first = path.empty() ? '\0' : path[0];
    const bool driveLetter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
    return (driveLetter && path.substr(1, 2) == ":\\") || path.starts_with("\\\\");
#else
    return path.starts_with('/');
#endif
}

// The folder a path names its file in: what comes before its last separator (on Windows a
// slash too), the root itself for a file in the root, "." for a name without a folder.
inline std::string_view FolderOfPath(std::string_view path)
{
#ifdef _WIN32
    const std::size_t last = path.find_last_of("\\/");
#else
    const std::size_t last = path.find_last_of('/');
#endif
    if (last == std::string_view::npos)
        return ".";
    return path.substr(0, last == 0 ? 1 : last);
}

}  // namespace platform

#include "lists/ListLocations.h"

#include "platform/ProgramDirectory.h"

bool IsAbsolutePath(std::string_view path)
{
#ifdef _WIN32
    const char first = path.empty() ? '\0' : path[0];
    const bool driveLetter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
    return (driveLetter && path.substr(1, 2) == ":\\") || path.starts_with("\\\\");
#else
    return path.starts_with('/');
#endif
}

std::string ResolveListPath(std::string_view path)
{
    if (IsAbsolutePath(path))
        return std::string(path);
    return platform::GetProgramDirectory().append(path);
}

std::string HistoryFilePath()
{
    return platform::GetProgramDirectory().append(HistoryFileName);
}

std::string DefaultReplaceListPath()
{
    return platform::GetProgramDirectory().append(DefaultListFileName);
}

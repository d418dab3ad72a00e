#include "lists/ListLocations.h"

#include "platform/PathRules.h"
#include "platform/ProgramDirectory.h"

std::string ResolveListPath(std::string_view path)
{
    if (platform::IsAbsolutePath(path))
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

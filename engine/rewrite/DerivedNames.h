#pragma once
// The files a run makes beside a processed file, named by plain appending to its path.
#include <string>

// The new text, written before it replaces the file.
inline std::string TemporaryPathOf(const std::string& path)
{
    return path + ".tmp";
}

// The former content, with BackUp.
inline std::string BackupPathOf(const std::string& path)
{
    return path + ".bak";
}

// The content a file had before it is replaced, while its backup is being made.
inline std::string UntouchedPathOf(const std::string& path)
{
    return path + ".auto";
}

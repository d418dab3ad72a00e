#pragma once
// The files a run makes beside a processed file, named by plain appending to its path.
// The names a run makes and removes carry the program's name, so that a user's own
// NAME.tmp or NAME.auto is never taken for one of ours: a run removes a leftover under such
// a name only when no other run holds it (platform::RemoveLeftover).
#include <optional>
#include <string>

// The new text, written before it replaces the file.
inline std::string TemporaryPathOf(const std::string& path)
{
    return path + ".tarvelox.tmp";
}

// The former content, with BackUp.
inline std::string BackupPathOf(const std::string& path)
{
    return path + ".bak";
}

// The content a file had before it is replaced, while its backup is being made.
inline std::string UntouchedPathOf(const std::string& path)
{
    return path + ".tarvelox.auto";
}

// The path of the processed file a name made by a run (TemporaryPathOf, UntouchedPathOf)
// is made beside; nullopt for any other name.
inline std::optional<std::string> MadeBesideOf(const std::string& path)
{
    for (const std::string& suffix : {TemporaryPathOf(""), UntouchedPathOf("")})
        if (path.size() > suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
            return path.substr(0, path.size() - suffix.size());
    return std::nullopt;
}

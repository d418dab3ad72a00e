#pragma once
// The file --log names, for the log of a run or of an undo: made before anything is
// touched, so that a log that cannot be made refuses the request, and written at its end.
#include <optional>
#include <string>

#include "platform/FileSystem.h"

class LogFile {
public:
    explicit LogFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // Creates the file, or empties the one there; false when it cannot be made.
    bool Make();
    // Writes the whole log. False when it could not be written, and then a file that
    // Make created is removed again rather than left empty or cut short.
    bool Write(const std::string& text);

private:
    std::string path_;
    // The file Make created where no name was; a file that was there stays.
    std::optional<platform::FileStamp> made_;
};

#pragma once
// Writes a list file line by line, each line followed by CR LF, through a buffer.
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

enum class ListWriteResult { Written, CreateFailed, WriteFailed };

class LineFileWriter {
public:
    // Creates the file, truncating an existing one.
    explicit LineFileWriter(const std::string& path);

    // Does nothing once creating or writing has failed.
    void WriteLine(std::string_view line);
    // Writes what is left and closes the file; the first failure is the result.
    ListWriteResult Close();
    // The same for a file that is then put in place of another: its content reaches the
    // disk before the name can point at it.
    ListWriteResult CloseBeforeReplace();

private:
    void Flush();

    platform::FileWriter file_;
    std::string buffer_;
    ListWriteResult result_;
};

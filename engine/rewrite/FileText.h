#pragma once
#include <string>

#include "engine/flow/FileResult.h"
#include "platform/FileReader.h"

// A failure to open or read a file's text as a result: NotOpen when it cannot be read,
// MemLack when memory for it cannot be had; 0 when it was read.
FileResult ResultOfReading(platform::ReadStatus status);

// Opens the file to be rewritten for reading a block at a time; the same results.
FileResult OpenFileText(const std::string& path, platform::FileReader& file);

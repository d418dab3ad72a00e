#pragma once
#include <string>

#include "engine/FileResult.h"
#include "platform/FileSystem.h"
#include "platform/FileView.h"

// Reads the whole file to be rewritten into `content` (a NUL after its last byte). Returns 0,
// or NotOpen when the file cannot be read and MemLack when its buffer cannot be had.
FileResult ReadFileText(const std::string& path, platform::FileContent& content);

// Opens the file to be rewritten for reading without a copy of a larger file's text;
// the same results.
FileResult ViewFileText(const std::string& path, platform::FileView& view);

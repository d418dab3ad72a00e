#pragma once
// A file of this fuzzing process for targets that read through the file system; in a
// memory-backed folder where there is one, since a disk makes each input slow.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/FileSystem.h"

inline std::string ScratchFilePath(const char* name)
{
    const char* folder = platform::IsFolder("/dev/shm") ? "/dev/shm" : std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/tarvelox-fuzz-" + std::to_string(::getpid()) + "-" +
           name;
}

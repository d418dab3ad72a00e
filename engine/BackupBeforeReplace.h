#pragma once
#include <string>

#include "platform/FileSystem.h"

// Gives the content `path` holds now the second name path + ".bak", just before a new file
// replaces it. The backup is made under path + ".auto" and takes the backup's name in one
// step, once `path` is seen to be still the file `read` describes: an older backup stays
// whole while the file is found changed or the backup cannot be made, and whenever a run
// is stopped the backup's name holds either the older backup or this one. False, with
// nothing made here left, when the backup cannot be made or the file has changed.
bool BackUpBeforeReplace(const std::string& path, const platform::FileStamp& read);

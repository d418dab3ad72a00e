#pragma once
#include <string>

#include "platform/FileSystem.h"

enum class BackupMade {
    // The backup could not be made, or the file has changed since it was read; nothing made
    // here is left, and an older backup is as it was.
    None,
    // There was no older backup; this one is the caller's to remove if the replace fails.
    WhereNoneWas,
    // An older backup was replaced, in one step, once the file was seen unchanged.
    OverAnOlderOne,
};

// Gives the content `path` holds now the second name path + ".bak", just before a new file
// replaces it. An older backup is replaced only by a whole new one, made under
// path + ".auto" first, and only while `path` is still the file `read` describes: the older
// backup stays when the file is found changed, and whenever a run is stopped the backup's
// name holds either the older backup or this one.
BackupMade BackUpBeforeReplace(const std::string& path, const platform::FileStamp& read);

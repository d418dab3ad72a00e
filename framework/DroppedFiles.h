#pragma once
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/SystemName.h"

// The paths of files and folders dropped on a window, in the order given; the drop is
// finished (its memory released) afterwards. A name the program cannot carry comes as it
// is to be read, not Exact.
std::vector<platform::SystemName> TakeDroppedFiles(HDROP drop);

#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// The paths of files and folders dropped on a window, in the order given; the drop is
// finished (its memory released) afterwards.
std::vector<std::string> TakeDroppedFiles(HDROP drop);

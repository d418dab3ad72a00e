#pragma once
#include <set>
#include <string>

// One sync per folder, after every rename into it: the files renamed into the folders of
// `files` then keep their new content over a power loss, not only their old one.
void SyncFoldersOf(const std::set<std::string>& files);

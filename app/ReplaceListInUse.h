#pragma once
// The replace list whose patterns the main window offers and a full-automatic run applies.
#include <string>

#include "engine/rewrite/ReplaceJob.h"

struct ReplaceListInUse {
    // Where the platform's file search found the list; empty when it found nothing.
    std::string Path;
    // The list is the history file "$History.lst" beside the program, so that a run that
    // updates the history must load the list again.
    bool IsHistory = false;
    // Empty when the list was not found or cannot be read.
    PatternList Patterns;
    ReplaceListState State = ReplaceListState::NotFound;
};

// Searches `name` as the platform searches a program's files (the program's folder first)
// and reads its patterns with the main window's reader.
ReplaceListInUse LoadReplaceListInUse(const std::string& name);

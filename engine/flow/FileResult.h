#pragma once
#include <cstdint>

// Outcome for one file: the number of replacements (0 or more) or a failure code.
using FileResult = std::int32_t;

enum FileResultCode : FileResult {
    NotOpen = -1,
    MemLack = -2,
    NoText = -3,
    RegExpER = -4,
    Cancel = -5,
    // The temporary file could not be written, or the rewritten file could not be put in
    // place; the file keeps its content.
    WriteErr = -6,
    // A replacement the file's encoding cannot hold would have been written; the file keeps
    // its content.
    EncodeER = -7,
    // The file is ISO-2022-JP, whose escaped bytes no pattern may be searched in; untouched.
    Iso2022 = -8,
    // With backups on, a listed file that is the backup of another listed file: left as it
    // is, so that the run's outcome never depends on which of the two comes first.
    BackupOfListed = -9,
    // The original could not be kept for undo (the journal's disk is full, it cannot be
    // written); the file keeps its content, so that the run's journal stays whole.
    UndoErr = -10,
};

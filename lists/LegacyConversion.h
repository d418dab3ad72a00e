#pragma once
// The legacy list file "list.dat": pairs of lines, a find text and its replace text, with
// no options. Converted once into "replace.lst" and then deleted.
#include <string>

enum class LegacyConversion {
    NoLegacyFile,       // nothing to do; "replace.lst" untouched
    Converted,          // "replace.lst" written, "list.dat" deleted
    LegacyUnreadable,   // skipped; both files untouched
    ListNotCreated,     // skipped; "list.dat" kept
    ListNotWritten,     // "list.dat" kept, so the next start tries again
    LegacyNotDeleted,   // "replace.lst" written, but "list.dat" is still there
};

// Converts "list.dat" in `folder` (which ends with a separator) into "replace.lst" there,
// replacing any former one. "list.dat" is deleted only once "replace.lst" is complete.
LegacyConversion ConvertLegacyList(const std::string& folder);

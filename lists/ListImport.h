#pragma once
// Patterns taken from a file of any text into the editor's list ("ファイルから読込む"): a
// list is Shift-JIS, so a UTF-8 or EUC-JP text is converted into code page 932 first, by
// the encoding its bytes show, never read as if its bytes were Shift-JIS.
#include <string>

#include "engine/text/TextEncoding.h"
#include "lists/ListRow.h"

enum class ImportOutcome {
    Read,
    Unreadable,     // the file cannot be read
    NotConvertible, // a character code page 932 lacks, or ISO-2022-JP: nothing is taken
};

struct ListImport {
    ImportOutcome Outcome;
    TextEncoding Encoding;  // as the file's bytes show it
};

// Appends one row per line, as AppendListRows does, after converting the text when it is
// not Shift-JIS; rows are appended only when the whole file could be taken.
ListImport ImportListRows(const std::string& path, ListRows& rows);

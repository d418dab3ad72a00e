#pragma once
// Reading and writing whole replace lists.
#include <string>

#include "engine/pattern/ReplacePattern.h"
#include "lists/LineFileWriter.h"
#include "lists/ListRow.h"

// The editor's reader: appends one row per line of the file after the rows already there.
// False, with nothing added, when the file cannot be read.
bool AppendListRows(const std::string& path, ListRows& rows);

// The main window's reader: the patterns of the file in file order, duplicates and empty
// find texts included; none when the file cannot be read.
PatternList ReadPatternList(const std::string& path);
// The same; false, with no patterns, when the file cannot be read.
bool ReadPatternList(const std::string& path, PatternList& patterns);

// Creates or truncates the file and writes one line per row; no rows give an empty file.
ListWriteResult WriteListFile(const std::string& path, const ListRows& rows);

// The editor's save: the rows go to a temporary file beside `path`, which takes the place
// of `path` only once every row was written. On failure `path` keeps what it held and no
// temporary file is left; CreateFailed also means that `path` could not be replaced.
ListWriteResult SaveListFile(const std::string& path, const ListRows& rows);

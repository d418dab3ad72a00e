#pragma once
// One line of a replace list without its line end: find text, TAB, replace text, TAB,
// option letters. Split byte by byte: a TAB is never the second byte of a character.
#include <string>
#include <string_view>

#include "engine/pattern/ReplacePattern.h"
#include "lists/ListRow.h"

std::string FormatListLine(const ListRow& row);

// The editor's reading: the pieces between TABs fill the three columns in order, further
// pieces are dropped and a column without a piece stays empty.
ListRow SplitListLine(std::string_view line);

// The main window's reading: the options are everything after the second TAB, further
// TABs included, read by the reading rule.
ReplacePattern ParseListLine(std::string_view line);

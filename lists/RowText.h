#pragma once
// The row text: a row as one string while the editor moves it (its cut buffer and its
// dragging), each column followed by the byte 0x7F. It never leaves the editor, so a 0x7F
// or 0x10 inside a column is written with a 0x10 in front, and every row travels intact.
#include <string>
#include <string_view>

#include "lists/ListRow.h"

std::string RowTextOf(const ListRow& row);

// The n-th piece ended by a 0x7F goes to the n-th column; what follows the last 0x7F is
// ignored, and a column without a piece stays empty.
ListRow RowFromText(std::string_view text);

#pragma once
// One pattern as the replace list editor holds it: the texts of its three columns, the
// options as letters exactly as they were read.
#include <string>
#include <string_view>
#include <vector>

#include "engine/pattern/PatternOptions.h"

struct ListRow {
    std::string Find;
    std::string Replace;
    std::string Options;

    bool operator==(const ListRow&) const = default;
};

using ListRows = std::vector<ListRow>;

// The row of a pattern as it is registered: TABs in both texts escaped, the options
// written by the writing rule.
ListRow RowForPattern(std::string_view find, std::string_view replace, PatternOptions options);

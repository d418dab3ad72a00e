#pragma once
#include <cstdint>
#include <string>

namespace platform {

// The folder the undo journal keeps its runs in: "$XDG_STATE_HOME/tarvelox/runs", or
// "~/.local/state/tarvelox/runs" when that is not set; on Windows
// "%LOCALAPPDATA%\Tarvelox\runs". Empty when neither can be told.
std::string UndoRunsFolder();

struct LocalTime {
    int Year, Month, Day, Hour, Minute, Second;
};

// Seconds since 1970 (UTC), now.
std::int64_t SecondsNow();
// The calendar time of `seconds` in the user's time zone.
LocalTime LocalTimeOf(std::int64_t seconds);

}  // namespace platform

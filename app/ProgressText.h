#pragma once
#include <cstddef>
#include <string>

// How a run's progress reads: "done/count", as "3/10".
std::string ProgressText(std::size_t done, std::size_t count);

#pragma once
// How many files the process may hold open at once.
#include <cstddef>

namespace platform {

std::size_t OpenFilesAtMost();

}  // namespace platform

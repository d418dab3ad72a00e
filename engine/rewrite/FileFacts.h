#pragma once
#include <optional>

#include "engine/text/TextEncoding.h"

// What the rewrite of one file tells besides its result.
struct FileFacts {
    // The encoding its text was read in; none when it was not read.
    std::optional<TextEncoding> Encoding;
};

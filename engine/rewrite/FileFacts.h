#pragma once
#include <optional>

#include "engine/text/EncodingDetection.h"

// What the rewrite of one file tells besides its result.
struct FileFacts {
    // The encoding its text was read in; none when it was not read.
    std::optional<TextEncoding> Encoding;
    // Whether that encoding stayed a guess.
    bool EncodingGuessed = false;

    void Set(const DetectedEncoding& detected)
    {
        Encoding = detected.Encoding;
        EncodingGuessed = detected.Guessed;
    }
};

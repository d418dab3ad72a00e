#pragma once
// --encoding=auto|sjis|utf8|eucjp (or with the value as the next argument): how the run reads
// each file. Taken out of the arguments before the switches are read.
#include <optional>
#include <string>
#include <vector>

#include "engine/TextEncoding.h"

struct EncodingOption {
    std::optional<EncodingChoice> Choice;  // the last one given, if any
    std::string Error;                     // what is wrong with it; empty when nothing is
    std::vector<std::string> Rest;         // the arguments without it
};

EncodingOption TakeEncodingOption(const std::vector<std::string>& arguments);

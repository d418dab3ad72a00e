#pragma once
#include <string>
#include <string_view>

// The caption of message boxes that have none of their own: the executable's file name
// without its folder and its extension.
std::string ApplicationNameOf(std::string_view modulePath);
std::string ApplicationName();

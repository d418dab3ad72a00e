#include "app/ProgressText.h"

#include <cstdio>

std::string ProgressText(std::size_t done, std::size_t count)
{
    char text[48];
    std::snprintf(text, sizeof text, "%zu/%zu", done, count);
    return text;
}

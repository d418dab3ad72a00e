#include "lists/TabRule.h"

std::string EscapeTabs(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char byte : text) {
        if (byte == '\t')
            escaped += "\\t";
        else
            escaped += byte;
    }
    return escaped;
}

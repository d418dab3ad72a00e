#pragma once
#include <string_view>

#include "engine/regex/BregexpApi.h"

namespace bregexp {

// Negative results of the entry points; the message buffer says what went wrong in words.
enum ErrorResult : int {
    InvalidArguments = -1,    // no handle variable, no command, or no usable target
    MalformedCommand = -2,
    RejectedExpression = -3,  // Oniguruma did not compile the expression
    SearchFailed = -4,        // a search limit was reached, or Oniguruma failed while searching
    OutOfMemory = RegexOutOfMemory,
    OutputRefused = RegexOutputRefused,  // the caller's receiver of the new text stopped it
};

// Empties the caller's message buffer, a null one aside; asked at every call.
inline void ClearMessage(char* buffer)
{
    if (buffer)
        buffer[0] = '\0';
}

// Writes `text` into the caller's message buffer, cut at a character start so that it never
// takes more than the buffer's 80 bytes with its terminator; a null buffer is left alone.
void WriteMessage(char* buffer, std::string_view text);

}  // namespace bregexp

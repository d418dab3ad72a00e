#pragma once
#include "engine/regex/BregexpApi.h"

namespace bregexp {

// The two operations on a prepared handle and a target [start, end) that the caller has
// checked. Both return a negative ErrorResult, with the message written, when a search fails.

// 1 and the groups of the first match, or 0 and cleared groups.
int MatchInTarget(RegexHandle& handle, const char* start, const char* end, char* message);

// The number of substitutions, the new text in the handle's output when there were any.
int SubstituteInTarget(RegexHandle& handle, const char* start, const char* end, char* message);

// MatchInTarget over [start, end), then over [place, end) for every place `onward` gives
// after a match, until it gives none: the number of matches. A place that is not past the
// one searched from before, or past the end, is InvalidArguments. `wellFormed`: the caller
// vouches for the whole target being well-formed.
int MatchEachInTarget(RegexHandle& handle, const char* start, const char* end, char* message,
                      BOnwardFunction onward, void* context, bool wellFormed);

}  // namespace bregexp

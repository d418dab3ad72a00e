#pragma once
// A unified diff, as `diff -u` prints it: "--- a/NAME" and "+++ b/NAME", then hunks of
// the changed lines with three lines of context each, hunks closer than that merged.
#include <functional>
#include <string>
#include <string_view>

// The diff of two texts, empty when their lines are the same. Every line of the texts
// goes through `show` whole (with its line end) before it is printed; the labels are
// printed as they are.
std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& beforeLabel,
                        const std::string& afterLabel, const std::function<std::string(std::string_view)>& show);

#pragma once
// Our own matcher against Oniguruma: expressions drawn from a grammar of what our matcher
// takes and of what lies just beyond it, texts in the three encodings (double-byte
// characters whose second byte is ASCII, bytes that form no character), every match and
// group of the program's way of searching, and the library's whole substitution, each
// through a handle that may use our matcher and one that uses Oniguruma alone.
#include <cstddef>
#include <string>
#include <vector>

#include "engine/regex/BregexpApi.h"

// Where the choices of a draw come from: the fuzzer's bytes or a seeded generator.
class Choices {
public:
    virtual ~Choices() = default;
    // A number in [0, count).
    virtual unsigned Below(unsigned count) = 0;
};

struct DifferentialCase {
    std::string Expression;  // as written in a command: a slash is \/
    std::string Modifiers;   // of k m i u j
    std::vector<std::string> Texts;
};

DifferentialCase DrawCase(Choices& choices);

struct DifferentialResult {
    bool OwnMatcher = false;  // our matcher took the expression
    bool Accepted = false;    // Oniguruma compiled it
    std::size_t Pairs = 0;    // expression and text pairs compared
    std::string Difference;   // empty when both found the same
};

// `place`: where a text is put for the library to read (e.g. against a guard page);
// returns the start of the placed copy.
using PlaceText = const char* (*)(void* context, const std::string& text);

DifferentialResult CompareMatchers(const DifferentialCase& draw, PlaceText place, void* context);

// The case as a line for a report: the command and the texts in hexadecimal.
std::string Describe(const DifferentialCase& draw);

// For tests beside GoogleTest, which cannot include Oniguruma's header: makes a null
// *handle one that searches with Oniguruma alone, and tells whether a prepared handle's
// expression is searched by our own matcher.
void UseOnigurumaOnly(RegexHandle** handle);
bool TakenByOwnMatcher(RegexHandle* handle);

// What the library finds in `text`, as a line: for a substitution its count and new text
// ("2:a-b"), for a match every match the program's onward search finds, with its groups
// ("[0-3|0-1] [4-7|-]"), or the negative result.
std::string Findings(const std::string& command, const std::string& text, bool onigurumaOnly);

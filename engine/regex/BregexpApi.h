#pragma once
// The three entry points of the regular-expression library and the record its handle
// points to. Shared by the program, which loads the library at run time, and by the
// library itself.
#include <cstddef>

#include "platform/LibraryCall.h"

#define BREGEXP_CALL LIBRARY_CALL

// Every field is one pointer-sized slot, so that a 32-bit build has the offsets callers of
// this interface rely on: 0, 4, 0x20, 0x24, 0x28.
struct RegexHandle {
    char* OutputStart;      // slot 0: first byte of a substitution's new text
    char* OutputEnd;        // slot 1: one past its last byte
    void* LibraryData[6];   // slots 2-7: private to the library
    char** GroupStarts;     // slot 8: start of group n in the target, n = 0 for the whole match
    char** GroupEnds;       // slot 9: one past the end of group n
    int GroupCount;         // slot 10: groups 0 to GroupCount are valid
};

static_assert(offsetof(RegexHandle, OutputEnd) == 1 * sizeof(void*));
static_assert(offsetof(RegexHandle, GroupStarts) == 8 * sizeof(void*));
static_assert(offsetof(RegexHandle, GroupEnds) == 9 * sizeof(void*));
static_assert(offsetof(RegexHandle, GroupCount) == 10 * sizeof(void*));

// Size of the message buffer callers pass; a message never takes more, terminator included.
inline constexpr std::size_t RegexMessageSize = 80;

// What our library returns when memory ran out: the file is then MemLack, not RegExpER.
inline constexpr int RegexOutOfMemory = -5;
// What our library's BSubst returns when the function given to BSetOutput refused a piece.
inline constexpr int RegexOutputRefused = -6;

extern "C" {
// Substitutes every match of "s/find/replacement/modifiers" in [targetStart, targetEnd);
// returns the number of substitutions, or a negative value on an error.
typedef int(BREGEXP_CALL* BSubstFunction)(const char* command, const char* targetStart, const char* targetEnd,
                                          RegexHandle** handle, char* message);
// Searches "/expression/modifiers" in [targetStart, targetEnd); non-zero when found,
// negative on an error.
typedef int(BREGEXP_CALL* BMatchFunction)(const char* command, const char* targetStart, const char* targetEnd,
                                          RegexHandle** handle, char* message);
typedef void(BREGEXP_CALL* BRegfreeFunction)(RegexHandle* handle);

// Our library's own addition, which other libraries lack: BSetOutput makes the handle (or
// takes the one given) and has the BSubst calls on it hand their new text to `output`
// piece by piece, in order, instead of keeping it whole in the handle, so that a large
// text needs no memory of its own. `output` returns 0 to stop the substitution, which then
// fails with RegexOutputRefused. BSetOutput returns 0, or a negative value on an error.
typedef int(BREGEXP_CALL* BOutputFunction)(void* context, const char* data, std::size_t size);
typedef int(BREGEXP_CALL* BSetOutputFunction)(RegexHandle** handle, BOutputFunction output, void* context);

// Also ours: BMatchEach searches as BMatch does, then again from each place `onward` gives,
// each search given the text from its place to targetEnd, as a BMatch call with it would
// be. After each match the handle's groups point at it, and `onward` returns where the next
// search begins, past the place the one before began at and not past targetEnd, or null
// to stop. The searches need no second look at the command or at text read before. With
// BMatchEachWellFormed in `flags` the caller tells that the whole target is well-formed
// in the command's encoding (it checked), and the library does not read it for that
// again; over a target that is not, what is found is then not always Oniguruma's. Returns
// the number of matches, or a negative value on an error.
typedef const char*(BREGEXP_CALL* BOnwardFunction)(void* context, const RegexHandle* handle);
typedef int(BREGEXP_CALL* BMatchEachFunction)(const char* command, const char* targetStart, const char* targetEnd,
                                              RegexHandle** handle, char* message, BOnwardFunction onward,
                                              void* context, unsigned flags);
inline constexpr unsigned BMatchEachWellFormed = 1;
}

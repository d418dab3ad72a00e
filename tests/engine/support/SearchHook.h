#pragma once
// The shipped library with a test's action run just before one chosen search, to do what
// the user or another program does while a file's text is being searched.
#include <functional>

class BregexpLibrary;

// Loads the library beside the test program into `library`; `action` runs before search
// number `call` of it (1 = the first), once. False when the library cannot be loaded.
bool LoadWithSearchHook(BregexpLibrary& library, int call, std::function<void()> action);

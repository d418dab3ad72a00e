#pragma once

namespace bregexp {

// How many expressions were handed to Oniguruma for compiling in this process; lets the
// tests see that a handle is compiled once for a whole file.
long CompilationCount();

}  // namespace bregexp

#pragma once
// Profile (INI) files: "[section]" lines, each followed by its "key=value" lines, read and
// written by our own reader and writer on every system. They follow the observable rules of
// the Windows profile functions, so that a file means the same as it always did, but take
// the bytes as they are: the system's functions pass them through its code page, which
// loses code page 932 text wherever the system's is another, and name the file through it.
#include <cstddef>
#include <string>

namespace platform {

// The longest value a read returns; a longer one is cut there.
inline constexpr std::size_t ProfileValueLimit = 4095;

// The value of `key` in `section` of the profile file `file` (a full path). Names are
// matched without regard to ASCII letter case or surrounding blanks; blanks around the
// stored value and one pair of enclosing quotes are removed. A present empty value is
// returned as it is; a missing file, section or key, or a key line without "=", gives
// `defaultValue` (without its trailing blanks and enclosing quotes). At most `limit`
// bytes are returned, never ending inside a double-byte character.
std::string ReadProfileText(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& defaultValue, std::size_t limit = ProfileValueLimit);

// The value read as a number: an optional sign, then decimal digits (or "0x" and hex, "0o"
// and octal, "0b" and binary digits) as far as they go, wrapping at 32 bits. A missing or
// empty value gives `defaultValue`; one that does not begin with a number gives 0.
int ReadProfileInteger(const std::string& file, const std::string& section, const std::string& key,
                       int defaultValue);

// Stores the value, creating the file, a missing section (at the end of the file) and a
// missing key (at the end of its section) as needed; an existing value is replaced in
// place. False when the file could not be read or written.
bool WriteProfileText(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value);

}  // namespace platform

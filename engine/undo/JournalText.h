#pragma once
// The text of a run's journal: one line per file the run kept the original of, written
// before the file's new content takes its name, and one per file whose new content did
// not take it after all. Every line carries a check of its own bytes, so that a line a
// killed run left cut short is known and passed over, never misread.
#include <cstdint>
#include <utility>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

// How the original is kept: a second name of the same file (nothing copied), or a copy
// where the journal lies on another file system.
enum class KeptAs : char { Link = 'L', Copy = 'C' };

struct JournalEntry {
    std::uint64_t Number = 0;
    KeptAs How = KeptAs::Link;
    // The file the run read and the file it wrote in its place.
    platform::FileStamp Original;
    platform::FileStamp Made;
    std::uint64_t Digest = 0;  // of the content written (ContentDigest)
    std::string Path;          // absolute, as the run named it
};

std::string KeptLine(const JournalEntry& entry);
std::string DroppedLine(std::uint64_t number);

// The entries of a journal's text in their order, those dropped again left out; a line
// that fails its check (the last one of a killed run) is passed over.
std::vector<JournalEntry> ReadJournalText(std::string_view text);

// A fact of a run or of its undo, one line each: when it started, in which folder, what it
// replaced, how it ended, which files an undo restored. Lines that fail their check are
// passed over.
std::string FactLine(std::string_view key, std::string_view value);
std::vector<std::pair<std::string, std::string>> ReadFactLines(std::string_view text);

// A value of one line: TAB, CR, LF and the backslash escaped, so that any path fits.
std::string EscapedField(std::string_view value);
std::string UnescapedField(std::string_view field);

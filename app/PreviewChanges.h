#pragma once
// What a preview would change, file by file, kept for its log: each changed file's diff
// (the changed lines before and after, three lines around them), its text decoded from
// the file's own encoding into code page 932 for the window. Only the diffs are kept, never
// the files' texts.
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/rewrite/NewTextReader.h"

class PreviewChanges : public NewTextReader {
public:
    void Clear() { diffs_.clear(); }
    void OnNewText(const std::string& path, TextEncoding encoding, std::string_view before,
                   std::string_view after) override;
    // The diff of the file a line of the log names; null when it would not change.
    const std::string* ChangesOf(const std::string& path) const;

private:
    std::unordered_map<std::string, std::string> diffs_;
};

// A line of a file in `encoding` as code page 932 text; a UTF-8 character code page 932
// lacks is written as <U+00E9>, as names the program cannot carry are, and other bytes
// that do not pass as <8F><A2><B7>.
std::string ShownInShiftJis(std::string_view line, TextEncoding encoding);

#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "engine/regex/BregexpApi.h"

// The entry points a test calls: the library's objects linked into the test, or a
// library loaded at run time.
struct EntryPoints {
    BMatchFunction Match;
    BSubstFunction Subst;
    BRegfreeFunction Free;
};

EntryPoints LinkedEntryPoints();

// One handle variable over one target text, as the program keeps it for one file.
class RegexSession {
public:
    explicit RegexSession(std::string text = std::string(), EntryPoints entry = LinkedEntryPoints());
    ~RegexSession();
    RegexSession(const RegexSession&) = delete;
    RegexSession& operator=(const RegexSession&) = delete;

    void SetText(std::string text) { text_ = std::move(text); }
    const std::string& Text() const { return text_; }

    // Searches the text from byte `from` to its end.
    int Match(const char* command, std::size_t from = 0);
    int Subst(const char* command);

    // The text of group n of the last match; nothing when the group took no part.
    std::optional<std::string> Group(int n) const;
    // Offset of group n's start in the text.
    std::ptrdiff_t GroupOffset(int n) const;
    std::string Output() const;

    RegexHandle* Handle() const { return handle_; }
    RegexHandle** HandleVariable() { return &handle_; }
    const char* Message() const { return message_; }

private:
    EntryPoints entry_;
    std::string text_;
    RegexHandle* handle_ = nullptr;
    char message_[RegexMessageSize] = {};
};

// Bytes as hexadecimal, for messages about binary texts.
std::string Hex(const std::string& bytes);

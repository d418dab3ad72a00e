#pragma once
// What the main window enables, disables and checks when something happens: each rule
// names the states it recomputes and nothing else, so that the window only applies them.
#include <cstddef>
#include <string>
#include <vector>

#include "engine/pattern/PatternOptions.h"

enum class MainControl {
    FindText,
    ReplaceText,
    FullAutomatic,
    NotEscape,
    NotCase,
    RegularExpression,
    ModifierFrame,
    Kanji,
    Multiline,
    Ignorecase,
    Start,
    Preview,
};

struct ControlState {
    MainControl Control;
    bool On;
    bool operator==(const ControlState&) const = default;
};
using ControlStates = std::vector<ControlState>;

// The full-automatic box clicked, and the end of start-up: the boxes a single pattern uses
// are of no use while the replace list drives the run. The Start rule follows it.
ControlStates FullAutomaticRule(bool fullAutomatic, bool regularExpression, bool libraryLoaded,
                                std::size_t patternCount);
// The regular-expression box clicked: the literal options or the modifiers. Without the
// library the box can still be turned off, never on.
ControlStates RegularExpressionRule(bool regularExpression, bool libraryLoaded);
// Start needs a file, and a find text unless the replace list drives the run; the preview
// of the run goes with it.
ControlStates StartRule(std::size_t fileCount, const std::string& findText, bool fullAutomatic);
// A replace list was loaded: full-automatic needs a pattern in it, but a checked box stays
// usable, so that it can be turned off (Start tells why it cannot run).
ControlStates ReplaceListLoadedRule(std::size_t patternCount, bool fullAutomatic);
// The regular-expression box and its frame are usable with the library, and without it
// while the box is checked, so that it can be turned off.
ControlStates RegexLibraryRule(bool libraryLoaded, bool regularExpression);

// A pattern chosen from the find box's list: the boxes it checks and the states it
// enables. A regular expression stays one without the library too; Start then tells that
// it cannot run, instead of running it as literal text.
struct PatternChoice {
    ControlStates Checks;
    ControlStates Enables;
};
PatternChoice ChoosePatternRule(PatternOptions options, bool libraryLoaded, std::size_t fileCount);

// The identifiers of the resources: a string, a dialog template or a command that shares
// its number with another loads or runs the wrong one, and the resource compiler does not
// say so. Read from the header and the resource script as they are written.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

namespace {

using Defines = std::map<std::string, long>;

// The numeric #defines of the header, by name.
Defines ReadDefines(const std::string& header)
{
    static const std::regex define(R"(^#define\s+(\w+)\s+\(?(-?\d+)\)?\s*$)");
    Defines defines{{"IDOK", 1}, {"IDCANCEL", 2}};
    std::istringstream lines(header);
    std::smatch match;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, match, define))
            defines[match[1]] = std::stol(match[2]);
    return defines;
}

struct NamedId {
    std::string Name;
    long Value;
};

// The pairs of names that share a value, as "A=B (value)".
std::vector<std::string> Collisions(const std::vector<NamedId>& ids)
{
    std::vector<std::string> collisions;
    std::map<long, std::string> seen;
    for (const NamedId& id : ids) {
        const auto [first, fresh] = seen.emplace(id.Value, id.Name);
        if (!fresh)
            collisions.push_back(first->second + "=" + id.Name + " (" + std::to_string(id.Value) + ")");
    }
    return collisions;
}

std::vector<NamedId> DefinesStartingWith(const Defines& defines, const std::vector<std::string>& prefixes)
{
    std::vector<NamedId> ids;
    for (const auto& [name, value] : defines)
        for (const std::string& prefix : prefixes)
            if (name.starts_with(prefix))
                ids.push_back({name, value});
    return ids;
}

// What the resource script gives ids to: the entries of its string tables, its dialog
// templates, and the controls of each dialog.
struct Script {
    std::vector<NamedId> Strings;
    std::vector<NamedId> Dialogs;
    std::map<std::string, std::vector<NamedId>> ControlsByDialog;
    std::vector<std::string> Unresolved;
};

Script ReadScript(const std::string& text, const Defines& defines)
{
    static const std::regex dialogStart(R"(^(\w+)\s+DIALOGEX\b.*)");
    static const std::regex stringEntry(R"(^\s+(\w+)\s+".*)");
    static const std::regex statement(R"(^\s+([A-Z]+)\s+(.*)$)");
    // Statements whose first argument is the control's id; the others start with a text.
    static const std::regex blanks(R"(^\s+|\s+$)");
    static const std::vector<std::string> idFirst{"EDITTEXT", "COMBOBOX", "LISTBOX", "SCROLLBAR"};
    Script script;
    const auto resolve = [&](const std::string& name, std::vector<NamedId>& into) {
        if (const auto found = defines.find(name); found != defines.end())
            into.push_back({name, found->second});
        else
            script.Unresolved.push_back(name);
    };
    enum class Block { None, Strings, Dialog } block = Block::None;
    std::string dialog;
    std::istringstream lines(text);
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("STRINGTABLE")) {
            block = Block::Strings;
        } else if (std::regex_match(line, match, dialogStart)) {
            block = Block::Dialog;
            dialog = match[1];
            resolve(dialog, script.Dialogs);
        } else if (line == "END") {
            block = Block::None;
        } else if (block == Block::Strings && std::regex_match(line, match, stringEntry)) {
            resolve(match[1], script.Strings);
        } else if (block == Block::Dialog && std::regex_match(line, match, statement)) {
            const std::string keyword = match[1];
            std::vector<std::string> arguments;
            std::istringstream rest(match[2].str());
            for (std::string argument; std::getline(rest, argument, ',');)
                arguments.push_back(std::regex_replace(argument, std::regex(R"(^\s+|\s+$)"), ""));
            const std::size_t at = std::find(idFirst.begin(), idFirst.end(), keyword) != idFirst.end() ? 0 : 1;
            if (arguments.size() > at && arguments[at] != "IDC_STATIC")
                resolve(arguments[at], script.ControlsByDialog[dialog]);
        }
    }
    return script;
}

// Each kind of id whose values must all differ, with where they come from.
struct IdSet {
    std::string Kind;
    std::vector<NamedId> Ids;
};

std::vector<IdSet> IdSets(const std::string& header, const std::string& script)
{
    const Defines defines = ReadDefines(header);
    const Script read = ReadScript(script, defines);
    std::vector<IdSet> sets{
        {"string defines", DefinesStartingWith(defines, {"IDS_"})},
        {"string table", read.Strings},
        {"dialog defines", DefinesStartingWith(defines, {"IDD_"})},
        {"dialog templates", read.Dialogs},
        {"command defines", DefinesStartingWith(defines, {"ID_", "IDM_HELP"})},
    };
    for (const auto& [dialog, controls] : read.ControlsByDialog)
        sets.push_back({"controls of " + dialog, controls});
    return sets;
}

const std::string& Header()
{
    static const std::string text = ReadBytes(TARVELOX_RESOURCE_IDS);
    return text;
}

const std::string& ResourceScript()
{
    static const std::string text = ReadBytes(TARVELOX_RESOURCE_SCRIPT);
    return text;
}

TEST(ResourceIds, NoTwoStringsDialogsCommandsOrControlsOfADialogShareANumber)
{
    const std::vector<IdSet> sets = IdSets(Header(), ResourceScript());
    for (const IdSet& set : sets) {
        EXPECT_FALSE(set.Ids.empty()) << set.Kind;
        EXPECT_EQ(Collisions(set.Ids), std::vector<std::string>()) << set.Kind;
    }
    EXPECT_EQ(ReadScript(ResourceScript(), ReadDefines(Header())).Unresolved, std::vector<std::string>());
}

// The check itself: a collision of each kind, made in a copy of the real files, is found.
TEST(ResourceIds, ACollisionOfEachKindIsFound)
{
    const auto redefine = [](std::string text, const std::string& name, const std::string& value) {
        return std::regex_replace(text, std::regex("(#define " + name + ") -?\\d+"), "$1 " + value);
    };
    const struct {
        std::string Name;
        std::string Value;
        std::string Kind;
        std::string Collision;
    } cases[] = {
        {"IDS_SOUND_FILTER", "3302", "string table", "IDS_SOUND_FILTER=IDS_LIST_SAVE_PROMPT (3302)"},
        {"IDS_PATTERN_ADD_CAPTION", "32780", "string table", "ID_PATTERN_INSERT=IDS_PATTERN_ADD_CAPTION (32780)"},
        {"IDD_PATTERN_EDIT", "131", "dialog templates", "IDD_RESULT_LOG=IDD_PATTERN_EDIT (131)"},
        {"ID_LIST_SAVE_AS", "32778", "command defines", "ID_LIST_SAVE=ID_LIST_SAVE_AS (32778)"},
        {"IDC_PATTERN_REPLACE", "1066", "controls of IDD_PATTERN_EDIT", "IDC_PATTERN_REPLACE=IDC_NOT_ESCAPE (1066)"},
    };
    for (const auto& collision : cases) {
        const std::vector<IdSet> sets = IdSets(redefine(Header(), collision.Name, collision.Value), ResourceScript());
        const auto set = std::find_if(sets.begin(), sets.end(), [&](const IdSet& s) { return s.Kind == collision.Kind; });
        ASSERT_NE(set, sets.end()) << collision.Kind;
        EXPECT_EQ(Collisions(set->Ids), std::vector<std::string>{collision.Collision}) << collision.Name;
    }
}

// The access keys of each dialog template, as "&X" in its controls' texts ("&&" is an
// ampersand): two controls of one dialog with the same key leave the keyboard going round
// between them instead of doing what the key says.
std::map<std::string, std::vector<std::string>> SharedAccessKeys(const std::string& script)
{
    static const std::regex dialogStart(R"(^(\w+)\s+DIALOGEX\b)");
    static const std::regex quoted(R"re("((?:[^"]|"")*)")re");
    std::map<std::string, std::vector<std::string>> shared;
    std::map<char, int> keys;
    std::string dialog;
    std::istringstream lines(script);
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, match, dialogStart)) {
            dialog = match[1];
            keys.clear();
        } else if (line.rfind("END", 0) == 0) {
            dialog.clear();
        } else if (!dialog.empty() && line.find("CAPTION") != 0 && line.find("FONT") != 0 &&
                   std::regex_search(line, match, quoted)) {
            const std::string text = match[1];
            for (std::size_t at = text.find('&'); at != std::string::npos && at + 1 < text.size();
                 at = text.find('&', at + 2))
                if (text[at + 1] != '&' && ++keys[static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])))] == 2)
                    shared[dialog].push_back(std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])))));
        }
    }
    return shared;
}

TEST(ResourceIds, NoTwoControlsOfADialogShareAnAccessKey)
{
    EXPECT_EQ(SharedAccessKeys(ResourceScript()), (std::map<std::string, std::vector<std::string>>{}));
    // The check itself finds a key given twice.
    EXPECT_EQ(SharedAccessKeys("IDD_X DIALOGEX 0, 0, 9, 9\nBEGIN\n    PUSHBUTTON \"A(&U)\", 1, 0, 0, 9, 9\n"
                               "    PUSHBUTTON \"D&&D (&u)\", 2, 0, 0, 9, 9\nEND\n"),
              (std::map<std::string, std::vector<std::string>>{{"IDD_X", {"U"}}}));
}

}  // namespace

#pragma once
// Every key of the settings file with its section, type and default: the one table that
// all reads of a setting go through.
#include <cstddef>
#include <span>
#include <string>

inline constexpr char MainSection[] = "MAIN";
inline constexpr char SettingSection[] = "SETTING";
inline constexpr char ProcessSection[] = "PROCESS";
inline constexpr char WindowSection[] = "WINDOW";

enum class Setting {
    // MAIN: the main window's state, written when it closes.
    Find,
    Replace,
    NotEscape,
    NotCase,
    RegularExpression,
    Kanji,
    Multiline,
    Ignorecase,
    AllAuto,
    BackUp,
    OpenDir,
    // SETTING and PROCESS: written by the settings dialog.
    MemLast,
    SubEntry,
    AbleExt,
    Editor,
    ShowLog,
    PlayWave,
    ReplaceList,
    Bregexp,
    Priority,
    ShiftJisOnly,
    // PROCESS, set in the file by hand: how many files a run works on at once.
    Workers,
    // WINDOW: the sizes the user gave the sizable windows, in pixels; 0 for the size the
    // dialog template gives. Written only once a window was resized.
    MainWidth,
    MainHeight,
    LogWidth,
    LogHeight,
    // PROCESS, set in the file by hand: how many runs the undo journal keeps (0: none,
    // runs cannot be taken back), and how many MiB of originals the older ones may take.
    UndoRuns,
    UndoSize,
};

// A switch is an integer key, 0 for off and anything else for on.
enum class SettingType { Switch, Text };

struct SettingDefinition {
    Setting Id;
    const char* Section;
    const char* Key;
    SettingType Type;
    int SwitchDefault;
    const char* TextDefault;
    // Stands in for TextDefault where the default depends on where the program lies.
    std::string (*ComputedDefault)();
    // The most bytes a read of the text returns.
    std::size_t Limit;
};

std::span<const SettingDefinition> SettingDefinitions();
const SettingDefinition& DefinitionOf(Setting setting);
// The default of a text key, computed at this moment when it is computed at all.
std::string DefaultTextOf(const SettingDefinition& definition);

#include "app/SettingsTable.h"

#include "lists/ListLocations.h"
#include "platform/ProfileStore.h"

namespace {

using enum SettingType;

constexpr std::size_t Full = platform::ProfileValueLimit;
// The folder of the add-files dialog is read into a buffer of 260 bytes.
constexpr std::size_t FolderLimit = 259;

constexpr SettingDefinition Table[] = {
    {Setting::Find, MainSection, "Find", Text, 0, "", nullptr, Full},
    {Setting::Replace, MainSection, "Replace", Text, 0, "", nullptr, Full},
    {Setting::NotEscape, MainSection, "NotEscape", Switch, 0, nullptr, nullptr, 0},
    {Setting::NotCase, MainSection, "NotCase", Switch, 0, nullptr, nullptr, 0},
    {Setting::RegularExpression, MainSection, "RegularExpression", Switch, 0, nullptr, nullptr, 0},
    {Setting::Kanji, MainSection, "Kanji", Switch, 0, nullptr, nullptr, 0},
    {Setting::Multiline, MainSection, "Multiline", Switch, 0, nullptr, nullptr, 0},
    {Setting::Ignorecase, MainSection, "Ignorecase", Switch, 0, nullptr, nullptr, 0},
    {Setting::AllAuto, MainSection, "AllAuto", Switch, 0, nullptr, nullptr, 0},
    {Setting::BackUp, MainSection, "BackUp", Switch, 1, nullptr, nullptr, 0},
    {Setting::OpenDir, MainSection, "OpenDir", Text, 0, ".", nullptr, FolderLimit},
    {Setting::MemLast, SettingSection, "MemLast", Switch, 0, nullptr, nullptr, 0},
    {Setting::SubEntry, SettingSection, "SubEntry", Switch, 1, nullptr, nullptr, 0},
    {Setting::AbleExt, SettingSection, "AbleExt", Text, 0,
     "*.bat;*.cgi;*.css;*.htm;*.html;*.js;*.log;*.pl;*.shtml;*.txt", nullptr, Full},
    {Setting::Editor, SettingSection, "Editor", Text, 0, "notepad.exe", nullptr, Full},
    {Setting::ShowLog, SettingSection, "ShowLog", Switch, 1, nullptr, nullptr, 0},
    {Setting::PlayWave, SettingSection, "PlayWave", Text, 0, "", nullptr, Full},
    {Setting::ReplaceList, SettingSection, "ReplaceList", Text, 0, nullptr, DefaultReplaceListPath, Full},
    {Setting::Bregexp, ProcessSection, "Bregexp", Switch, 0, nullptr, nullptr, 0},
    {Setting::Priority, ProcessSection, "Priority", Switch, 0, nullptr, nullptr, 0},
    // 0 tells each file's encoding from its bytes; 1 reads every file as Shift-JIS.
    {Setting::ShiftJisOnly, ProcessSection, "ShiftJisOnly", Switch, 0, nullptr, nullptr, 0},
    // How many files a run works on at once; 0 (or less) one per processor.
    {Setting::Workers, ProcessSection, "Workers", Switch, 0, nullptr, nullptr, 0},
    {Setting::MainWidth, WindowSection, "MainWidth", Switch, 0, nullptr, nullptr, 0},
    {Setting::MainHeight, WindowSection, "MainHeight", Switch, 0, nullptr, nullptr, 0},
    {Setting::LogWidth, WindowSection, "LogWidth", Switch, 0, nullptr, nullptr, 0},
    {Setting::LogHeight, WindowSection, "LogHeight", Switch, 0, nullptr, nullptr, 0},
    // The runs the undo journal keeps, the newest whatever its size; the originals of the
    // others within UndoSize MiB.
    {Setting::UndoRuns, ProcessSection, "UndoRuns", Switch, 10, nullptr, nullptr, 0},
    {Setting::UndoSize, ProcessSection, "UndoSize", Switch, 1024, nullptr, nullptr, 0},
};

constexpr bool IndexedById()
{
    for (std::size_t i = 0; i < std::size(Table); ++i)
        if (static_cast<std::size_t>(Table[i].Id) != i)
            return false;
    return true;
}
static_assert(IndexedById(), "the table lists the settings in the order of their identifiers");

}  // namespace

std::span<const SettingDefinition> SettingDefinitions()
{
    return Table;
}

const SettingDefinition& DefinitionOf(Setting setting)
{
    return Table[static_cast<std::size_t>(setting)];
}

std::string DefaultTextOf(const SettingDefinition& definition)
{
    return definition.ComputedDefault ? definition.ComputedDefault() : std::string(definition.TextDefault);
}

#include "app/SettingsStore.h"

#include <cassert>

#include "platform/ProfileStore.h"

void SettingsStore::SetFilePath(std::string path)
{
    path_ = std::move(path);
}

int SettingsStore::ReadSettingInt(const std::string& section, const std::string& key, int defaultValue) const
{
    return path_.empty() ? defaultValue : platform::ReadProfileInteger(path_, section, key, defaultValue);
}

std::string SettingsStore::ReadSettingString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue) const
{
    return ReadLimitedString(section, key, defaultValue, platform::ProfileValueLimit);
}

std::string SettingsStore::ReadLimitedString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue, std::size_t limit) const
{
    return path_.empty() ? defaultValue : platform::ReadProfileText(path_, section, key, defaultValue, limit);
}

bool SettingsStore::WriteSettingInt(const std::string& section, const std::string& key, int value)
{
    return WriteSettingString(section, key, std::to_string(value));
}

bool SettingsStore::WriteSettingString(const std::string& section, const std::string& key, const std::string& value)
{
    return !path_.empty() && platform::WriteProfileText(path_, section, key, value);
}

int SettingsStore::ReadSwitch(Setting setting) const
{
    const SettingDefinition& definition = DefinitionOf(setting);
    assert(definition.Type == SettingType::Switch);
    return ReadSettingInt(definition.Section, definition.Key, definition.SwitchDefault);
}

std::string SettingsStore::ReadText(Setting setting) const
{
    const SettingDefinition& definition = DefinitionOf(setting);
    assert(definition.Type == SettingType::Text);
    return ReadLimitedString(definition.Section, definition.Key, DefaultTextOf(definition), definition.Limit);
}

bool SettingsStore::WriteSwitch(Setting setting, int value)
{
    const SettingDefinition& definition = DefinitionOf(setting);
    assert(definition.Type == SettingType::Switch);
    return WriteSettingInt(definition.Section, definition.Key, value);
}

bool SettingsStore::WriteText(Setting setting, const std::string& value)
{
    const SettingDefinition& definition = DefinitionOf(setting);
    assert(definition.Type == SettingType::Text);
    return WriteSettingString(definition.Section, definition.Key, value);
}

EncodingChoice SettingsStore::ReadEncodingChoice() const
{
    return ReadSwitch(Setting::ShiftJisOnly) != 0 ? EncodingChoice::ShiftJis : EncodingChoice::Automatic;
}

int SettingsStore::ReadBregexp() const
{
    return ReadSwitch(Setting::Bregexp);
}

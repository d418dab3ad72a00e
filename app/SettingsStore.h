#pragma once
#include <string>

#include "app/SettingsTable.h"
#include "engine/rewrite/EngineSettings.h"
#include "engine/text/TextEncoding.h"

inline constexpr char SettingsFileName[] = "Tarvelox.ini";

// The settings file. Every read and every write goes to the file at once, with no cache,
// so a value written anywhere is seen by the next read anywhere; a failed write changes
// nothing and is only reported by the result. Until a file is set, reads give their
// defaults and writes do nothing.
class SettingsStore final : public EngineSettings {
public:
    void SetFilePath(std::string path);
    const std::string& FilePath() const { return path_; }

    // The value's leading number; the default when the file, section or key is missing.
    int ReadSettingInt(const std::string& section, const std::string& key, int defaultValue) const;
    // At most 4095 bytes; the default when missing, but a present empty value is empty.
    std::string ReadSettingString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue = std::string()) const;
    bool WriteSettingInt(const std::string& section, const std::string& key, int value);
    bool WriteSettingString(const std::string& section, const std::string& key, const std::string& value);

    // The keys of the settings table, read with the table's defaults.
    int ReadSwitch(Setting setting) const;
    std::string ReadText(Setting setting) const;
    bool WriteSwitch(Setting setting, int value);
    bool WriteText(Setting setting, const std::string& value);

    // PROCESS/ShiftJisOnly as the run's choice of encodings.
    EncodingChoice ReadEncodingChoice() const;

    int ReadBregexp() const override;

private:
    std::string ReadLimitedString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, std::size_t limit) const;

    std::string path_;
};

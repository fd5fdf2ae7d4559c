#pragma once

#include <map>
#include <string>

#include "settings/SettingsStore.h"

// Settings held in memory, keyed "application/section/key".
class FakeSettings final : public SettingsStore {
public:
    std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override
    {
        const auto found = values.find(application + "/" + section + "/" + key);
        return found == values.end() ? defaultValue : found->second;
    }
    void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override
    {
        values[application + "/" + section + "/" + key] = value;
        ++writes;
    }
    // The program's own values by key alone.
    std::string value(const std::string& key, const std::string& missing = "<missing>") const
    {
        const auto found = values.find(std::string(Settings::Application) + "/" + Settings::Section + "/" + key);
        return found == values.end() ? missing : found->second;
    }
    void set(const std::string& key, const std::string& value)
    {
        values[std::string(Settings::Application) + "/" + Settings::Section + "/" + key] = value;
    }

    std::map<std::string, std::string> values;
    int writes = 0;
};

#pragma once

#include <string>

// The per-user store of the program's remembered choices: text values addressed
// by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultValue when the key (or its section) is missing.
    // Reading never creates anything.
    virtual std::string GetSetting(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) = 0;
    // Stores the text and puts it on disk at once. A store that cannot be
    // written loses the value but never ends the program.
    virtual void SaveSetting(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
};

// The address every value of this program lives under.
namespace Settings {
inline const char* const Application = "Tarnwell";
inline const char* const Section = "Plotvane";
}  // namespace Settings

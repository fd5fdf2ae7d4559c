#pragma once

#include <string>

#include "settings/SettingKeys.h"

// The per-user store of the program's remembered choices: one text value per
// setting. Every read goes to the store, and every write is on disk before it
// returns, so nothing is lost when the program ends abruptly.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or fallback when none is stored. Reading never creates
    // anything.
    virtual std::string read(Setting setting, const std::string& fallback) = 0;
    // Stores the text and puts it on disk at once. Throws Failure, naming the
    // store and its reason, when the value could not be stored.
    virtual void write(Setting setting, const std::string& value) = 0;
    // Where the values are kept, in words the user can look for (a file path, a
    // registry key).
    virtual std::string location() const = 0;
};

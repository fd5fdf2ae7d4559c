#pragma once

#include <map>
#include <string>

#include "base/Failure.h"
#include "fakes/CallRecord.h"
#include "settings/SettingsStore.h"

// Settings held in memory, by key name ("Combo1"). With unwritable set, every
// write fails as a store on a read-only disk does. Calls read "read Combo1"
// and "write Combo1=2".
class FakeSettings final : public SettingsStore {
public:
    std::string read(Setting setting, const std::string& fallback) override
    {
        calls("read", keyOf(setting));
        return value(keyOf(setting), fallback);
    }
    void write(Setting setting, const std::string& value) override
    {
        calls("write", std::string(keyOf(setting)) + "=" + value);
        if (unwritable)
            throw Failure(std::string("The setting ") + keyOf(setting) + " could not be stored in " + location()
                          + ": Read-only file system");
        values[keyOf(setting)] = value;
        ++writes;
    }
    std::string location() const override { return "/home/user/.config/Tarnwell/Plotvane.conf"; }

    std::string value(const std::string& key, const std::string& missing = "<missing>") const
    {
        const auto found = values.find(key);
        return found == values.end() ? missing : found->second;
    }
    void set(const std::string& key, const std::string& value) { values[key] = value; }

    std::map<std::string, std::string> values;
    int writes = 0;
    bool unwritable = false;
    CallRecord calls;
};

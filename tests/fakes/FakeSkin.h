#pragma once

#include <cstdint>
#include <string>

#include "app/SkinComponent.h"
#include "fakes/CallRecord.h"

// The skin component with its options in memory. Calls read
// "skin load PATH 'SECTION'", "skin read options", "skin write options 7",
// "skin option 5 true", "skin apply window".
class FakeSkin final : public SkinComponent {
public:
    void loadSkin(const std::string& path, const std::string& section) override
    {
        calls("skin load", path + " '" + section + "'");
    }
    std::int32_t applicationOptions() override
    {
        calls("skin read options");
        return options;
    }
    void setApplicationOptions(std::int32_t value) override
    {
        calls("skin write options", std::to_string(value));
        options = value;
    }
    void setOption(int id, bool on) override { calls("skin option", std::to_string(id) + (on ? " true" : " false")); }
    void applyWindow(std::intptr_t) override { calls("skin apply window"); }

    std::int32_t options = 6;
    CallRecord calls;
};

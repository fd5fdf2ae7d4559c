#pragma once

#include <cstdint>
#include <string>

// The window's skin component. The window drives it with five calls, in this
// order: load the skin file, switch on bit 0 of the option word, switch on
// options 5 and 10, apply the skin to the window. Each call throws Failure when
// it cannot do its work.
class SkinComponent {
public:
    virtual ~SkinComponent() = default;
    virtual void loadSkin(const std::string& path, const std::string& section) = 0;  // dispatch id 2
    virtual std::int32_t applicationOptions() = 0;                                   // dispatch id 1, read
    virtual void setApplicationOptions(std::int32_t options) = 0;                    // dispatch id 1, write
    virtual void setOption(int dispatchId, bool on) = 0;                             // dispatch ids 5 and 10
    virtual void applyWindow(std::intptr_t windowHandle) = 0;                        // dispatch id 3
};

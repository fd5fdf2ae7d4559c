#pragma once

#include "platform/Shell.h"

// The desktop's browser and file browser through Qt's desktop services.
class QtShell final : public Shell {
public:
    void openUrlMinimized(const std::string& url) override;
    void openFolder(const std::string& path) override;
};

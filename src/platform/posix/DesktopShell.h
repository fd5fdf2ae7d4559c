#pragma once

#include "platform/Shell.h"

// Hands addresses and folders to the desktop's opener (xdg-open), which shows
// them in the user's browser and file browser. Nothing waits for it.
class DesktopShell final : public Shell {
public:
    void openUrlMinimized(const std::string& url) override;
    void openFolder(const std::string& path) override;
    void openDocument(const std::string& path) override;
};

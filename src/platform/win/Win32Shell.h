#pragma once

#include "platform/Shell.h"

// Hands addresses and folders to the Windows shell, which opens them with the
// user's browser and file browser.
class Win32Shell final : public Shell {
public:
    void openUrlMinimized(const std::string& url) override;
    void openFolder(const std::string& path) override;
    void openDocument(const std::string& path) override;
};

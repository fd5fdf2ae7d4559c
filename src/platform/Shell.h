#pragma once

#include <string>

// Hands work to the desktop: the browser and the file browser. Results are not
// examined by callers.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens an address in the browser, minimised, without waiting for it.
    virtual void openUrlMinimized(const std::string& url) = 0;
    // Shows a folder in a window of the system's file browser.
    virtual void openFolder(const std::string& path) = 0;
    // Opens a file in the desktop's application for its kind.
    virtual void openDocument(const std::string& path) = 0;
};

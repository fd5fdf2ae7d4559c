#pragma once

#include <string>
#include <vector>

#include "platform/Shell.h"

class FakeShell final : public Shell {
public:
    void openUrlMinimized(const std::string& url) override { urls.push_back(url); }
    void openFolder(const std::string& path) override { folders.push_back(path); }
    void openDocument(const std::string& path) override { documents.push_back(path); }
    std::vector<std::string> urls;
    std::vector<std::string> documents;
    std::vector<std::string> folders;
};

#pragma once

#include <string>
#include <vector>

#include "base/MessageBoxes.h"

// The dialogs the program shows beyond message boxes: the text prompt, the
// open-file dialog and the folder browser. Plain text in, plain text out.
struct OpenFilesRequest {
    std::string fileName;           // proposed file name
    std::string title;              // dialog title
    std::string filterDescription;  // "Visio Files (*.vs*)"
    std::string filterPattern;      // "*.vs*"
    bool multiSelect = false;
};

struct OpenFilesResult {
    std::vector<std::string> paths;  // full paths in the dialog's order; empty on cancel
    bool tooMany = false;            // the selection did not fit the dialog's result
};

class Dialogs : public MessageBoxes {
public:
    // Modal text prompt; returns the answer, or an empty text when cancelled.
    virtual std::string prompt(const std::string& text, const std::string& title, const std::string& initial) = 0;
    virtual OpenFilesResult openFiles(const OpenFilesRequest& request) = 0;
    // Folder browser with the start folder preselected; empty when cancelled.
    virtual std::string browseFolder(const std::string& prompt, const std::string& startFolder) = 0;
};

#pragma once

#include <string>
#include <vector>

// The boxes and dialogs the program shows: message boxes, the text prompt, the
// open-file dialog and the folder browser. Plain text in, plain text out (UTF-8),
// so that the logic that shows them needs no widgets.
enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Warning };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;
    std::string title;  // empty: the application title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool defaultYes = false;  // with YesNo: Yes is the default button
};

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

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The title of every box that gives none of its own.
    virtual void setApplicationTitle(const std::string& title) = 0;
    virtual std::string applicationTitle() const = 0;

    virtual MessageAnswer message(const MessageRequest& request) = 0;
    // Modal text prompt; returns the answer, or an empty text when cancelled.
    virtual std::string prompt(const std::string& text, const std::string& title,
                               const std::string& initial) = 0;
    virtual OpenFilesResult openFiles(const OpenFilesRequest& request) = 0;
    // Folder browser with the start folder preselected; empty when cancelled.
    virtual std::string browseFolder(const std::string& prompt, const std::string& startFolder) = 0;
};

#pragma once

#include <string>

// Modal message boxes: the one way the program tells the user something. Plain
// text in, the answer out (UTF-8), so that the logic that shows them needs no
// widgets. The platform's dialogs implement it, and fakes record it in tests.
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

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // The title of every box that gives none of its own.
    virtual void setApplicationTitle(const std::string& title) = 0;
    virtual std::string applicationTitle() const = 0;

    virtual MessageAnswer message(const MessageRequest& request) = 0;
};

// A box with the text, an OK button, no icon and the application title.
void tell(MessageBoxes& boxes, const std::string& text);
// A Yes/No box without an icon and with the application title; true for Yes.
bool askYesNo(MessageBoxes& boxes, const std::string& text, bool yesIsDefault = false);

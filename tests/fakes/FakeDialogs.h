#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

// Scripted dialogs: answers are taken from queues in order (Ok / empty when a
// queue runs dry) and every box, prompt and dialog is recorded.
class FakeDialogs final : public Dialogs {
public:
    struct Prompt {
        std::string text, title, initial;
    };
    struct Browse {
        std::string prompt, startFolder;
    };

    void setApplicationTitle(const std::string& title) override { m_title = title; }
    std::string applicationTitle() const override { return m_title; }
    MessageAnswer message(const MessageRequest& request) override;
    std::string prompt(const std::string& text, const std::string& title, const std::string& initial) override;
    OpenFilesResult openFiles(const OpenFilesRequest& request) override;
    std::string browseFolder(const std::string& prompt, const std::string& startFolder) override;

    // Texts of the recorded boxes, in order.
    std::vector<std::string> texts() const;
    // Line numbers quoted by the recorded "Application Error" boxes, in order.
    std::vector<int> reportedLines() const;

    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::string> promptAnswers;
    std::deque<OpenFilesResult> openFilesAnswers;
    std::deque<std::string> browseAnswers;

    std::vector<MessageRequest> messages;  // titles resolved to the application title
    std::vector<Prompt> prompts;
    std::vector<OpenFilesRequest> openFilesRequests;
    std::vector<Browse> browses;

private:
    std::string m_title;
};

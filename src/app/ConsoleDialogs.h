#pragma once

#include <ostream>
#include <string>

#include "platform/Dialogs.h"

// The boxes of a run that nobody watches: each is told as one line on the
// error stream, and nothing waits for an answer. A question is answered Yes,
// which in every question of a run means "go on" (the diagram application
// already running), and the line says so. The end-of-run box says nothing:
// the run's last line tells how it ended. Prompts and file dialogs give what
// a cancel gives.
class ConsoleDialogs final : public Dialogs {
public:
    static constexpr const char* GoingOn = " Answered Yes: nobody is at a window, the run goes on.";

    explicit ConsoleDialogs(std::ostream& err) : m_err(err) {}

    void setApplicationTitle(const std::string& title) override { m_title = title; }
    std::string applicationTitle() const override { return m_title; }
    MessageAnswer message(const MessageRequest& request) override;

    std::string prompt(const std::string&, const std::string&, const std::string&) override { return {}; }
    OpenFilesResult openFiles(const OpenFilesRequest&) override { return {}; }
    std::string browseFolder(const std::string&, const std::string&) override { return {}; }

    // A box's text on one line: its line breaks become single blanks.
    static std::string oneLine(const std::string& text);

private:
    std::ostream& m_err;
    std::string m_title;
};

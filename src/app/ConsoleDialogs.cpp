#include "app/ConsoleDialogs.h"

#include "base/ErrorReport.h"
#include "printing/PrintRun.h"

std::string ConsoleDialogs::oneLine(const std::string& text)
{
    std::string line;
    bool inBreak = false;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            inBreak = true;
            continue;
        }
        if (inBreak && !line.empty())
            line += ' ';
        inBreak = false;
        line += c;
    }
    return line;
}

MessageAnswer ConsoleDialogs::message(const MessageRequest& request)
{
    if (request.buttons == MessageButtons::Ok && request.text == PrintRun::DoneText)
        return MessageAnswer::Ok;
    std::string text = request.text;
    if (request.title == ErrorReport::Title) {
        // The report asks for a screenshot of its box; a log line is no box.
        const std::size_t screenshot = text.find("\r\r");
        text = std::string(ErrorReport::Title) + ": " + text.substr(0, screenshot);
    }
    m_err << "plotvane: " << oneLine(text);
    if (request.buttons == MessageButtons::YesNo)
        m_err << GoingOn;
    m_err << std::endl;
    return request.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

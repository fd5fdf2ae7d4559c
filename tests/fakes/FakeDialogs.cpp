#include "fakes/FakeDialogs.h"

#include <cstdlib>

#include "base/ErrorReport.h"

MessageAnswer FakeDialogs::message(const MessageRequest& request)
{
    MessageRequest recorded = request;
    if (recorded.title.empty())
        recorded.title = m_title;
    messages.push_back(recorded);
    if (messageAnswers.empty())
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::string FakeDialogs::prompt(const std::string& text, const std::string& title, const std::string& initial)
{
    prompts.push_back({text, title.empty() ? m_title : title, initial});
    if (promptAnswers.empty())
        return {};
    std::string answer = promptAnswers.front();
    promptAnswers.pop_front();
    return answer;
}

OpenFilesResult FakeDialogs::openFiles(const OpenFilesRequest& request)
{
    openFilesRequests.push_back(request);
    if (openFilesAnswers.empty())
        return {};
    OpenFilesResult answer = openFilesAnswers.front();
    openFilesAnswers.pop_front();
    return answer;
}

std::string FakeDialogs::browseFolder(const std::string& prompt, const std::string& startFolder)
{
    browses.push_back({prompt, startFolder});
    if (browseAnswers.empty())
        return {};
    std::string answer = browseAnswers.front();
    browseAnswers.pop_front();
    return answer;
}

std::vector<std::string> FakeDialogs::texts() const
{
    std::vector<std::string> result;
    for (const auto& box : messages)
        result.push_back(box.text);
    return result;
}

std::vector<int> FakeDialogs::reportedLines() const
{
    std::vector<int> lines;
    for (const auto& box : messages) {
        if (box.title != ErrorReport::Title)
            continue;
        const auto at = box.text.find("at line ");
        if (at != std::string::npos)
            lines.push_back(std::atoi(box.text.c_str() + at + 8));
    }
    return lines;
}

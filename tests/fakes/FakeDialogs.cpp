#include "fakes/FakeDialogs.h"

#include <cstdlib>
#include <utility>

#include "base/ErrorReport.h"

namespace {

// The next scripted answer, or `dry` once the queue has run dry.
template <typename T> T nextAnswer(std::deque<T>& answers, T dry = {})
{
    if (answers.empty())
        return dry;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

MessageAnswer FakeDialogs::message(const MessageRequest& request)
{
    MessageRequest recorded = request;
    if (recorded.title.empty())
        recorded.title = m_title;
    messages.push_back(recorded);
    return nextAnswer(messageAnswers,
                      request.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok);
}

std::string FakeDialogs::prompt(const std::string& text, const std::string& title, const std::string& initial)
{
    prompts.push_back({text, title.empty() ? m_title : title, initial});
    return nextAnswer(promptAnswers);
}

OpenFilesResult FakeDialogs::openFiles(const OpenFilesRequest& request)
{
    openFilesRequests.push_back(request);
    return nextAnswer(openFilesAnswers);
}

std::string FakeDialogs::browseFolder(const std::string& prompt, const std::string& startFolder)
{
    browses.push_back({prompt, startFolder});
    return nextAnswer(browseAnswers);
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

#include "printing/FileOutcome.h"

#include <algorithm>

namespace {

// "job 42", "jobs 42 and 43", "jobs 42, 43 and 44"
std::string jobsPhrase(const std::vector<SentJob>& jobs)
{
    std::string text = jobs.size() == 1 ? "job " : "jobs ";
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (i > 0)
            text += i + 1 == jobs.size() ? " and " : ", ";
        text += std::to_string(jobs[i].id);
    }
    return text;
}

// "Plotter_B as job 42: 3 pages on A3"; "Plotter_B" alone where the service
// gave no job numbers.
std::string handOffPhrase(const PrintHandOff& sent)
{
    std::string text = sent.printer;
    if (sent.jobs.empty() || sent.jobs.front().id == 0)
        return text;
    text += " as " + jobsPhrase(sent.jobs);
    const int pages = pagesOf(sent);
    if (pages > 0) {
        text += ": " + std::to_string(pages) + (pages == 1 ? " page" : " pages");
        const std::string papers = papersOf(sent);
        if (!papers.empty())
            text += " on " + papers;
    }
    return text;
}

}  // namespace

std::string outcomeWord(Outcome outcome)
{
    // In the order of Outcome.
    static const char* const words[] = {"in work", "sent", "printed", "failed", "stopped", "not reached"};
    return words[static_cast<int>(outcome)];
}

std::string describeOutcome(const FileOutcome& outcome)
{
    switch (outcome.outcome) {
    case Outcome::InWork:
        return "Printing now";
    case Outcome::Sent:
        return "Sent to " + handOffPhrase(outcome.sent);
    case Outcome::Printed:
        return "Printed on " + handOffPhrase(outcome.sent);
    case Outcome::Failed:
        return "Not printed: line " + std::to_string(outcome.failedLine) + ": " + outcome.reason;
    case Outcome::Stopped:
        return "Stopped by the printer " + handOffPhrase(outcome.sent) + ": " + outcome.reason;
    case Outcome::NotReached:
        return "Not printed: the run ended before this file was printed";
    }
    return {};
}

int pagesOf(const PrintHandOff& sent)
{
    int pages = 0;
    for (const auto& job : sent.jobs) {
        if (job.pages <= 0)
            return 0;
        pages += job.pages;
    }
    return pages;
}

std::string papersOf(const PrintHandOff& sent)
{
    std::string text;
    std::vector<std::string> seen;
    for (const auto& job : sent.jobs) {
        if (job.paper.empty())
            continue;
        if (std::find(seen.begin(), seen.end(), job.paper) != seen.end())
            continue;
        seen.push_back(job.paper);
        text += (text.empty() ? "" : " ") + job.paper;
    }
    return text;
}

std::string jobNumbersOf(const PrintHandOff& sent)
{
    std::string text;
    for (const auto& job : sent.jobs) {
        if (job.id == 0)
            continue;
        text += (text.empty() ? "" : " ") + std::to_string(job.id);
    }
    return text;
}

std::string runSummary(int printed, int files, int failed)
{
    std::string text = "Printed " + std::to_string(printed) + " of " + std::to_string(files)
                       + (files == 1 ? " drawing" : " drawings");
    if (failed > 0)
        text += "; " + std::to_string(failed) + " failed";
    return text;
}

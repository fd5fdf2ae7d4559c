#include "platform/posix/CupsJobStates.h"
#include "platform/posix/CupsService.h"
#include "printing/JobStates.h"

#include <exception>

namespace {

std::string joined(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const auto& part : parts) {
        if (!part.empty())
            text += (text.empty() ? "" : "; ") + part;
    }
    return text;
}

JobState stateOf(const CupsJobStates::Answer& answer)
{
    JobState state;
    state.id = answer.id;
    switch (answer.state) {
    case IPP_JSTATE_COMPLETED:
        state.stage = JobState::Stage::Completed;
        state.final = true;
        return state;
    case IPP_JSTATE_CANCELED:
    case IPP_JSTATE_ABORTED:
        state.stage = JobState::Stage::Stopped;
        state.final = true;
        state.reason = joined({answer.state == IPP_JSTATE_CANCELED ? "the job was cancelled" : "the job was aborted",
                               answer.printer.message, answer.stateReasons});
        return state;
    default:
        break;
    }
    // Waiting or printing: stopped where its printer is stopped or reports an
    // error, in the printer's own words.
    if (answer.state == IPP_JSTATE_STOPPED || answer.printer.state == IPP_PSTATE_STOPPED
        || answer.printer.reasons.find("-error") != std::string::npos) {
        state.stage = JobState::Stage::Stopped;
        state.reason = answer.printer.message.empty() ? joined({answer.printer.reasons, answer.stateReasons})
                                                      : answer.printer.message;
        if (state.reason.empty())
            state.reason = "the printer is stopped";
    }
    return state;
}

class CupsJobStateSource final : public JobStateSource {
public:
    std::vector<JobState> ask(const std::vector<int>& jobs, std::string& problem) override
    {
        std::vector<JobState> states;
        try {
            for (const auto& answer : CupsJobStates::ask(jobs, CupsService::AnswerLimitSeconds))
                states.push_back(stateOf(answer));
        } catch (const std::exception& failure) {
            problem = failure.what();
        }
        return states;
    }
};

}  // namespace

std::shared_ptr<JobStateSource> makeJobStateSource()
{
    return std::make_shared<CupsJobStateSource>();
}

#pragma once

#include <cups/ipp.h>
#include <string>
#include <vector>

// The state of print jobs on the CUPS scheduler that libcups reaches, asked in
// one Get-Jobs request over a connection of its own, bounded in time, so that
// it can be made from any thread.
namespace CupsJobStates {

struct Answer {
    int id = 0;
    ipp_jstate_t state{};         // job-state
    std::string stateReasons;     // job-state-reasons, separated by ", "
    ipp_pstate_t printerState{};  // printer-state of the job's printer
    std::string printerMessage;   // the printer's printer-state-message
    std::string printerReasons;   // its printer-state-reasons, "none" left out
};

// Throws Failure when the scheduler does not answer within `timeoutSeconds`
// or refuses the request.
std::vector<Answer> ask(const std::vector<int>& jobs, double timeoutSeconds);

}  // namespace CupsJobStates

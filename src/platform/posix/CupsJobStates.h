#pragma once

#include <cups/ipp.h>
#include <string>
#include <vector>

// The state of print jobs on the CUPS scheduler that libcups reaches, asked in
// one Get-Jobs request over a connection of its own, bounded in time, so that
// it can be made from any thread.
namespace CupsJobStates {

// Where a job's printer stands.
struct Printer {
    ipp_pstate_t state{};  // printer-state
    std::string message;   // printer-state-message
    std::string reasons;   // printer-state-reasons, "none" left out
};

struct Answer {
    int id = 0;
    ipp_jstate_t state{};      // job-state
    std::string stateReasons;  // job-state-reasons, separated by ", "
    Printer printer;           // of the job's printer
};

// Throws Failure when the scheduler does not answer within `timeoutSeconds`
// or refuses the request.
std::vector<Answer> ask(const std::vector<int>& jobs, double timeoutSeconds);

}  // namespace CupsJobStates

#pragma once

#include <string>
#include <vector>

// The state of print jobs on the CUPS scheduler that libcups reaches, asked in
// one Get-Jobs request over a connection of its own, bounded in time, so that
// it can be made from any thread.
namespace CupsJobStates {

struct Answer {
    int id = 0;
    int state = 0;                // IPP job-state: 3 pending .. 9 completed
    std::string stateReasons;     // job-state-reasons, separated by ", "
    int printerState = 0;         // IPP printer-state of the job's printer: 5 stopped
    std::string printerMessage;   // the printer's printer-state-message
    std::string printerReasons;   // its printer-state-reasons, "none" left out
};

// Throws Failure when the scheduler does not answer within `timeoutSeconds`
// or refuses the request.
std::vector<Answer> ask(const std::vector<int>& jobs, double timeoutSeconds);

}  // namespace CupsJobStates

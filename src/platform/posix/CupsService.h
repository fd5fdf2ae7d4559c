#pragma once

#include <string>

// Whether the CUPS scheduler that libcups reaches (CUPS_SERVER and the client
// configuration decide which) answers at all. libcups itself reports an
// unreachable scheduler as a missing printer or a bare system error; these
// words say what is wrong and where the scheduler was looked for.
namespace CupsService {

// The longest the program waits for the print service to answer a request.
constexpr double AnswerLimitSeconds = 30;

// Empty when the scheduler answers a request; otherwise, in plain words, that
// the print service cannot be reached, where, and why. A scheduler that takes
// the connection but does not answer (it hangs) is not reached either.
std::string unreachable();
// In plain words, that the print service did not answer in that time.
std::string silentFor(double seconds);

}  // namespace CupsService

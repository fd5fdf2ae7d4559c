#pragma once

#include <string>

// Whether the CUPS scheduler that libcups reaches (CUPS_SERVER and the client
// configuration decide which) answers at all. libcups itself reports an
// unreachable scheduler as a missing printer or a bare system error; these
// words say what is wrong and where the scheduler was looked for.
namespace CupsService {

// Empty when a connection to the scheduler can be made; otherwise, in plain
// words, that the print service cannot be reached, where, and why.
std::string unreachable();

}  // namespace CupsService

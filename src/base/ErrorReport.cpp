#include "base/ErrorReport.h"

namespace ErrorReport {

std::string text(const std::string& description, const std::string& location, int line)
{
    return description + "\r\n" + location + "at line " + std::to_string(line) + "\r" + "\r"
           + "Please email screenshot of this message to " + SupportAddress;
}

}  // namespace ErrorReport

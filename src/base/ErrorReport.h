#pragma once

#include <string>

// The text of the "Application Error" box: the failure's description, a line
// break, the handler's location and line, two carriage returns and the request
// for a screenshot.
namespace ErrorReport {
inline const char* const Title = "Application Error";
inline const char* const SupportAddress = "support@plotvane.example";

std::string text(const std::string& description, const std::string& location, int line);
}  // namespace ErrorReport

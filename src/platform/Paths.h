#pragma once

#include <string>

#include "platform/PathStyle.h"

// Putting paths together. Every path the program builds from a folder and a
// name is built here, in the platform's own spelling; cleaning doubled
// separators out of the result is the caller's choice (the intake paths do).

// folder + separator + name, exactly.
std::string joinPath(const std::string& folder, const std::string& name, PathStyle style);
// The folder with one more separator at its end, as folder lists spell their
// entries (a root that already ends in one gets a second).
std::string folderEntry(const std::string& folder, PathStyle style);
// The folder with a closing separator, added only when it has none.
std::string withClosingSeparator(const std::string& folder, PathStyle style);
// A file that stands beside the program: the program's folder and a relative
// name written with "/" (such as "x/o.cjs"), spelled in the given style.
std::string besideProgram(const std::string& programFolder, const std::string& relative, PathStyle style);

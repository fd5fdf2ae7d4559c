#pragma once

#include <string>

#include "platform/PathStyle.h"

// Cleans a path put together from a folder and a name: every doubled separator
// collapses in one left-to-right pass. Windows style keeps network paths: a path
// that starts with backslashes starts with exactly two afterwards. POSIX style has
// no network prefix: a leading run of separators becomes one.
std::string normalizePath(const std::string& path, PathStyle style = nativePathStyle());

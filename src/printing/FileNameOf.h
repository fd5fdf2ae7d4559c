#pragma once

#include <string>

#include "platform/PathStyle.h"

// The file name shown while a file is printed: the text after the last path
// separator (the backslash in Windows style, the slash in POSIX style), or the
// whole path when it holds none.
std::string fileNameOf(const std::string& path, PathStyle style = nativePathStyle());

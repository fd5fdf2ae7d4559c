#pragma once

#include <windows.h>

#include <string>

#include "platform/win/WideText.h"
#include "support/TempTree.h"

// The temporary tree of the Win32 file system's tests: entries with the
// attributes given. Paths have backslashes, as the program passes them.
class Win32Tree final : public TempTree {
public:
    std::string file(const std::string& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const
    {
        const std::string full = TempTree::file(relative, "x");
        SetFileAttributesW(toWide(full).c_str(), attributes);
        return full;
    }
    std::string folder(const std::string& relative, DWORD attributes = 0) const
    {
        const std::string full = TempTree::folder(relative);
        if (attributes)
            SetFileAttributesW(toWide(full).c_str(), attributes);
        return full;
    }
};

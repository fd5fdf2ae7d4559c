#pragma once

#include <windows.h>

#include <string>

#include "platform/win/WideText.h"

// A folder of its own under the temporary folder, removed with everything in it
// when dropped. Paths are UTF-8 with backslashes, as the program passes them.
class TempTree final {
public:
    TempTree()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const std::string base = toUtf8(std::wstring(temp)) + "plotvane-" + std::to_string(GetCurrentProcessId());
        for (int n = 1;; ++n) {
            m_root = base + "-" + std::to_string(n);
            if (CreateDirectoryW(toWide(m_root).c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
                break;
        }
    }
    ~TempTree() { remove(m_root); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(const std::string& relative) const { return m_root + "\\" + relative; }

    std::string file(const std::string& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
    {
        const std::string full = path(relative);
        HANDLE handle = CreateFileW(toWide(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(handle, "x", 1, &written, nullptr);
        CloseHandle(handle);
        SetFileAttributesW(toWide(full).c_str(), attributes);
        return full;
    }
    std::string folder(const std::string& relative, DWORD attributes = 0)
    {
        const std::string full = path(relative);
        CreateDirectoryW(toWide(full).c_str(), nullptr);
        if (attributes)
            SetFileAttributesW(toWide(full).c_str(), attributes);
        return full;
    }

private:
    static void remove(const std::string& folder)
    {
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW(toWide(folder + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::string full = folder + "\\" + toUtf8(name);
                SetFileAttributesW(toWide(full).c_str(), FILE_ATTRIBUTE_NORMAL);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    remove(full);
                else
                    DeleteFileW(toWide(full).c_str());
            } while (FindNextFileW(search, &entry));
            FindClose(search);
        }
        SetFileAttributesW(toWide(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryW(toWide(folder).c_str());
    }

    std::string m_root;
};

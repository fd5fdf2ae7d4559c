#include "app/RawArguments.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win/WideText.h"

std::vector<std::string> rawArguments(int, char*[])
{
    // The narrow argv holds the arguments in the system's code page, which
    // cannot spell every file name; the command line itself is UTF-16.
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(toUtf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

std::string absoluteArgumentPath(const std::string& path)
{
    if (path.empty())
        return path;
    const std::wstring wide = toWide(path);
    const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD written = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (written == 0 || written >= size)
        return path;
    full.resize(written);
    return toUtf8(full);
}

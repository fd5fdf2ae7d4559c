#include "platform/win/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win/WideText.h"

namespace {

bool isWebAddress(const std::string& url)
{
    return url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0;
}

}  // namespace

void Win32Shell::openUrlMinimized(const std::string& url)
{
    // The shell runs whatever it is given; only a web address goes to the browser.
    if (!isWebAddress(url))
        return;
    ShellExecuteW(nullptr, L"open", toWide(url).c_str(), nullptr, nullptr, SW_SHOWMINIMIZED);
}

void Win32Shell::openFolder(const std::string& path)
{
    // A folder's default action opens it in a window of the file browser; the
    // default action of a file would run or open that file instead.
    const std::wstring folder = toWide(path);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return;
    ShellExecuteW(nullptr, nullptr, folder.c_str(), nullptr, nullptr, SW_SHOW);
}

void Win32Shell::openDocument(const std::string& path)
{
    // The file's default action opens it in the application registered for
    // its kind.
    const std::wstring file = toWide(path);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return;
    ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

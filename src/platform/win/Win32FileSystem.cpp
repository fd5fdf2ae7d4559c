#include "platform/win/Win32FileSystem.h"

#include <windows.h>

#include <cwctype>
#include <memory>

#include "platform/win/SystemMessage.h"
#include "platform/win/WideText.h"

namespace {

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

std::wstring withClosingSeparator(std::wstring folder)
{
    if (folder.empty() || !isSeparator(folder.back()))
        folder += L'\\';
    return folder;
}

bool hasWildcard(const std::wstring& path)
{
    return path.find_first_of(L"*?") != std::wstring::npos;
}

struct FindCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

// Starts a directory listing; the handle is empty when nothing could be listed,
// and GetLastError() tells why.
FindHandle findFirst(const std::wstring& pattern, WIN32_FIND_DATAW& entry, bool foldersOnly)
{
    HANDLE handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                     foldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    return FindHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

bool isDotEntry(const wchar_t* name)
{
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

SubfolderListing failedListing(int error)
{
    SubfolderListing listing;
    listing.error = error;
    listing.description = error == FolderError::PermissionDenied ? "Permission denied" : "Path not found";
    return listing;
}

}  // namespace

PathStyle Win32FileSystem::style() const
{
    return PathStyle::Windows;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path)
{
    const DWORD value = GetFileAttributesW(toWide(path).c_str());
    if (value == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool Win32FileSystem::probeOpen(const std::string& path)
{
    const std::wstring wide = toWide(path);
    if (wide.empty())
        return false;
    // No access is requested: the open only proves that the file is there and
    // may be opened, whoever else has it open. Without backup semantics a folder
    // cannot be opened this way.
    HANDLE handle = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // Device names (CON, NUL, COM1, pipes) open too, in any folder; they are no files.
    const bool onDisk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    if (!onDisk)
        return false;
    const DWORD value = GetFileAttributesW(wide.c_str());
    return value != INVALID_FILE_ATTRIBUTES && (value & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Win32FileSystem::listFiles(const std::string& folder, const std::string& pattern)
{
    // The system's own wildcard matching decides, as the user knows it from the
    // file manager. It also matches the 8.3 short names where the volume keeps
    // them, so *.vsd can find plan.vsdx there.
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    FindHandle listing = findFirst(withClosingSeparator(toWide(folder)) + toWide(pattern), entry, false);
    if (!listing)
        return names;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(toUtf8(std::wstring(entry.cFileName)));
    } while (FindNextFileW(listing.get(), &entry));
    return names;
}

SubfolderListing Win32FileSystem::subfolders(const std::string& folder)
{
    SubfolderListing listing;
    const std::wstring wide = toWide(folder);
    const DWORD folderAttributes = GetFileAttributesW(wide.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return failedListing(error == ERROR_ACCESS_DENIED ? FolderError::PermissionDenied : FolderError::PathNotFound);
    }
    if ((folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return failedListing(FolderError::PathNotFound);

    WIN32_FIND_DATAW entry;
    FindHandle search = findFirst(withClosingSeparator(wide) + L"*", entry, true);
    if (!search) {
        const DWORD error = GetLastError();
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_NO_MORE_FILES:
            return listing;  // an empty folder (a drive root has no "." entry)
        case ERROR_ACCESS_DENIED:
            return failedListing(FolderError::PermissionDenied);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return failedListing(FolderError::PathNotFound);
        default:
            listing.error = FolderError::Other;
            listing.description = systemMessage(error);
            return listing;
        }
    }
    do {
        // The folder-only search is a hint the file system may ignore.
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !isDotEntry(entry.cFileName))
            listing.names.push_back(toUtf8(std::wstring(entry.cFileName)));
    } while (FindNextFileW(search.get(), &entry));
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) {
        listing.error = error == ERROR_ACCESS_DENIED ? FolderError::PermissionDenied : FolderError::Other;
        listing.description = systemMessage(error);
    }
    return listing;
}

std::optional<FolderIdentity> Win32FileSystem::folderIdentity(const std::string&)
{
    return std::nullopt;
}

bool Win32FileSystem::isRoot(const std::string& folder)
{
    std::wstring path = toWide(folder);
    const bool hadSeparator = !path.empty() && isSeparator(path.back());
    while (!path.empty() && isSeparator(path.back()))
        path.pop_back();
    // "\" alone is the root of the current drive.
    if (path.empty())
        return hadSeparator;
    // A drive: "C:".
    if (path.size() == 2 && path[1] == L':' && iswalpha(path[0]))
        return true;
    // A network share: \\server\share, with nothing below it.
    if (path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        const std::wstring rest = path.substr(2);
        const auto separator = rest.find_first_of(L"\\/");
        return separator != std::wstring::npos && separator > 0 && separator + 1 < rest.size()
               && rest.find_first_of(L"\\/", separator + 1) == std::wstring::npos;
    }
    return false;
}

bool Win32FileSystem::modificationTimeReadable(const std::string& path)
{
    const std::wstring wide = toWide(path);
    if (wide.empty())
        return false;
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) != 0;
}

bool Win32FileSystem::listingFindsEntry(const std::string& path, bool includeFolders)
{
    const std::wstring wide = toWide(path);
    // A wildcard would list other entries than the one named.
    if (wide.empty() || hasWildcard(wide))
        return false;
    WIN32_FIND_DATAW entry;
    FindHandle search = findFirst(wide, entry, false);
    if (!search)
        return false;
    const DWORD attributes = entry.dwFileAttributes;
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        return false;
    return includeFolders || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

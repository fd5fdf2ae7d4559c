#include "platform/posix/FolderReading.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Paths.h"
#include "platform/WildcardMatch.h"
#include "platform/WindowsNameOrder.h"

namespace {

bool isDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Links and entries of file systems that give no types must be asked what
// they lead to.
bool typeLeavesOpen(unsigned char type)
{
    return type == DT_LNK || type == DT_UNKNOWN;
}

std::string entryPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return withClosingSeparator(folder, PathStyle::Posix) + name;
}

std::string lastName(const std::string& trimmedPath)
{
    const std::size_t slash = trimmedPath.rfind('/');
    return slash == std::string::npos ? trimmedPath : trimmedPath.substr(slash + 1);
}

int folderErrorOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return FolderError::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return FolderError::PathNotFound;
    default:
        return FolderError::Other;
    }
}

}  // namespace

FolderReading readFolder(const std::string& folder)
{
    FolderReading reading;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) {
        reading.error = errno;
        return reading;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            reading.error = errno;
            break;
        }
        if (!isDotOrDotDot(entry->d_name))
            reading.entries.push_back({entry->d_name, entry->d_type});
    }
    closedir(dir);
    std::sort(reading.entries.begin(), reading.entries.end(),
              [](const FolderReading::Entry& a, const FolderReading::Entry& b) {
                  return precedesInWindowsOrder(a.name, b.name);
              });
    return reading;
}

std::string withoutClosingSlashes(const std::string& path)
{
    std::size_t end = path.size();
    while (end > 1 && path[end - 1] == '/')
        --end;
    return path.substr(0, end);
}

// The attribute value is made as PosixFileSystem tells; a symbolic link is
// judged as the link itself (reparse point) with its target's other bits.
PathStatus statusOf(const std::string& trimmedPath)
{
    PathStatus status;
    struct stat info {};
    if (trimmedPath.empty() || lstat(trimmedPath.c_str(), &info) != 0)
        return status;
    std::uint32_t value = 0;
    if (S_ISLNK(info.st_mode)) {
        value |= FileAttribute::ReparsePoint;
        // The link's own mode says nothing; its target's does, when it is there.
        struct stat target {};
        if (stat(trimmedPath.c_str(), &target) == 0)
            info = target;
        else
            info.st_mode = S_IFLNK | S_IWUSR;
    }
    if (S_ISDIR(info.st_mode)) {
        value |= FileAttribute::Directory;
        status.folder
            = FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    }
    if ((info.st_mode & S_IWUSR) == 0)
        value |= FileAttribute::ReadOnly;
    const std::string name = lastName(trimmedPath);
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        value |= FileAttribute::Hidden;
    status.attributes = value;
    status.regularFile = S_ISREG(info.st_mode);
    return status;
}

SubfolderListing subfoldersIn(const FolderReading& reading, const std::string& folder,
                              const LeadsToFolder& leadsToFolder)
{
    SubfolderListing listing;
    for (const auto& entry : reading.entries) {
        if (entry.type == DT_DIR || (typeLeavesOpen(entry.type) && leadsToFolder(entryPath(folder, entry.name))))
            listing.names.push_back(entry.name);
    }
    if (reading.error != 0) {
        listing.error = folderErrorOf(reading.error);
        listing.description = std::strerror(reading.error);
    }
    return listing;
}

std::vector<std::string> filesIn(const FolderReading& reading, const std::string& folder, const std::string& pattern,
                                 const LeadsToFolder& leadsToFolder)
{
    std::vector<std::string> names;
    const WildcardPattern wildcard(pattern);
    for (const auto& entry : reading.entries) {
        if (entry.type == DT_DIR || !wildcard.matches(entry.name))
            continue;
        if (typeLeavesOpen(entry.type) && leadsToFolder(entryPath(folder, entry.name)))
            continue;
        names.push_back(entry.name);
    }
    return names;
}

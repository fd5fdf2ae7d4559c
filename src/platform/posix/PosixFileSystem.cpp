#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/WildcardMatch.h"
#include "platform/WindowsNameOrder.h"

namespace {

// The path without closing slashes, so that a symbolic link named with a
// closing slash is judged as the link itself; the root stays "/".
std::string withoutClosingSlashes(const std::string& path)
{
    std::size_t end = path.size();
    while (end > 1 && path[end - 1] == '/')
        --end;
    return path.substr(0, end);
}

std::string lastName(const std::string& trimmedPath)
{
    const std::size_t slash = trimmedPath.rfind('/');
    return slash == std::string::npos ? trimmedPath : trimmedPath.substr(slash + 1);
}

bool isDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// An open directory that closes itself.
class Directory final {
public:
    explicit Directory(const std::string& path) : m_dir(opendir(path.empty() ? "." : path.c_str())) {}
    ~Directory()
    {
        if (m_dir)
            closedir(m_dir);
    }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    bool isOpen() const { return m_dir != nullptr; }
    int fd() const { return dirfd(m_dir); }
    // The next entry, or nullptr at the end or on a failure (errno tells).
    dirent* next()
    {
        errno = 0;
        return readdir(m_dir);
    }

private:
    DIR* m_dir;
};

// Whether an entry of an open folder is a folder, following symbolic links as
// the Windows listings follow junctions. Without a type from the listing the
// entry is asked directly.
bool entryIsFolder(const Directory& dir, const dirent& entry)
{
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat info {};
    return fstatat(dir.fd(), entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
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

PathStyle PosixFileSystem::style() const
{
    return PathStyle::Posix;
}

std::optional<std::uint32_t> PosixFileSystem::attributes(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    const std::string trimmed = withoutClosingSlashes(path);
    struct stat info {};
    if (lstat(trimmed.c_str(), &info) != 0)
        return std::nullopt;
    std::uint32_t value = 0;
    if (S_ISLNK(info.st_mode)) {
        value |= FileAttribute::ReparsePoint;
        // The link's own mode says nothing; its target's does, when it is there.
        struct stat target {};
        if (stat(trimmed.c_str(), &target) == 0)
            info = target;
        else
            info.st_mode = S_IFLNK | S_IWUSR;
    }
    if (S_ISDIR(info.st_mode))
        value |= FileAttribute::Directory;
    if ((info.st_mode & S_IWUSR) == 0)
        value |= FileAttribute::ReadOnly;
    const std::string name = lastName(trimmed);
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        value |= FileAttribute::Hidden;
    return value;
}

bool PosixFileSystem::probeOpen(const std::string& path)
{
    if (path.empty())
        return false;
    struct stat info {};
#ifdef O_PATH
    // A path-only descriptor reads nothing and does not wait for the other end
    // of a FIFO or for a device, so nothing can block here.
    const int fd = open(path.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return regular;
#else
    // Without path-only descriptors, asking for the status opens nothing.
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

std::vector<std::string> PosixFileSystem::listFiles(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    Directory dir(folder);
    if (!dir.isOpen())
        return names;
    const WildcardPattern wildcard(pattern);
    // Only names that match are asked whether they are folders.
    while (const dirent* entry = dir.next()) {
        if (!isDotOrDotDot(entry->d_name) && wildcard.matches(entry->d_name) && !entryIsFolder(dir, *entry))
            names.emplace_back(entry->d_name);
    }
    std::sort(names.begin(), names.end(), precedesInWindowsOrder);
    return names;
}

SubfolderListing PosixFileSystem::subfolders(const std::string& folder)
{
    SubfolderListing listing;
    Directory dir(folder);
    if (!dir.isOpen()) {
        listing.error = folderErrorOf(errno);
        listing.description = std::strerror(errno);
        return listing;
    }
    for (;;) {
        const dirent* entry = dir.next();
        if (!entry) {
            if (errno != 0) {
                listing.error = folderErrorOf(errno);
                listing.description = std::strerror(errno);
            }
            break;
        }
        if (!isDotOrDotDot(entry->d_name) && entryIsFolder(dir, *entry))
            listing.names.emplace_back(entry->d_name);
    }
    std::sort(listing.names.begin(), listing.names.end(), precedesInWindowsOrder);
    return listing;
}

std::optional<FolderIdentity> PosixFileSystem::folderIdentity(const std::string& path)
{
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

bool PosixFileSystem::isRoot(const std::string& folder)
{
    return !folder.empty() && folder.find_first_not_of('/') == std::string::npos;
}

bool PosixFileSystem::modificationTimeReadable(const std::string& path)
{
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::listingFindsEntry(const std::string& path, bool includeFolders)
{
    // A listing of one exact path leaves out hidden entries, and folders unless
    // asked for them.
    const auto value = attributes(path);
    if (!value || (*value & FileAttribute::Hidden) != 0)
        return false;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    return S_ISREG(info.st_mode) || (includeFolders && S_ISDIR(info.st_mode));
}

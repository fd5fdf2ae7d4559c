#include "platform/posix/PosixFileSystem.h"

#include <sys/stat.h>

#include "platform/posix/FolderReading.h"
#include "platform/posix/PosixScanView.h"

namespace {

bool leadsToFolder(const std::string& path)
{
    return statusOf(path).folder.has_value();
}

}  // namespace

PathStyle PosixFileSystem::style() const
{
    return PathStyle::Posix;
}

std::optional<std::uint32_t> PosixFileSystem::attributes(const std::string& path)
{
    // A symbolic link named with a closing slash is judged as the link itself.
    return statusOf(withoutClosingSlashes(path)).attributes;
}

bool PosixFileSystem::probeOpen(const std::string& path)
{
    // Asking for the status opens nothing, so nothing can block here on a FIFO
    // or a device, and it succeeds exactly where opening the path for attribute
    // query only would: nothing is read. A file named with a closing slash is
    // not there.
    return !path.empty() && path.back() != '/' && statusOf(path).regularFile;
}

std::vector<std::string> PosixFileSystem::listFiles(const std::string& folder, const std::string& pattern)
{
    return filesIn(readFolder(folder), folder, pattern, leadsToFolder);
}

SubfolderListing PosixFileSystem::subfolders(const std::string& folder)
{
    return subfoldersIn(readFolder(folder), folder, leadsToFolder);
}

std::optional<FolderIdentity> PosixFileSystem::folderIdentity(const std::string& path)
{
    return statusOf(withoutClosingSlashes(path)).folder;
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

std::unique_ptr<FileSystem> PosixFileSystem::viewForOneScan()
{
    return std::make_unique<PosixScanView>(*this);
}

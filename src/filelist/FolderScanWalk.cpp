// FolderScan's walk through the subfolders of a folder list, and the tests it
// puts each folder it meets to.
#include "filelist/FolderScan.h"

#include <algorithm>

#include "base/ErrorTrap.h"
#include "filelist/HasBadCharacters.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/FileSystem.h"
#include "platform/PathChecks.h"
#include "platform/Paths.h"
#include "platform/Utf8.h"

const char* const FolderScan::CollectLocation = "in BrenholtTitle2021/08/31.AddFolder.GetSubDirectories2016 ";

namespace {

// Paths and names this long are left alone. Where the file system tells no
// folder identities, the bound also ends a walk through a link that leads back
// to one of its own parents.
constexpr std::size_t LongestPath = 259;

// Directory + hidden + system, and the same as a reparse point: the two exact
// values of a folder the walk never enters.
constexpr std::uint32_t HiddenSystemFolder = FileAttribute::Directory | FileAttribute::Hidden | FileAttribute::System;
constexpr std::uint32_t HiddenSystemReparseFolder = HiddenSystemFolder | FileAttribute::ReparsePoint;

}  // namespace

bool FolderScan::passesAttributeTest(const std::string& folder)
{
    if (m_fileSystem.isRoot(folder))
        return true;
    // A folder whose attributes cannot be read any more has vanished; the
    // enumeration that follows finds that out and drops it quietly.
    const auto value = m_fileSystem.attributes(folder);
    return !value || (*value != HiddenSystemFolder && *value != HiddenSystemReparseFolder);
}

bool FolderScan::acceptsSubfolderName(const std::string& name) const
{
    return Utf8::length(name) <= LongestPath && !hasBadCharacters(name) && name.find('?') == std::string::npos
           && name != "." && name != "..";
}

// A folder path over the bound stays listed, but the walk goes no deeper. It
// is noted when that leaves out a subfolder, or when that cannot be told.
bool FolderScan::withinLengthBound(const std::string& folder)
{
    if (Utf8::length(folder) <= LongestPath)
        return true;
    const SubfolderListing listing = m_fileSystem.subfolders(folder);
    const bool leavesOut = listing.error != 0
                           || std::any_of(listing.names.begin(), listing.names.end(),
                                          [this](const std::string& name) { return acceptsSubfolderName(name); });
    if (leavesOut && m_tooLong++ == 0)
        m_firstTooLong = folder;
    return false;
}

void FolderScan::collectSubfolders(std::vector<std::string>& folders, bool recurse)
{
    for (const std::string& folder : folders)
        m_metFolders.noteChosen(folder);
    collectLevel(folders, recurse);
    if (m_tooLong == 0 || m_toldTooLong)
        return;
    m_toldTooLong = true;
    tell(m_dialogs, "The folder scan did not look below " + std::to_string(m_tooLong)
                        + (m_tooLong == 1 ? " folder" : " folders") + " whose path is "
                        + std::to_string(LongestPath + 1)
                        + " characters or longer; drawings in their subfolders were not added. The first: "
                        + Utf8::lossy(m_firstTooLong));
}

void FolderScan::collectLevel(std::vector<std::string>& folders, bool recurse)
{
    ErrorTrap trap(m_dialogs, m_lifetime, CollectLocation);
    const PathStyle style = m_fileSystem.style();
    std::vector<std::string> found;

    // The folders of this level: collect their subfolders. Unreadable folders
    // leave the list as they are met, so the position only moves on when the
    // current folder stays.
    for (std::size_t i = 0; i < folders.size() && !trap.stopped();) {
        const std::string folder = folders[i];
        bool stays = true;
        if (!trap.test(100, [&] { return isFolder(m_fileSystem, folder); })
            || !trap.test(102, [&] { return withinLengthBound(folder); })) {
            ++i;
            continue;
        }
        trap.step(104, [&] { m_pump.processPending(); });
        if (!trap.test(106, [&] { return passesAttributeTest(folder); })) {
            ++i;
            continue;
        }
        SubfolderListing listing;
        trap.step(108, [&] { listing = m_fileSystem.subfolders(folder); });
        for (const std::string& name : listing.names) {
            if (trap.stopped())
                break;
            trap.step(110, [&] { m_pump.processPending(); });
            if (!trap.test(112, [&] { return acceptsSubfolderName(name); }))
                continue;
            // Each real folder is taken once: a path to one met before (a second
            // link to it, a link back up) is left out.
            trap.step(114, [&] {
                std::string subfolder = folderEntry(folder + name, style);
                if (m_metFolders.meetFirstTime(subfolder))
                    found.push_back(std::move(subfolder));
            });
        }
        // Permission denied and path not found drop the folder: none of its
        // files will be listed. Any other failure only ends its enumeration.
        if (listing.error == FolderError::PermissionDenied || listing.error == FolderError::PathNotFound) {
            trap.step(116, [&] {
                const auto first = std::find(folders.begin(), folders.end(), folder);
                if (first != folders.end()) {
                    folders.erase(first);
                    stays = false;
                }
            });
        }
        if (stays)
            ++i;
    }

    // One call per level of the tree: the next call walks all the folders
    // found here at once and extends the list with every deeper level.
    if (recurse && !found.empty())
        trap.step(118, [&] { collectLevel(found, true); });

    for (const std::string& subfolder : found) {
        if (trap.stopped())
            break;
        if (!trap.test(120, [&] { return isFolder(m_fileSystem, subfolder); }))
            continue;
        trap.step(122, [&] { m_pump.processPending(); });
        if (trap.test(124, [&] { return passesAttributeTest(subfolder); }))
            trap.step(126, [&] { folders.push_back(subfolder); });
    }
}

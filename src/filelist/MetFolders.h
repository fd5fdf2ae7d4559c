#pragma once

#include <set>
#include <string>

#include "platform/FileSystem.h"

// The real folders that one walk of a folder tree has met, told apart by their
// identities, so that the walk lists each real folder once however many paths
// lead to it (links, mounts of the same disk) and never walks into a loop.
// Paths to folders whose identity the file system does not tell are always new.
class MetFolders final {
public:
    explicit MetFolders(FileSystem& fileSystem);

    // A folder the caller chose counts as met, and so does every folder above
    // it: by name, as the path spells them, and the real parents too, which
    // differ where the path passes through a link. A link back to any of them
    // ("self -> .", "up -> ..", a link to the root) would list a folder again,
    // bring in files from outside the chosen tree, or never end.
    void noteChosen(const std::string& folder);
    // True the first time the walk meets the real folder the path leads to,
    // and when its identity is not told.
    bool meetFirstTime(const std::string& folder);

private:
    FileSystem& m_fileSystem;
    std::set<FolderIdentity> m_met;
};

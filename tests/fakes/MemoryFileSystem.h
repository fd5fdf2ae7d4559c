#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fakes/CallRecord.h"
#include "platform/FileSystem.h"

// A file system held in memory, spelled the Windows way ("C:\A\plan.vsd") and
// carrying Windows attribute values, so that the attribute cases of the folder
// scan can be set up on any platform. Paths compare without regard to ASCII
// case; a closing backslash is ignored. Drive roots ("C:\") exist from the
// start. Children keep the order in which they were added. Made with the POSIX
// style it is spelled the POSIX way instead ("/home/u/plan.vsd"), compares
// paths exactly and has the one root "/". Calls read "attributes PATH",
// "modificationTime PATH" and "listing PATH".
class MemoryFileSystem final : public FileSystem {
public:
    explicit MemoryFileSystem(PathStyle style = PathStyle::Windows);

    // Adds a folder or a file; the parent folders must exist.
    void addFolder(const std::string& path, std::uint32_t attributes = FileAttribute::Directory);
    void addFile(const std::string& path, std::uint32_t attributes = FileAttribute::Archive);
    // Adds a file and the parent folders it lacks.
    void addFileAndFolders(const std::string& path, std::uint32_t attributes = FileAttribute::Archive);
    // Removes an entry with everything below it.
    void remove(const std::string& path);
    // Makes enumerating the folder's subfolders fail with this error number
    // (70 permission denied, 76 path not found, others); the subfolders named
    // before the failure are still returned.
    void failSubfolders(const std::string& path, int error, std::size_t namesBeforeFailure = 0);

    PathStyle style() const override { return m_style; }
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    bool probeOpen(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) override;
    SubfolderListing subfolders(const std::string& folder) override;
    // Not told, as on Windows.
    std::optional<FolderIdentity> folderIdentity(const std::string& path) override;
    bool isRoot(const std::string& folder) override;
    bool modificationTimeReadable(const std::string& path) override;
    bool listingFindsEntry(const std::string& path, bool includeFolders) override;

    CallRecord calls;

private:
    struct Node {
        std::string name;
        std::uint32_t attributes = 0;
        bool folder = false;
        int subfolderError = 0;
        std::size_t namesBeforeFailure = 0;
        std::vector<std::string> children = {};  // keys, in the order of adding
    };

    std::string keyOf(const std::string& path) const;
    bool isRootKey(const std::string& key) const;
    Node* find(const std::string& path);
    void add(const std::string& path, std::uint32_t attributes, bool folder);

    PathStyle m_style;
    char m_separator;
    std::map<std::string, Node> m_nodes;
};

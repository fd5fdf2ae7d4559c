#include "filelist/MetFolders.h"

#include <optional>

#include "platform/Paths.h"

namespace {

// The folder above the path by name, with a closing separator; empty at the top.
std::string parentByName(std::string path, char separator)
{
    while (!path.empty() && path.back() == separator)
        path.pop_back();
    const std::size_t at = path.rfind(separator);
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

}  // namespace

MetFolders::MetFolders(FileSystem& fileSystem) : m_fileSystem(fileSystem) {}

void MetFolders::noteChosen(const std::string& folder)
{
    const PathStyle style = m_fileSystem.style();
    const char separator = separatorOf(style);
    for (std::string path = folder; !path.empty(); path = parentByName(path, separator)) {
        if (const auto identity = m_fileSystem.folderIdentity(path))
            m_met.insert(*identity);
    }
    // "folder/..", "folder/../..", and so on up to the root, its own parent.
    std::optional<FolderIdentity> below;
    for (std::string path = withClosingSeparator(folder, style);; path += std::string("..") + separator) {
        const auto identity = m_fileSystem.folderIdentity(path);
        if (!identity || identity == below)
            break;
        m_met.insert(*identity);
        below = identity;
    }
}

bool MetFolders::meetFirstTime(const std::string& folder)
{
    const auto identity = m_fileSystem.folderIdentity(folder);
    return !identity || m_met.insert(*identity).second;
}

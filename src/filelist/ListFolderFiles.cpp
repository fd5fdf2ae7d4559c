#include "filelist/ListFolderFiles.h"

#include "platform/FileSystem.h"

bool IsExistingFile(FileSystem& fileSystem, const std::string& path)
{
    return fileSystem.probeOpen(path);
}

std::vector<std::string> ListFolderFiles(FileSystem& fileSystem, const std::string& folder,
                                         const std::string& pattern)
{
    const char separator = separatorOf(fileSystem.style());
    std::string prefix = folder;
    if (prefix.empty() || prefix.back() != separator)
        prefix += separator;
    std::vector<std::string> kept;
    for (std::string& name : fileSystem.listFiles(prefix, pattern)) {
        if (IsExistingFile(fileSystem, prefix + name))
            kept.push_back(std::move(name));
    }
    return kept;
}

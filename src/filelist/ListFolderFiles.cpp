#include "filelist/ListFolderFiles.h"

#include "platform/FileSystem.h"
#include "platform/PathChecks.h"
#include "platform/Paths.h"

std::vector<std::string> listFolderFiles(FileSystem& fileSystem, const std::string& folder, const std::string& pattern)
{
    const std::string prefix = withClosingSeparator(folder, fileSystem.style());
    std::vector<std::string> kept;
    for (std::string& name : fileSystem.listFiles(prefix, pattern)) {
        if (isExistingFile(fileSystem, prefix + name))
            kept.push_back(std::move(name));
    }
    return kept;
}

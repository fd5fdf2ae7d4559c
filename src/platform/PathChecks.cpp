#include "platform/PathChecks.h"

#include "platform/FileSystem.h"

bool pathExists(FileSystem& fileSystem, const std::string& path)
{
    return fileSystem.modificationTimeReadable(path);
}

bool isFolder(FileSystem& fileSystem, const std::string& path)
{
    const auto attributes = fileSystem.attributes(path);
    return attributes && (*attributes & FileAttribute::Directory) != 0;
}

bool isExistingFile(FileSystem& fileSystem, const std::string& path)
{
    return fileSystem.probeOpen(path);
}

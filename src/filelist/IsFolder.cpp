#include "filelist/IsFolder.h"

#include "platform/FileSystem.h"

bool IsFolder(FileSystem& fileSystem, const std::string& path)
{
    const auto attributes = fileSystem.attributes(path);
    return attributes && (*attributes & FileAttribute::Directory) != 0;
}

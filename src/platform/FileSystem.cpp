#include "platform/FileSystem.h"

std::unique_ptr<FileSystem> FileSystem::viewForOneScan()
{
    return nullptr;
}

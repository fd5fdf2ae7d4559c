#pragma once

#include <string>

class FileSystem;

// True when the path names an existing folder: its attributes can be read and
// carry the directory bit. Any failure gives false.
bool IsFolder(FileSystem& fileSystem, const std::string& path);

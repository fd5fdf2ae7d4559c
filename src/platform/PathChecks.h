#pragma once

#include <string>

class FileSystem;

// Questions about one path that never fail: any failure answers false.

// True when the last-modified time of the file or folder can be read.
bool pathExists(FileSystem& fileSystem, const std::string& path);
// True when the path names an existing folder: its attributes can be read and
// carry the directory bit.
bool isFolder(FileSystem& fileSystem, const std::string& path);
// True when the path names an existing file that can be opened for attribute
// query. Never reads the file.
bool isExistingFile(FileSystem& fileSystem, const std::string& path);

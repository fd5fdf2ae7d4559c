#pragma once

#include <string>
#include <vector>

class FileSystem;

// The bare names of the files (not folders) directly in the folder that match
// the wildcard pattern and pass IsExistingFile, in listing order; hidden and
// system files included. Empty when there are none or the folder cannot be
// listed.
std::vector<std::string> ListFolderFiles(FileSystem& fileSystem, const std::string& folder,
                                         const std::string& pattern);

// True when the path names an existing file that can be opened for attribute
// query. Never reads the file and never fails loudly.
bool IsExistingFile(FileSystem& fileSystem, const std::string& path);

#pragma once

#include <string>
#include <vector>

class FileSystem;

// The bare names of the files (not folders) directly in the folder that match
// the wildcard pattern and pass isExistingFile, in listing order; hidden and
// system files included. Empty when there are none or the folder cannot be
// listed.
std::vector<std::string> listFolderFiles(FileSystem& fileSystem, const std::string& folder, const std::string& pattern);

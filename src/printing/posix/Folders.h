#pragma once

#include <string>

// Folder work of the LibreOffice instances. None of these throws.
namespace Folders {

// Creates a new, private (0700) folder named prefix + six random characters
// inside parent; empty when it cannot be made.
std::string makeUnique(const std::string& parent, const std::string& prefix);
// Removes the folder with everything in it; true when nothing is left.
bool removeTree(const std::string& path);
// Copies a folder tree, keeping the modification times (LibreOffice compares
// them to decide whether a profile needs refreshing). True on success.
bool copyTree(const std::string& from, const std::string& to);
// The folder for temporary files: $TMPDIR, or /tmp.
std::string temporaryRoot();
// A local path as a file URL, every byte outside the unreserved set escaped.
std::string fileUrl(const std::string& absolutePath);

}  // namespace Folders

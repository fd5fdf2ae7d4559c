#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/PathStyle.h"

// File attribute bits as the folder scan and the intake paths judge them.
namespace FileAttribute {
constexpr std::uint32_t ReadOnly = 1;
constexpr std::uint32_t Hidden = 2;
constexpr std::uint32_t System = 4;
constexpr std::uint32_t Directory = 16;
constexpr std::uint32_t Archive = 32;
constexpr std::uint32_t ReparsePoint = 1024;
}  // namespace FileAttribute

// Result of enumerating a folder's subfolders. The error numbers follow the
// scripting object of the Windows original: 70 permission denied, 76 path not
// found, anything else another failure.
struct SubfolderListing {
    std::vector<std::string> names;  // bare names, in the platform's order
    int error = 0;                   // 0: the enumeration finished
    std::string description;         // the failure's text when error != 0
};

// What tells one real folder from every other, however it is reached: by its
// own path, through a link, or under a second mount of its disk.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t index = 0;

    bool operator==(const FolderIdentity& other) const { return device == other.device && index == other.index; }
    bool operator<(const FolderIdentity& other) const
    {
        return device != other.device ? device < other.device : index < other.index;
    }
};

namespace FolderError {
constexpr int PermissionDenied = 70;
constexpr int PathNotFound = 76;
constexpr int Other = 5;
}  // namespace FolderError

// Everything the program asks the file system. Paths are UTF-8 in the platform's
// own spelling (see style()). No call throws.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual PathStyle style() const = 0;

    // The attribute value of a file or folder; nullopt when it cannot be read.
    virtual std::optional<std::uint32_t> attributes(const std::string& path) = 0;
    // Opens the path as an existing file for attribute query only and closes it
    // again; never reads, never blocks on a FIFO or device. False for folders,
    // missing paths and any other failure.
    virtual bool probeOpen(const std::string& path) = 0;
    // Names of the files (not folders) directly in folder whose names match the
    // wildcard pattern (* and ?, case-insensitive), hidden and system files
    // included, in the order Windows lists them (on Windows the system's own).
    // Empty on any failure.
    virtual std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) = 0;
    // Names of the subfolders directly in folder, in the same order as listFiles.
    virtual SubfolderListing subfolders(const std::string& folder) = 0;
    // The identity of the folder the path leads to, following links; nullopt
    // when the path leads to no folder, or where the file system does not tell.
    virtual std::optional<FolderIdentity> folderIdentity(const std::string& path) = 0;
    // True when the folder is the root of a file system (C:\ or /).
    virtual bool isRoot(const std::string& folder) = 0;
    // True when the last-modified time of the file or folder can be read.
    virtual bool modificationTimeReadable(const std::string& path) = 0;
    // True when a directory listing of exactly this path finds an entry: with
    // includeFolders false only ordinary files count (not hidden, not system, not
    // folders); with true, folders count too.
    virtual bool listingFindsEntry(const std::string& path, bool includeFolders) = 0;

    // A view of this file system for one scan of a folder tree, or nullptr
    // where asking this file system directly costs no more. The view may read
    // each folder once and answer the scan's later questions about the folder
    // and its entries from that reading, so it must serve one scan only: a new
    // scan takes a new view and sees the disk afresh. It refers to this file
    // system and must not outlive it.
    virtual std::unique_ptr<FileSystem> viewForOneScan();
};

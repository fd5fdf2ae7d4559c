#include "fakes/MemoryFileSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/WildcardMatch.h"

MemoryFileSystem::MemoryFileSystem(PathStyle style)
    : m_style(style), m_separator(style == PathStyle::Windows ? '\\' : '/')
{
    const std::vector<std::string> roots
        = style == PathStyle::Windows ? std::vector<std::string>{"c:\\", "d:\\"} : std::vector<std::string>{"/"};
    for (const std::string& root : roots)
        m_nodes[root] = {root, FileAttribute::Directory | FileAttribute::Hidden | FileAttribute::System, true};
}

bool MemoryFileSystem::isRootKey(const std::string& key) const
{
    if (m_style == PathStyle::Posix)
        return key == "/";
    return key.size() == 3 && key[1] == ':' && key[2] == '\\';
}

std::string MemoryFileSystem::keyOf(const std::string& path) const
{
    // A run of separators inside a path reads as one, and a closing separator
    // names the same folder: "C:\\a.vsd" is "C:\a.vsd", "C:\A\" is "C:\A".
    // Windows compares without regard to ASCII case.
    const bool windows = m_style == PathStyle::Windows;
    std::string key;
    for (char c : path) {
        if (c == m_separator && !key.empty() && key.back() == m_separator)
            continue;
        key += (windows && c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::size_t shortest = windows ? 3 : 1;
    while (key.size() > shortest && key.back() == m_separator)
        key.pop_back();
    if (windows && key.size() == 2 && key[1] == ':')
        key += '\\';
    return key;
}

MemoryFileSystem::Node* MemoryFileSystem::find(const std::string& path)
{
    const auto found = m_nodes.find(keyOf(path));
    return found == m_nodes.end() ? nullptr : &found->second;
}

void MemoryFileSystem::add(const std::string& path, std::uint32_t attributes, bool folder)
{
    const std::string key = keyOf(path);
    const std::size_t slash = key.rfind(m_separator);
    if (slash == std::string::npos || slash + 1 == key.size())
        throw std::invalid_argument("not a full path: " + path);
    Node* parent = find(key.substr(0, slash + 1));
    if (!parent || !parent->folder)
        throw std::invalid_argument("no parent folder for " + path);
    if (m_nodes.count(key))
        throw std::invalid_argument("already there: " + path);
    parent->children.push_back(key);
    std::string trimmed = path;
    while (!trimmed.empty() && trimmed.back() == m_separator)
        trimmed.pop_back();
    m_nodes[key] = {trimmed.substr(trimmed.rfind(m_separator) + 1), attributes, folder};
}

void MemoryFileSystem::addFolder(const std::string& path, std::uint32_t attributes)
{
    add(path, attributes | FileAttribute::Directory, true);
}

void MemoryFileSystem::addFile(const std::string& path, std::uint32_t attributes)
{
    add(path, attributes & ~FileAttribute::Directory, false);
}

void MemoryFileSystem::addFileAndFolders(const std::string& path, std::uint32_t attributes)
{
    const std::string key = keyOf(path);
    for (std::size_t at = key.find(m_separator, 1); at != std::string::npos; at = key.find(m_separator, at + 1)) {
        const std::string folder = key.substr(0, at);
        if (!isRootKey(folder + m_separator) && !find(folder))
            addFolder(path.substr(0, at));
    }
    addFile(path, attributes);
}

void MemoryFileSystem::remove(const std::string& path)
{
    const std::string key = keyOf(path);
    const auto found = m_nodes.find(key);
    if (found == m_nodes.end())
        return;
    const std::vector<std::string> children = found->second.children;
    for (const std::string& child : children)
        remove(child);
    m_nodes.erase(key);
    for (auto& [parentKey, node] : m_nodes) {
        auto& children = node.children;
        children.erase(std::remove(children.begin(), children.end(), key), children.end());
    }
}

void MemoryFileSystem::failSubfolders(const std::string& path, int error, std::size_t namesBeforeFailure)
{
    Node* node = find(path);
    if (!node)
        throw std::invalid_argument("no such folder: " + path);
    node->subfolderError = error;
    node->namesBeforeFailure = namesBeforeFailure;
}

std::optional<std::uint32_t> MemoryFileSystem::attributes(const std::string& path)
{
    calls("attributes", path);
    const Node* node = find(path);
    if (!node)
        return std::nullopt;
    return node->attributes;
}

bool MemoryFileSystem::probeOpen(const std::string& path)
{
    // A file named with a closing separator cannot be opened.
    if (!path.empty() && path.back() == m_separator)
        return false;
    const Node* node = find(path);
    return node && !node->folder;
}

std::vector<std::string> MemoryFileSystem::listFiles(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    const Node* node = find(folder);
    if (!node || !node->folder)
        return names;
    for (const std::string& key : node->children) {
        const Node& child = m_nodes.at(key);
        if (!child.folder && wildcardMatch(pattern, child.name))
            names.push_back(child.name);
    }
    return names;
}

SubfolderListing MemoryFileSystem::subfolders(const std::string& folder)
{
    SubfolderListing listing;
    const Node* node = find(folder);
    if (!node || !node->folder) {
        listing.error = FolderError::PathNotFound;
        listing.description = "Path not found";
        return listing;
    }
    for (const std::string& key : node->children) {
        if (node->subfolderError != 0 && listing.names.size() == node->namesBeforeFailure)
            break;
        const Node& child = m_nodes.at(key);
        if (child.folder)
            listing.names.push_back(child.name);
    }
    if (node->subfolderError != 0) {
        listing.error = node->subfolderError;
        listing.description = "Enumeration failed";
    }
    return listing;
}

std::optional<FolderIdentity> MemoryFileSystem::folderIdentity(const std::string&)
{
    return std::nullopt;
}

bool MemoryFileSystem::isRoot(const std::string& folder)
{
    return isRootKey(keyOf(folder));
}

bool MemoryFileSystem::modificationTimeReadable(const std::string& path)
{
    calls("modificationTime", path);
    return find(path) != nullptr;
}

bool MemoryFileSystem::listingFindsEntry(const std::string& path, bool includeFolders)
{
    calls("listing", path);
    const Node* node = find(path);
    if (!node || isRootKey(keyOf(path)))
        return false;
    if ((node->attributes & (FileAttribute::Hidden | FileAttribute::System)) != 0)
        return false;
    return includeFolders || !node->folder;
}

#include "printing/posix/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/Paths.h"

namespace fs = std::filesystem;

namespace Folders {

std::string makeUnique(const std::string& parent, const std::string& prefix)
{
    std::string folder = joinPath(parent, prefix + "XXXXXX", PathStyle::Posix);
    return ::mkdtemp(folder.data()) ? folder : std::string();
}

bool removeTree(const std::string& path)
{
    if (path.empty())
        return true;
    std::error_code error;
    fs::remove_all(path, error);
    return !fs::exists(fs::symlink_status(path, error));
}

bool copyTree(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::create_directories(to, error);
    if (error)
        return false;
    std::vector<std::pair<fs::path, fs::path>> folders{{from, to}};
    for (fs::recursive_directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        const fs::path target = fs::path(to) / fs::relative(it->path(), from, error);
        if (error)
            return false;
        const fs::file_status status = it->symlink_status(error);
        if (fs::is_symlink(status)) {
            fs::copy_symlink(it->path(), target, error);
        } else if (fs::is_directory(status)) {
            fs::create_directory(target, error);
            folders.emplace_back(it->path(), target);
        } else if (fs::is_regular_file(status)) {
            fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, error);
            if (!error)
                fs::last_write_time(target, fs::last_write_time(it->path(), error), error);
        }
        if (error)
            return false;
    }
    if (error)
        return false;
    // Folder times last: filling a folder changes its time.
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        fs::last_write_time(folder->second, fs::last_write_time(folder->first, error), error);
        if (error)
            return false;
    }
    return true;
}

std::string temporaryRoot()
{
    const char* root = std::getenv("TMPDIR");
    if (root && *root == '/' && fs::is_directory(root))
        return root;
    return "/tmp";
}

std::string fileUrl(const std::string& absolutePath)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : absolutePath) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
                           || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

}  // namespace Folders

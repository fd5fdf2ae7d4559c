#pragma once

// A folder of the test's own under the system's temporary folder, removed with
// all it holds when dropped, also what the test made unreadable or read-only:
// the one way the C++ tests make temporary folders. Paths are UTF-8, in the
// system's own form.

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

class TempTree {
public:
    explicit TempTree(const std::string& prefix = "plotvane-tree-")
    {
        std::random_device random;
        std::error_code error;
        for (int tries = 0; m_root.empty(); ++tries) {
            const auto candidate = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error))
                m_root = candidate.u8string();
            else if (tries == 100)
                throw std::runtime_error("cannot make a temporary folder: " + error.message());
        }
        // Private to the user, as a temporary folder of a program's own is.
        std::filesystem::permissions(std::filesystem::u8path(m_root), std::filesystem::perms::owner_all, error);
    }
    ~TempTree()
    {
        std::error_code ignored;
        release(std::filesystem::u8path(m_root));
        std::filesystem::remove_all(std::filesystem::u8path(m_root), ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(const std::string& relative) const
    {
        using std::filesystem::u8path;
        return relative.empty() ? m_root : (u8path(m_root) / u8path(relative)).u8string();
    }
    std::string folder(const std::string& relative) const
    {
        std::error_code ignored;
        std::filesystem::create_directory(std::filesystem::u8path(path(relative)), ignored);
        return path(relative);
    }
    std::string file(const std::string& relative, const std::string& content = "drawing") const
    {
        std::ofstream(std::filesystem::u8path(path(relative)), std::ios::binary) << content;
        return path(relative);
    }

private:
    // Gives every entry below the folder its owner's rights back, so that all can go.
    static void release(const std::filesystem::path& folder)
    {
        std::error_code ignored;
        using std::filesystem::perms;
        const auto add = std::filesystem::perm_options::add;
        std::filesystem::permissions(folder, perms::owner_all, add, ignored);
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
            if (entry.is_symlink(ignored))
                continue;
            if (entry.is_directory(ignored))
                release(entry.path());
            else
                std::filesystem::permissions(entry.path(), perms::owner_write, add, ignored);
        }
    }

    std::string m_root;
};

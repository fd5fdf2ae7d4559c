#pragma once

// A real folder tree under /tmp for the tests of the POSIX file system, removed
// again at the end.

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "support/AsOrdinaryUser.h"

class TempTree final {
public:
    TempTree()
    {
        char pattern[] = "/tmp/plotvane-tree-XXXXXX";
        if (!mkdtemp(pattern))
            throw std::runtime_error("cannot make a temporary folder");
        m_root = pattern;
        // Readable by everyone, so that the tests can also run as an ordinary user.
        chmod(m_root.c_str(), 0755);
    }
    ~TempTree()
    {
        // Give every folder its permissions back first, so that all can go.
        nftw(m_root.c_str(), [](const char* path, const struct stat*, int type, struct FTW*) {
            if (type == FTW_D || type == FTW_DNR)
                chmod(path, 0755);
            return 0;
        }, 16, FTW_PHYS);
        nftw(m_root.c_str(), [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); },
             16, FTW_DEPTH | FTW_PHYS);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(const std::string& relative) const { return relative.empty() ? m_root : m_root + "/" + relative; }

    std::string folder(const std::string& relative, mode_t mode = 0755) const
    {
        const std::string full = path(relative);
        mkdir(full.c_str(), 0755);
        chmod(full.c_str(), mode);
        return full;
    }
    std::string file(const std::string& relative, mode_t mode = 0644) const
    {
        const std::string full = path(relative);
        std::ofstream(full) << "drawing";
        chmod(full.c_str(), mode);
        return full;
    }
    std::string link(const std::string& relative, const std::string& target) const
    {
        const std::string full = path(relative);
        if (symlink(target.c_str(), full.c_str()) != 0)
            throw std::runtime_error("cannot make a link");
        return full;
    }
    std::string fifo(const std::string& relative) const
    {
        const std::string full = path(relative);
        if (mkfifo(full.c_str(), 0644) != 0)
            throw std::runtime_error("cannot make a FIFO");
        return full;
    }

private:
    std::string m_root;
};

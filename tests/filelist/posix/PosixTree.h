#pragma once

// The temporary tree of the POSIX file system's tests: entries with the
// permissions given, links and FIFOs.

#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "support/AsOrdinaryUser.h"
#include "support/TempTree.h"

class PosixTree final : public TempTree {
public:
    // Readable by everyone, so that the tests can also act as an ordinary user in it.
    PosixTree() { chmod(root().c_str(), 0755); }
    std::string folder(const std::string& relative, mode_t mode = 0755) const
    {
        const std::string full = TempTree::folder(relative);
        chmod(full.c_str(), mode);
        return full;
    }
    std::string file(const std::string& relative, mode_t mode = 0644) const
    {
        const std::string full = TempTree::file(relative);
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
};

#include "app/RawArguments.h"

#include <cerrno>
#include <climits>
#include <memory>
#include <unistd.h>

std::vector<std::string> rawArguments(int argc, char* argv[])
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

std::string absoluteArgumentPath(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    // getcwd gives the folder's bytes as the system holds them.
    for (std::size_t size = PATH_MAX;; size *= 2) {
        const std::unique_ptr<char[]> folder(new char[size]);
        if (::getcwd(folder.get(), size))
            return std::string(folder.get()) + (folder[1] == '\0' ? "" : "/") + path;
        if (errno != ERANGE)
            return path;
    }
}
